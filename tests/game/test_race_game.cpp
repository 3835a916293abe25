// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <deque>

#include "game/race_game.h"

namespace tj {
namespace {

struct QueueRandom final : Random {
  std::deque<float> values;
  float Rnd() override {
    const float r = values.front();
    values.pop_front();
    return r;
  }
  void Randomize() override {}
};

// Every report as one short word, in order.
struct RecordingView final : RaceView {
  std::string log;
  void add(const std::string& s) { log += (log.empty() ? "" : " ") + s; }
  void nameSet(int p, const std::string& n) override { add("name" + std::to_string(p) + "=" + n); }
  void tankShown(int p, Int16 f) override { add("tank" + std::to_string(p) + "=" + Str(f)); }
  void carShown(int p, int field, bool v) override {
    add((v ? "show" : "hide") + std::to_string(p) + "@" + std::to_string(field));
  }
  void carShifted(int p, int field, int t) override {
    add("shift" + std::to_string(p) + "@" + std::to_string(field) + (t > 0 ? "+" : "") + std::to_string(t));
  }
  void rollShown(int p, Int16 r) override { add("roll" + std::to_string(p) + "=" + Str(r)); }
  void stepsShown(int p, Int16 s) override { add("steps" + std::to_string(p) + "=" + Str(s)); }
  void dieCleared() override { add("die"); }
  void carChosen(int p, int c) override { add("car" + std::to_string(p) + "=" + std::to_string(c)); }
  void setupDone() override { add("ready"); }
};

struct Race : ::testing::Test {
  QueueRandom random;
  RecordingView view;
  RaceGame race{random};
  Race() {
    race.setView([this] { return &view; });
    race.boardLoaded();
    view.log.clear();
  }
};

// The board learns everything a roll changes, in the order it happens: the roll, the car
// lifted, the fuel and steps, the car put down on its new field; the report says the same.
TEST_F(Race, rollReportsEveryChangeInOrder) {
  race.state().TankSpieler2 = 3;
  race.state().PositionSpieler2 = 7;
  random.values = {0.95f};  // a six
  const MoveReport m = race.rollAndDrive(2);
  EXPECT_EQ(view.log, "roll2=6 hide2@7 tank2=0 steps2=3 show2@10");
  EXPECT_EQ(m.roll, 6);
  EXPECT_EQ(m.steps, 3);
  EXPECT_EQ(m.fuel, 0);
  EXPECT_EQ(m.field, 10);
  EXPECT_FALSE(m.won);
  EXPECT_EQ(race.lastMover(), 2);
  EXPECT_TRUE(race.passTurn(2));
  EXPECT_EQ(race.playerOnTurn(), 1);
}

// A winning roll is shown on the goal field; passing the turn then only clears the end of
// the race, so no question follows and the turn stays where a new game may have put it.
TEST_F(Race, winningRollEndsTheTurnWithoutEvent) {
  race.state().PositionSpieler1 = 43;
  race.vars().SpielerAmZug = 1;
  random.values = {0.6f};  // a four
  EXPECT_TRUE(race.rollAndDrive(1).won);
  EXPECT_EQ(race.state().PositionSpieler1, 47);
  EXPECT_NE(view.log.find("show1@45"), std::string::npos) << view.log;
  EXPECT_FALSE(race.passTurn(1));
  EXPECT_EQ(race.state().SpielEnde, kFalse);
  EXPECT_EQ(race.playerOnTurn(), 1);
}

// A card for the last mover: a moved car is lifted and put down, the cars drawn apart, and
// both tanks are shown whatever the card did; with no mover yet nothing but the tanks.
TEST_F(Race, cardsAndRewardsReachTheBoard) {
  race.state().PositionSpieler1 = 4;
  race.state().AktiverSpieler = kSpieler2;
  race.applyCard("+4");
  EXPECT_EQ(view.log, "hide2@0 show2@4 shift1@4+250 shift2@4-250 tank1=10 tank2=10");
  view.log.clear();
  race.payReward(Level::Hard);
  EXPECT_EQ(view.log, "tank2=14");

  view.log.clear();
  race.state().AktiverSpieler.clear();
  race.applyCard("-10L");
  race.payReward(Level::Easy);
  EXPECT_EQ(view.log, "tank1=10 tank2=14");
}

// Without a board the race still runs: nothing is shown, nothing breaks.
TEST(RaceWithoutBoard, stateChangesAndNothingIsShown) {
  QueueRandom random;
  random.values = {0.0f, 0.4f};
  RaceGame race{random};
  race.boardLoaded();
  race.setName(1, "Anna");
  race.boardActivated();
  EXPECT_EQ(race.playerOnTurn(), 1);
  EXPECT_EQ(race.rollAndDrive(1).steps, 3);
  EXPECT_EQ(race.state().TankSpieler1, 7);
}

// An answer pays only when right and is recorded with the mover's name; a new game starts
// without answers, with the decks and the topic choice as they were.
TEST_F(Race, answersAreRecordedUntilANewGame) {
  race.state().NameSpieler2 = "Ben";
  race.state().AktiverSpieler = kSpieler2;
  race.state().TankSpieler2 = 5;
  race.answer(Level::Hard, "Was?", "g2", "s", false);
  race.answer(Level::Easy, "Wie?", "r", "r", true);
  EXPECT_EQ(race.state().TankSpieler2, 7);
  EXPECT_EQ(race.answers().entries(), (std::vector<AnsweredQuestion>{{2, "Ben", Level::Hard, "Was?", "g2", "s", false},
                                                                     {2, "Ben", Level::Easy, "Wie?", "r", "r", true}}));
  EXPECT_EQ(race.answers().tally(2, Level::Easy), (Tally{1, 1}));
  EXPECT_EQ(race.answers().tally(2, Level::Hard), (Tally{0, 1}));
  race.deck(DeckId::Easy).stock(3, {"A", "B"});
  ASSERT_EQ(race.chooseTopics({{"A"}}), std::nullopt);
  race.newGame();
  EXPECT_TRUE(race.answers().entries().empty());
  EXPECT_TRUE(race.deck(DeckId::Easy).holds(3));
  EXPECT_EQ(race.topicChoice(), TopicChoice{{"A"}});
}

}  // namespace
}  // namespace tj
