// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tj {

// Raised when game arithmetic leaves the 16-bit range; nothing wraps silently.
class OverflowError : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// A 16-bit signed game value. +, - and * check the range and throw OverflowError
// instead of wrapping.
class Int16 {
 public:
  constexpr Int16() = default;
  constexpr Int16(int v) : v_(narrow(v)) {}  // NOLINT: game values are written as plain numbers

  constexpr int value() const { return v_; }
  friend constexpr bool operator==(Int16 a, Int16 b) { return a.v_ == b.v_; }
  friend constexpr auto operator<=>(Int16 a, Int16 b) { return a.v_ <=> b.v_; }

  friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(a.v_ + b.v_); }
  friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(a.v_ - b.v_); }
  friend constexpr Int16 operator*(Int16 a, Int16 b) { return Int16(a.v_ * b.v_); }
  constexpr Int16& operator+=(Int16 o) { return *this = *this + o; }
  constexpr Int16& operator-=(Int16 o) { return *this = *this - o; }

  // 32767 or -32768 instead of an overflow, for sums the game chooses to hold at the limit.
  static constexpr Int16 saturated(int v) { return Int16(v > kMax ? kMax : v < kMin ? kMin : v); }

  static constexpr int kMax = 32767;
  static constexpr int kMin = -32768;

 private:
  static constexpr int16_t narrow(int v) {
    if (v > kMax || v < kMin) throw OverflowError("Überlauf: " + std::to_string(v) + " passt in keine 16-Bit-Zahl");
    return static_cast<int16_t>(v);
  }
  int16_t v_ = 0;
};

// A 16-bit flag: True = -1, False = 0; set whenever it is not 0.
inline constexpr int kTrue = -1;
inline constexpr int kFalse = 0;
using Flag = Int16;

// The plain decimal text of a number: digits, a minus sign when negative, no blank.
inline std::string Str(int v) { return std::to_string(v); }
inline std::string Str(Int16 v) { return std::to_string(v.value()); }

// The whole number a label's text spells; text that spells none reads as 0.
int Val(const std::string& text);

}  // namespace tj
