// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "game/int16.h"

namespace tj {
namespace {

// Game arithmetic is 16-bit signed and never wraps: leaving the range is an error.
TEST(Int16, arithmeticThatLeavesTheRangeThrows) {
  EXPECT_THROW(Int16(32767) + Int16(1), OverflowError);
  EXPECT_THROW(Int16(-32768) - Int16(1), OverflowError);
  EXPECT_THROW(Int16(200) * Int16(200), OverflowError);
  Int16 tank = 32760;
  EXPECT_THROW(tank += 500, OverflowError);
  EXPECT_EQ(tank, 32760) << "a failed addition leaves the value as it was";
  EXPECT_EQ(Int16(32766) + Int16(1), 32767);
  EXPECT_EQ(Int16(-32767) - Int16(1), -32768);
}

TEST(Int16, saturatedHoldsAtTheLimits) {
  EXPECT_EQ(Int16::saturated(40000), 32767);
  EXPECT_EQ(Int16::saturated(-40000), -32768);
  EXPECT_EQ(Int16::saturated(12), 12);
}

// Numbers go into labels as plain decimal text and come back as the number they spell.
TEST(Int16, decimalTextRoundTrips) {
  EXPECT_EQ(Str(10), "10");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(0), "0");
  for (int v : {0, 6, -3, 32767, -32768}) EXPECT_EQ(Val(Str(v)), v);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("liter"), 0);
}

}  // namespace
}  // namespace tj
