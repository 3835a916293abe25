// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/cards.h"

#include <algorithm>

namespace tj {

namespace {
using Kind = CardCode::Kind;

void clampAtZero(Int16& tank) {
  if (tank <= 0) tank = 0;
}
}  // namespace

CardCode cardCodeFor(std::string_view code) {
  for (const KnownCard& card : kKnownCards)
    if (card.code == code) return card.effect;
  return {};
}

int playerFor(std::string_view playerKey) {
  if (playerKey == kSpieler1) return 1;
  if (playerKey == kSpieler2) return 2;
  return 0;
}

std::optional<CardMove> applyCard(GameState& g, std::string_view playerKey, std::string_view code) {
  std::optional<CardMove> move;
  const int player = playerFor(playerKey);
  const CardCode card = cardCodeFor(code);
  if (player != 0) {
    const PlayerVars p = playerVars(g, player);
    switch (card.kind) {
      case Kind::Fuel:
        p.tank = addFuel(p.tank, card.amount);
        break;
      case Kind::Move: {
        const Int16 from = p.position;
        p.position = std::max(Int16(0), Int16::saturated(p.position.value() + card.amount));
        move = CardMove{player, from, p.position};
        break;
      }
      case Kind::Skip:
        p.skip = kTrue;
        break;
      case Kind::None:
        break;
    }
  }
  clampAtZero(g.TankSpieler1);
  clampAtZero(g.TankSpieler2);
  return move;
}

}  // namespace tj
