// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/random.h"

#include <chrono>

namespace tj {

float ClockSeededRandom::Rnd() {
  // 24 random bits give every float in [0, 1) on a 2^-24 grid; never 1.0.
  return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

void ClockSeededRandom::Randomize() {
  // Two reseeds within one millisecond still give different sequences.
  const auto t = static_cast<uint64_t>(clock_.nowMs());
  std::seed_seq seq{static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32), ++reseeds_};
  engine_.seed(seq);
}

int64_t SystemClock::nowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace tj
