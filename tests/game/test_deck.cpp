// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/deck.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tj {
namespace {

const float kBelowOne = std::nextafter(1.0f, 0.0f);

// k = Int(r * n + 1): r = 0 takes the first record, r just below 1 the last, never n + 1.
TEST(RecordForDraw, firstAndLastAtTheEndsOfTheRange) {
  for (const int32_t n : {1, 7, 160, 1000}) {
    EXPECT_EQ(recordForDraw(0.0f, n), 1) << n;
    EXPECT_EQ(recordForDraw(kBelowOne, n), n) << n;
    EXPECT_EQ(recordForDraw(0.5f, n), n / 2 + 1) << n;
  }
}

Deck stocked(std::vector<std::string> topics) {
  Deck d;
  d.stock(7, topics);
  return d;
}

// A draw takes record Int(r * m + 1) of the m records not drawn yet, in stored order; once
// all are drawn they go back, and the one drawn last cannot come first.
TEST(Deck, drawsAmongTheUndrawnAndStartsAgainWithoutTheLast) {
  Deck d = stocked(std::vector<std::string>(4));
  const std::pair<float, int32_t> draws[] = {
      {0.0f, 1},      {0.0f, 2}, {kBelowOne, 4}, {0.0f, 3},  // one round
      {kBelowOne, 4},                                        // 1, 2, 4 only: 3 came last
      {kBelowOne, 3},                                        // 3 is back
  };
  for (const auto& [r, record] : draws) EXPECT_EQ(d.draw(r, {}), record) << "r = " << r;
  EXPECT_EQ(d.drawnCount(), 2);
}

// A deck of one record always gives it; an empty deck gives 0.
TEST(Deck, oneRecordComesEveryTimeAndNoneGivesZero) {
  Deck one = stocked({""});
  for (int i = 0; i < 3; ++i) EXPECT_EQ(one.draw(kBelowOne, {}), 1);
  Deck none = stocked({});
  EXPECT_EQ(none.draw(0.0f, {}), 0);
}

// Only records of chosen topics are drawn; the round that ends starts again for those alone,
// so records of a topic chosen later are still new. A choice allowing nothing allows all.
TEST(Deck, followsTheTopicChoice) {
  Deck d = stocked({"Erdkunde", "Sport", "Erdkunde", "", "Sport"});
  EXPECT_EQ(d.topics(), (std::vector<TopicCount>{{"Erdkunde", 2}, {"Sport", 2}, {"", 1}}));
  const TopicChoice noErdkunde{{"Erdkunde"}};
  EXPECT_EQ(d.allowedBy(noErdkunde), 3);
  EXPECT_EQ(d.draw(0.0f, noErdkunde), 2);
  EXPECT_EQ(d.draw(0.0f, noErdkunde), 4);
  EXPECT_EQ(d.draw(0.0f, noErdkunde), 5);
  EXPECT_EQ(d.draw(kBelowOne, noErdkunde), 4);  // 2 and 4 back, 5 came last
  EXPECT_EQ(d.draw(0.0f, {}), 1);               // Erdkunde was never drawn
  const TopicChoice nothing{{"Erdkunde", "Sport", ""}};
  EXPECT_EQ(d.allowedBy(nothing), 0);
  EXPECT_EQ(d.draw(0.0f, nothing), 2);
}

// Another reading of the table starts the deck anew: nothing drawn, no last record.
TEST(Deck, anotherVersionStartsAnew) {
  Deck d = stocked({"", ""});
  EXPECT_TRUE(d.holds(7));
  EXPECT_FALSE(d.holds(8));
  EXPECT_FALSE(Deck().holds(0));
  EXPECT_EQ(d.draw(0.0f, {}), 1);
  d.stock(8, {"", ""});
  EXPECT_EQ(d.drawnCount(), 0);
  EXPECT_EQ(d.draw(0.0f, {}), 1);
}

}  // namespace
}  // namespace tj
