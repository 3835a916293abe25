// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tj {
namespace {

struct FixedClock final : Clock {
  int64_t ms = 1'700'000'000'123;
  int64_t nowMs() const override { return ms; }
};

std::vector<float> draws(Random& r, int n) {
  std::vector<float> v;
  for (int i = 0; i < n; ++i) v.push_back(r.Rnd());
  return v;
}

// Every draw lies in [0, 1): a 1.0 would give a seventh die face and a fifth answer slot.
TEST(ClockSeededRandom, drawsStayBelowOne) {
  FixedClock clock;
  ClockSeededRandom r(clock);
  float lo = 1, hi = 0;
  for (float v : draws(r, 200000)) {
    ASSERT_GE(v, 0.0f);
    ASSERT_LT(v, 1.0f);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_LT(lo, 0.001f);
  EXPECT_GT(hi, 0.999f);
}

// Two reseeds in the same millisecond still give different sequences; a new millisecond
// gives another one again.
TEST(ClockSeededRandom, reseedsInOneMillisecondDiffer) {
  FixedClock clock;
  ClockSeededRandom r(clock);
  const auto first = draws(r, 8);
  r.Randomize();
  const auto second = draws(r, 8);
  r.Randomize();
  const auto third = draws(r, 8);
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
  FixedClock later;
  later.ms += 1;
  ClockSeededRandom other(later);
  EXPECT_NE(draws(other, 8), first);
}

}  // namespace
}  // namespace tj
