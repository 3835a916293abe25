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

// For each slot, the button each field's text ends on.
TEST(AnswerSpreading, eachSlotGivesItsLayout) {
  const std::array<std::string, 4> labels{"Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"};
  const std::array<std::array<std::string, 4>, 4> expected{{
      {"Antwort Richtig", "Antwort2", "Antwort3", "Antwort1"},
      {"Antwort1", "Antwort Richtig", "Antwort3", "Antwort2"},
      {"Antwort1", "Antwort2", "Antwort Richtig", "Antwort3"},
      {"Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"},
  }};
  for (int s = 0; s < 4; ++s) EXPECT_EQ(spreadAnswers(labels, s), expected[static_cast<std::size_t>(s)]) << "slot " << s;
}

TEST(AnswerSpreading, everyButtonGetsExactlyOneLabel) {
  for (int s = 0; s < 4; ++s) {
    std::array<int, 4> hits{};
    for (int label = 0; label < 4; ++label) ++hits[static_cast<std::size_t>(buttonForLabel(label, s))];
    EXPECT_EQ(hits, (std::array<int, 4>{1, 1, 1, 1})) << "slot " << s;
  }
}

}  // namespace
}  // namespace tj
