// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/race.h"

#include <algorithm>
#include <cmath>

namespace tj::race {

int rollFromR(float r) {
  // Each operation rounds to single precision on its own, as the die always has.
  volatile float scaled = r * 5.0f;
  const float shifted = scaled + 1.0f;
  return static_cast<int>(std::nearbyint(shifted));  // default mode: halves to even
}

int startPlayerFromR(float r) { return static_cast<int>(std::floor(2.0 * static_cast<double>(r) + 1.0)); }

int cardNumberFromR(float r) { return static_cast<int>(std::floor(static_cast<double>(r) * 100.0 + 1.0)); }

int shownField(Int16 position, Int16 goal) { return std::clamp(position.value(), 0, std::max(goal.value(), 0)); }

Drive drive(int roll, Int16 tank, Int16 perField) {
  Drive d{0, false, tank, false};
  for (int i = 1; i <= roll; ++i) {
    d.steps = i;
    d.stepsWritten = true;
    if (d.tank == 0) {
      d.steps = 0;
      break;
    }
    d.tank -= perField;
    d.tankWritten = true;
    if (d.tank < 1) {
      d.tank = 0;
      break;
    }
  }
  return d;
}

FieldEvent decideFieldEvent(FieldEventState s, Random& random) {
  if (s.spielEnde) return FieldEvent::None;
  if (!(s.ersterZug1 != kFalse && s.ersterZug2 != kFalse)) {
    if (s.spielerAmZug == 1)
      s.ersterZug2 = kTrue;  // player 2 has just moved
    else
      s.ersterZug1 = kTrue;
    return FieldEvent::Question;
  }
  const Int16 lastCardField = s.goal - 5;
  if (s.position1 <= lastCardField && s.position2 <= lastCardField) {
    if (cardNumberFromR(random.Rnd()) <= 10) return FieldEvent::Card;
  }
  return FieldEvent::Question;
}

}  // namespace tj::race
