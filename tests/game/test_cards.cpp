// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "game/cards.h"

namespace tj {
namespace {

GameState start() {
  GameState g;
  g.TankSpieler1 = 20;
  g.TankSpieler2 = 30;
  g.PositionSpieler1 = 10;
  g.PositionSpieler2 = 12;
  return g;
}

struct Expect {
  Int16 tank1, tank2, pos1, pos2;
  Flag skip1, skip2;
};

void check(const GameState& g, const Expect& e, const std::string& what) {
  EXPECT_EQ(g.TankSpieler1, e.tank1) << what;
  EXPECT_EQ(g.TankSpieler2, e.tank2) << what;
  EXPECT_EQ(g.PositionSpieler1, e.pos1) << what;
  EXPECT_EQ(g.PositionSpieler2, e.pos2) << what;
  EXPECT_EQ(g.AussetzenSpieler1, e.skip1) << what;
  EXPECT_EQ(g.AussetzenSpieler2, e.skip2) << what;
}

// Every code for each player: only the active player's value changes.
TEST(Cards, everyCodeForBothPlayers) {
  struct Case {
    const char* code;
    Expect p1, p2;  // after the card for spieler1 / spieler2
  };
  const Case cases[] = {
      {"+10L", {30, 30, 10, 12, 0, 0}, {20, 40, 10, 12, 0, 0}},
      {"+5L", {25, 30, 10, 12, 0, 0}, {20, 35, 10, 12, 0, 0}},
      {"-10L", {10, 30, 10, 12, 0, 0}, {20, 20, 10, 12, 0, 0}},
      {"-5L", {15, 30, 10, 12, 0, 0}, {20, 25, 10, 12, 0, 0}},
      {"+2", {20, 30, 12, 12, 0, 0}, {20, 30, 10, 14, 0, 0}},
      {"+4", {20, 30, 14, 12, 0, 0}, {20, 30, 10, 16, 0, 0}},
      {"-2", {20, 30, 8, 12, 0, 0}, {20, 30, 10, 10, 0, 0}},
      {"-4", {20, 30, 6, 12, 0, 0}, {20, 30, 10, 8, 0, 0}},
      {"P", {20, 30, 10, 12, kTrue, 0}, {20, 30, 10, 12, 0, kTrue}},
  };
  for (const Case& c : cases) {
    for (int player : {1, 2}) {
      GameState g = start();
      const auto move = applyCard(g, player == 1 ? kSpieler1 : kSpieler2, c.code);
      check(g, player == 1 ? c.p1 : c.p2, std::string(c.code) + " spieler" + std::to_string(player));
      const bool isMove = cardCodeFor(c.code).kind == CardCode::Kind::Move;
      ASSERT_EQ(move.has_value(), isMove) << c.code;
      if (move) {
        EXPECT_EQ(move->player, player);
        EXPECT_EQ(move->from, player == 1 ? 10 : 12);
        EXPECT_EQ(move->to, player == 1 ? g.PositionSpieler1 : g.PositionSpieler2);
      }
    }
  }
}

// Codes that differ from a real one by a blank, the case of a letter or a sign, and an
// unknown player key, change nothing.
TEST(Cards, nearMissesAndUnknownPlayersHaveNoEffect) {
  for (const char* code : {"+10L ", " +10L", "p", "+10l", "10L", "2", "", "-4 ", "PP"}) {
    GameState g = start();
    EXPECT_FALSE(applyCard(g, kSpieler1, code).has_value()) << code;
    check(g, {20, 30, 10, 12, 0, 0}, std::string("code \"") + code + "\"");
  }
  for (const char* key : {"", "Spieler1", "spieler3", "spieler1 "}) {
    GameState g = start();
    EXPECT_FALSE(applyCard(g, key, "+4").has_value()) << key;
    applyCard(g, key, "-10L");
    applyCard(g, key, "P");
    check(g, {20, 30, 10, 12, 0, 0}, std::string("key \"") + key + "\"");
  }
}

// Fuel never stays below 0, for either player and whatever the card.
TEST(Cards, tanksAreClampedAtZero) {
  GameState g = start();
  g.TankSpieler1 = 7;
  applyCard(g, kSpieler1, "-10L");
  EXPECT_EQ(g.TankSpieler1, 0);

  g = start();
  g.TankSpieler1 = -3;  // the other player's tank is clamped too, also by a card without effect
  g.TankSpieler2 = 0;
  applyCard(g, "niemand", "gibt es nicht");
  EXPECT_EQ(g.TankSpieler1, 0);
  EXPECT_EQ(g.TankSpieler2, 0);

  g = start();
  g.TankSpieler2 = 5;
  applyCard(g, kSpieler2, "-5L");
  EXPECT_EQ(g.TankSpieler2, 0);
}

TEST(Cards, valuesHoldAtTheLimitsInsteadOfWrapping) {
  GameState g = start();
  g.TankSpieler1 = 32760;
  applyCard(g, kSpieler1, "+10L");
  EXPECT_EQ(g.TankSpieler1, 32767);
  g.TankSpieler2 = -32765;
  applyCard(g, kSpieler2, "-10L");
  EXPECT_EQ(g.TankSpieler2, 0) << "held at -32768, then clamped at 0";
  g.PositionSpieler1 = 32766;
  applyCard(g, kSpieler1, "+4");
  EXPECT_EQ(g.PositionSpieler1, 32767);
}

// Backward cards stop at field 0.
TEST(Cards, backwardCardsStopAtTheStart) {
  const std::tuple<int, const char*, int> cases[] = {
      {1, "-2", 0}, {0, "-2", 0}, {3, "-4", 0}, {2, "-4", 0}, {4, "-4", 0}, {2, "-2", 0}, {5, "-4", 1},
  };
  for (auto [from, code, to] : cases) {
    GameState g = start();
    g.PositionSpieler2 = from;
    const auto move = applyCard(g, kSpieler2, code);
    EXPECT_EQ(g.PositionSpieler2, to) << code << " from " << from;
    ASSERT_TRUE(move);
    EXPECT_EQ(move->from, from);
    EXPECT_EQ(move->to, to);
  }
}

}  // namespace
}  // namespace tj
