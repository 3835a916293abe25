// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <random>

namespace tj {

// Milliseconds from some fixed point; injected so tests control time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t nowMs() const = 0;
};

// The one program-wide random generator: uniform single-precision r in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  virtual float Rnd() = 0;
  // Seed afresh from the clock.
  virtual void Randomize() = 0;
};

// Mersenne twister seeded from an injected clock.
class ClockSeededRandom final : public Random {
 public:
  explicit ClockSeededRandom(const Clock& clock) : clock_(clock) { Randomize(); }
  float Rnd() override;
  void Randomize() override;

 private:
  const Clock& clock_;
  std::mt19937 engine_;
  uint32_t reseeds_ = 0;
};

// Wall-clock milliseconds since the epoch.
class SystemClock final : public Clock {
 public:
  int64_t nowMs() const override;
};

}  // namespace tj
