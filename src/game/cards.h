// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "game/game_state.h"

namespace tj {

// What an action code does. Codes are compared exactly: case and blanks count.
struct CardCode {
  enum class Kind : uint8_t { None, Fuel, Move, Skip };
  Kind kind = Kind::None;
  int amount = 0;  // litres for Fuel, fields for Move (negative: back)
  friend bool operator==(const CardCode&, const CardCode&) = default;
};

// The cards the game knows: the code a card carries in the file, its effect, and the pictures
// drawn for it (Bilder/<n>.gif, n from firstPicture on). The game applies them, the content
// rules check a card's code and picture number, and the picture generator draws them from here.
struct KnownCard {
  std::string_view code;
  CardCode effect;
  int firstPicture = 0;
  int pictureCount = 1;
};
inline constexpr std::array<KnownCard, 9> kKnownCards{{
    {"+10L", {CardCode::Kind::Fuel, 10}, 1},
    {"+5L", {CardCode::Kind::Fuel, 5}, 2},
    {"-10L", {CardCode::Kind::Fuel, -10}, 3},
    {"-5L", {CardCode::Kind::Fuel, -5}, 4},
    {"+2", {CardCode::Kind::Move, 2}, 5},
    {"+4", {CardCode::Kind::Move, 4}, 6},
    {"-2", {CardCode::Kind::Move, -2}, 7},
    {"-4", {CardCode::Kind::Move, -4}, 8},
    {"P", {CardCode::Kind::Skip, 0}, 9, 2},
}};

// The effect of a known code; any other text is a card without effect.
CardCode cardCodeFor(std::string_view code);

// 1 for "spieler1", 2 for "spieler2", 0 for any other key.
int playerFor(std::string_view playerKey);

// A car moved by a card: the player (1 or 2) and its field before and after.
struct CardMove {
  int player = 0;
  Int16 from;
  Int16 to;
};

// Applies the card `code` to the player named by `playerKey`. Fuel and fields never wrap
// (a sum beyond the 16-bit range stays at the limit); a position never goes below field 0.
// Afterwards, whatever the code or key, a tank at or below 0 is set to 0, for both players.
// Returns the move when the card moved a car; the caller then updates the car pictures.
std::optional<CardMove> applyCard(GameState& g, std::string_view playerKey, std::string_view code);

}  // namespace tj
