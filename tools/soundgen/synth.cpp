// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tj::soundgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.6;       // of full scale: never harsh
constexpr double kLoudness = 0.15;  // root mean square of full scale, so that all sound alike loud

// A mono track in floating point, seconds in and out.
class Track {
 public:
  explicit Track(double seconds) : s_(static_cast<std::size_t>(seconds * kRate), 0.0) {}

  // A note from `start` for `length` seconds, gliding from f0 to f1 Hz. `partials` are the
  // amplitudes of the 1st, 2nd, ... harmonics; `decay` the exponential fall per second
  // (0: held); a short attack and release keep the edges free of clicks.
  void note(double start, double length, double f0, double f1, std::vector<double> partials, double amp,
            double decay = 0, double vibrato = 0) {
    double phase = 0;
    forEach(start, length, [&](std::size_t i, double t) {
      const double f = f0 + (f1 - f0) * t / length;
      phase += 2 * kPi * f * (1 + vibrato * std::sin(2 * kPi * 6 * t)) / kRate;
      double v = 0;
      for (std::size_t k = 0; k < partials.size(); ++k) v += partials[k] * std::sin(phase * double(k + 1));
      s_[i] += amp * v * std::exp(-decay * t) * edges(t, length);
    });
  }

  // Noise through a one-pole low pass whose corner moves from c0 to c1 (0..1 of the band).
  void noise(double start, double length, double c0, double c1, double amp, double decay = 0) {
    double low = 0;
    forEach(start, length, [&](std::size_t i, double t) {
      const double c = c0 + (c1 - c0) * t / length;
      low += c * (nextNoise() - low);
      s_[i] += amp * low * std::exp(-decay * t) * edges(t, length);
    });
  }

  // Scaled to kLoudness, unless that would lift the loudest sample above kPeak.
  sound::Wave finish() const {
    double peak = 1e-9, power = 1e-9;
    for (double v : s_) {
      peak = std::max(peak, std::abs(v));
      power += v * v;
    }
    const double gain = std::min(kPeak / peak, kLoudness / std::sqrt(power / double(s_.size())));
    sound::Wave w;
    w.rate = kRate;
    w.samples.reserve(s_.size());
    for (double v : s_)
      w.samples.push_back(static_cast<int16_t>(std::clamp(std::lround(v * gain * 32767), -32767L, 32767L)));
    return w;
  }

 private:
  template <class F>
  void forEach(double start, double length, F f) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    for (std::size_t n = 0; n < count && first + n < s_.size(); ++n) f(first + n, double(n) / kRate);
  }
  static double edges(double t, double length) {
    constexpr double kAttack = 0.004, kRelease = 0.02;
    return std::min({1.0, t / kAttack, (length - t) / kRelease});
  }
  // A fixed-seed linear congruential generator: uniform in [-1, 1).
  double nextNoise() {
    seed_ = seed_ * 1664525u + 1013904223u;
    return double(seed_ >> 8) / double(1u << 23) - 1.0;
  }
  std::vector<double> s_;
  uint32_t seed_ = 20061207u;
};

const std::vector<double> kBell = {1, 0.35, 0.12, 0.05};
const std::vector<double> kReed = {1, 0, 0.33, 0, 0.2, 0, 0.14};  // odd harmonics: hollow
const std::vector<double> kBrass = {1, 0.6, 0.45, 0.3, 0.2, 0.1};

// The die rattles over the table: clicks closer and closer together, then it lies still.
Track roll() {
  Track t(0.42);
  const double clicks[] = {0, 0.075, 0.14, 0.195, 0.24, 0.275, 0.3};
  double pitch = 1500;
  for (double at : clicks) {
    t.noise(at, 0.03, 0.6, 0.2, 1.0, 120);
    t.note(at, 0.04, pitch, pitch * 0.9, kBell, 0.35, 90);
    pitch -= 90;
  }
  t.note(0.3, 0.12, 180, 140, {1, 0.3}, 0.5, 30);  // the last knock
  return t;
}

// An engine revs up and drives away.
Track driveOut() {
  Track t(0.7);
  t.note(0, 0.7, 70, 170, {1, 0.7, 0.5, 0.35, 0.25, 0.15}, 0.6, 1.5, 0.04);
  t.noise(0, 0.7, 0.08, 0.25, 0.5, 2.5);
  return t;
}

// Two rising bell notes.
Track right() {
  Track t(0.5);
  t.note(0, 0.14, 659.26, 659.26, kBell, 0.8, 6);
  t.note(0.12, 0.38, 880, 880, kBell, 1.0, 6);
  return t;
}

// Two falling, hollow low notes.
Track wrong() {
  Track t(0.55);
  t.note(0, 0.2, 311.13, 311.13, kReed, 0.8, 2, 0.01);
  t.note(0.2, 0.35, 233.08, 220, kReed, 0.9, 3, 0.01);
  return t;
}

// A card slides out, then a chime.
Track card() {
  Track t(0.45);
  t.noise(0, 0.14, 0.05, 0.5, 0.8);
  t.note(0.1, 0.35, 1046.5, 1046.5, kBell, 0.6, 9);
  t.note(0.1, 0.35, 1568, 1568, kBell, 0.35, 9);
  return t;
}

// A car horn, twice: the turn is lost.
Track skip() {
  Track t(0.45);
  for (double at : {0.0, 0.24}) {
    t.note(at, 0.18, 440, 440, kReed, 0.5);
    t.note(at, 0.18, 554.37, 554.37, kReed, 0.4);
  }
  return t;
}

// A short fanfare up to the high C, held.
Track win() {
  Track t(0.95);
  const double notes[] = {523.25, 659.26, 783.99};
  for (int i = 0; i < 3; ++i) t.note(0.11 * i, 0.14, notes[i], notes[i], kBrass, 0.8, 4);
  t.note(0.33, 0.62, 1046.5, 1046.5, kBrass, 0.9, 2.5, 0.006);
  t.note(0.33, 0.62, 523.25, 523.25, kBell, 0.4, 2.5);
  return t;
}

}  // namespace

sound::Wave synthesise(Sound s) {
  switch (s) {
    case Sound::Roll:
      return roll().finish();
    case Sound::DriveOut:
      return driveOut().finish();
    case Sound::Right:
      return right().finish();
    case Sound::Wrong:
      return wrong().finish();
    case Sound::Card:
      return card().finish();
    case Sound::Skip:
      return skip().finish();
    case Sound::Win:
      return win().finish();
  }
  return {};
}

}  // namespace tj::soundgen
