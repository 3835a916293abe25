// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/race.h"
#include "game/track.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

namespace tj::race {
namespace {

// The die rounds r * 5 + 1 to the nearest number, halves to the even neighbour: 1 below 0.1,
// 2 on [0.1, 0.3], 3 on (0.3, 0.5), 4 on [0.5, 0.7], 5 on (0.7, 0.9), 6 from 0.9. Both steps
// round to single precision, so the float just below 0.1f gives 1.49999997 + ... = 1.5 after
// the addition, and the one just above 0.7f gives 4.5: those two neighbours land on the half
// and go to the even side (2 and 4) like the boundary itself.
TEST(Roll, boundariesInSinglePrecision) {
  const auto below = [](float v) { return std::nextafter(v, 0.0f); };
  const auto above = [](float v) { return std::nextafter(v, 1.0f); };
  struct Case {
    float r;
    int roll;
  };
  const Case cases[] = {
      {0.0f, 1},        {0.09f, 1},       {below(0.1f), 2}, {0.1f, 2},        {above(0.1f), 2},
      {below(0.3f), 2}, {0.3f, 2},        {above(0.3f), 3}, {below(0.5f), 3}, {0.5f, 4},
      {above(0.5f), 4}, {below(0.7f), 4}, {0.7f, 4},        {above(0.7f), 4}, {0.71f, 5},
      {below(0.9f), 5}, {0.9f, 6},        {above(0.9f), 6}, {below(1.0f), 6},
  };
  for (const Case& c : cases) EXPECT_EQ(rollFromR(c.r), c.roll) << "r = " << c.r;
}

// The start player is floor(2r + 1): player 2 from r = 0.5 on, player 1 just below.
TEST(StartPlayer, halfIsTheBoundary) {
  EXPECT_EQ(startPlayerFromR(0.0f), 1);
  EXPECT_EQ(startPlayerFromR(std::nextafter(0.5f, 0.0f)), 1);
  EXPECT_EQ(startPlayerFromR(0.5f), 2);
  EXPECT_EQ(startPlayerFromR(std::nextafter(1.0f, 0.0f)), 2);
}

// The card number Int(r * 100 + 1) lies in 1..100; n <= 10 exactly for r below 0.1.
TEST(CardNumber, coversOneToHundred) {
  EXPECT_EQ(cardNumberFromR(0.0f), 1);
  EXPECT_EQ(cardNumberFromR(std::nextafter(0.1f, 0.0f)), 10);
  EXPECT_EQ(cardNumberFromR(0.1f), 11);
  EXPECT_EQ(cardNumberFromR(std::nextafter(1.0f, 0.0f)), 100);
}

// A car's picture is the one at min(position, goal), clamped at 0 below: never outside 0..goal.
TEST(ShownField, clampsToTheTrack) {
  const std::pair<int, int> cases[] = {{0, 0}, {17, 17}, {44, 44}, {45, 45}, {47, 45}, {50, 45}, {-3, 0}};
  for (auto [pos, field] : cases) EXPECT_EQ(shownField(pos, 45), field) << "position " << pos;
}

// A car faces the way the track leads on from its field (straight down counts as right);
// on the goal, the way the track came.
TEST(Track, eachCarFacesTheWayTheTrackLeadsOn) {
  using namespace track;
  for (int i = 0; i < kFieldCount; ++i) {
    const std::size_t from = static_cast<std::size_t>(i == kGoalField ? i - 1 : i);
    EXPECT_EQ(facesRight(i), kSpots[from + 1].left >= kSpots[from].left) << "field " << i;
  }
}

// One litre per field: the car drives min(roll, tank) fields and the tank drops as much; the
// field on which it runs dry is driven; an empty tank drives 0 and the fuel label stays untouched.
TEST(Drive, fuelRuleOverRollsAndTanks) {
  struct Case {
    int roll, tank;
    int steps, tankAfter;
    bool tankWritten;
  };
  const Case cases[] = {
      {6, 10, 6, 4, true},                       // plenty
      {6, 4, 4, 0, true},                        // runs dry on field 4, which is still driven
      {3, 3, 3, 0, true},                        // runs dry on the last field of the roll
      {1, 1, 1, 0, true},  {5, 0, 0, 0, false},  // empty tank: no field, fuel label not written
      {1, 0, 0, 0, false}, {2, 7, 2, 5, true},  {6, 6, 6, 0, true}, {6, 500, 6, 494, true},
  };
  for (const Case& c : cases) {
    const Drive d = drive(c.roll, c.tank, 1);
    EXPECT_EQ(d.steps, c.steps) << "roll " << c.roll << ", tank " << c.tank;
    EXPECT_EQ(d.tank, c.tankAfter) << "roll " << c.roll << ", tank " << c.tank;
    EXPECT_EQ(d.tankWritten, c.tankWritten) << "roll " << c.roll << ", tank " << c.tank;
    EXPECT_TRUE(d.stepsWritten);
  }
}

// With more than one litre per field, the field whose cost empties the tank is still driven
// and the tank is held at 0; a roll of 0 (no roll yet) counts no step at all.
TEST(Drive, costlierFieldsAndNoRoll) {
  const Drive d = drive(5, 3, 2);
  EXPECT_EQ(d.steps, 2);
  EXPECT_EQ(d.tank, 0);
  const Drive none = drive(0, 10, 1);
  EXPECT_FALSE(none.stepsWritten);
  EXPECT_FALSE(none.tankWritten);
  EXPECT_EQ(none.tank, 10);
}

// A random source that plays given values and counts the draws.
struct Queue final : Random {
  std::deque<float> values;
  int draws = 0;
  float Rnd() override {
    ++draws;
    float v = values.empty() ? 0.99f : values.front();
    if (!values.empty()) values.pop_front();
    return v;
  }
  void Randomize() override {}
};

// After a win there is no event. Each player's first event is a question whatever r would
// give, and sets that player's flag (SpielerAmZug names the next player, so 1 means player 2
// has just moved). Afterwards a card comes only for n <= 10 while both cars stand on field
// goal - 5 or lower, and no value is drawn once a car has passed that field.
TEST(FieldEventRule, questionsFirstThenCardsOnlyBeforeField40) {
  struct Case {
    const char* what;
    bool spielEnde;
    int erster1, erster2, amZug, pos1, pos2;
    float r;
    FieldEvent event;
    int draws, erster1After, erster2After;
  };
  const Case cases[] = {
      {"win", true, 0, 0, 2, 45, 3, 0.0f, FieldEvent::None, 0, 0, 0},
      {"player 1 first, r would give a card", false, 0, 0, 2, 3, 0, 0.0f, FieldEvent::Question, 0, kTrue, 0},
      {"player 2 first", false, kTrue, 0, 1, 3, 4, 0.0f, FieldEvent::Question, 0, kTrue, kTrue},
      {"player 1 again before player 2's first", false, kTrue, 0, 2, 8, 0, 0.0f, FieldEvent::Question, 0, kTrue, 0},
      {"n = 7 at 12 and 40", false, kTrue, kTrue, 2, 12, 40, 0.06f, FieldEvent::Card, 1, kTrue, kTrue},
      {"n = 10", false, kTrue, kTrue, 1, 0, 0, std::nextafter(0.1f, 0.0f), FieldEvent::Card, 1, kTrue, kTrue},
      {"n = 11", false, kTrue, kTrue, 1, 0, 0, 0.1f, FieldEvent::Question, 1, kTrue, kTrue},
      {"player 2 at 41: no draw", false, kTrue, kTrue, 2, 12, 41, 0.0f, FieldEvent::Question, 0, kTrue, kTrue},
      {"player 1 at 47 (not a win here): no draw", false, kTrue, kTrue, 2, 47, 0, 0.0f, FieldEvent::Question, 0, kTrue,
       kTrue},
  };
  for (const Case& c : cases) {
    Flag e1 = c.erster1, e2 = c.erster2;
    Queue q;
    q.values = {c.r};
    const FieldEvent got = decideFieldEvent({c.spielEnde, e1, e2, c.amZug, c.pos1, c.pos2, 45}, q);
    EXPECT_EQ(got, c.event) << c.what;
    EXPECT_EQ(q.draws, c.draws) << c.what;
    EXPECT_EQ(e1, c.erster1After) << c.what;
    EXPECT_EQ(e2, c.erster2After) << c.what;
  }
}

}  // namespace
}  // namespace tj::race
