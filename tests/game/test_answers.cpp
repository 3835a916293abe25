// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "game/answers.h"

namespace tj {
namespace {

// The slot is Int(r * 4): the four quarters of [0, 1) give 0 to 3, never 4.
TEST(AnswerSlot, quartersOfTheDrawGiveSlotsZeroToThree) {
  const std::pair<float, int> cases[] = {
      {0.0f, 0}, {0.2499999f, 0}, {0.25f, 1}, {0.4999999f, 1}, {0.5f, 2}, {0.7499999f, 2}, {0.75f, 3}, {0.99999994f, 3},
  };
  for (auto [r, slot] : cases) EXPECT_EQ(slotForDraw(r), slot) << "r = " << r;
}

// The right answer lands on the drawn slot, the wrong answer it displaces on button 3,
// and every button gets exactly one text.
TEST(AnswerSpreading, rightAnswerOnTheSlotAndEveryButtonOnce) {
  for (int s = 0; s < 4; ++s) {
    std::array<int, 4> hits{};
    for (int label = 0; label < 4; ++label) ++hits[static_cast<std::size_t>(buttonForLabel(label, s))];
    EXPECT_EQ(hits, (std::array<int, 4>{1, 1, 1, 1})) << "slot " << s;
    EXPECT_EQ(buttonForLabel(kRightAnswerLabel, s), s);
    if (s < 3) {
      EXPECT_EQ(buttonForLabel(s, s), 3);
    }
  }
}

}  // namespace
}  // namespace tj
