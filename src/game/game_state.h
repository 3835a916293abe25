// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "game/int16.h"

namespace tj {

inline const std::string kSpieler1 = "spieler1";
inline const std::string kSpieler2 = "spieler2";

// The program-wide game variables. All numbers and flags are 0 and all texts empty
// at program start; the board sets the start values of a game.
struct GameState {
  std::string NameSpieler1;
  std::string NameSpieler2;
  Int16 TankSpieler1;
  Int16 TankSpieler2;
  Int16 PositionSpieler1;
  Int16 PositionSpieler2;
  Flag AussetzenSpieler1;
  Flag AussetzenSpieler2;
  std::string AktiverSpieler;  // player key of the last mover; a new game keeps it
  Int16 BelohnungLeicht;
  Int16 BelohnungSchwer;
  Int16 SpielGestartet;  // 0 or 1: has the start player of this game been drawn?
  Flag SpielEnde;        // a car reached the goal in the move now being handled
  Int16 VerschiebungFeldSpieler1;
  Int16 VerschiebungFeldSpieler2;
  Flag VerschiebungAktiv;
};

// One player's game values, for code that treats both players alike.
struct PlayerVars {
  std::string& name;
  Int16& tank;
  Int16& position;
  Flag& skip;
};

// Player 1's values for 1, player 2's for any other number.
inline PlayerVars playerVars(GameState& g, int player) {
  if (player == 1) return {g.NameSpieler1, g.TankSpieler1, g.PositionSpieler1, g.AussetzenSpieler1};
  return {g.NameSpieler2, g.TankSpieler2, g.PositionSpieler2, g.AussetzenSpieler2};
}

inline const std::string& playerName(const GameState& g, int player) {
  return player == 1 ? g.NameSpieler1 : g.NameSpieler2;
}

// Fuel after `litres` more (or fewer): a sum beyond the 16-bit range stays at the limit.
inline Int16 addFuel(Int16 tank, int litres) { return Int16::saturated(tank.value() + litres); }

// The board's own variables. They live while the board is loaded and are 0 until
// its load handler sets the start values.
struct BoardVars {
  Int16 WurfSpieler1;
  Int16 WurfSpieler2;
  Int16 VerbrauchProFeld;
  Int16 SchritteSpieler1;
  Int16 SchritteSpieler2;
  Int16 ZielFeld;
  Int16 SpielerAmZug;  // 1 = player 1's die button is due, anything else = player 2's
  Flag ErsterZugSpieler1;
  Flag ErsterZugSpieler2;
};

}  // namespace tj
