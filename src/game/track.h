// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

namespace tj::track {

// The race track as the board lays it out, in twips of the board's design area. The board,
// the setup, the picture generator that paints the road and the tests all read it here.

constexpr int kFieldCount = 46;  // fields 0 (start) to 45 (goal)
constexpr int kGoalField = kFieldCount - 1;

// Left/Top of the car picture standing on a field; both players share it.
struct Spot {
  int left;
  int top;
};
extern const std::array<Spot, kFieldCount> kSpots;

// The car picture on every field, on the setup screen too.
constexpr int kCarWidth = 1065;
constexpr int kCarHeight = 495;
// Two cars on one field are drawn this far above and below the field's Top.
constexpr int kPairShift = 250;

// The board's design area; the background picture fills it below kBackgroundTop.
constexpr int kBoardWidth = 15360;
constexpr int kBoardHeight = 11520;
constexpr int kBackgroundTop = 1200;

// A stretch of fields on which the track runs one way; a car there faces that way.
struct Run {
  int first;
  int last;
  bool right;
};
constexpr std::array<Run, 4> kRuns{{{0, 15, true}, {16, 26, false}, {27, 35, true}, {36, 45, false}}};

// Does the car on `field` face right? Fields outside every run face left.
constexpr bool facesRight(int field) {
  for (const Run& r : kRuns)
    if (field >= r.first && field <= r.last) return r.right;
  return false;
}

}  // namespace tj::track
