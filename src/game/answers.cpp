// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/answers.h"

#include <cmath>

namespace tj {

Int16 slotForDraw(float r) { return Int16(static_cast<int>(std::floor(static_cast<double>(r) * 4.0))); }

int buttonForLabel(int labelIndex, Int16 zufallsplatz) {
  if (labelIndex == kRightAnswerLabel) return zufallsplatz.value();
  if (labelIndex == zufallsplatz.value()) return 3;
  return labelIndex;
}

std::array<std::string, 4> spreadAnswers(const std::array<std::string, 4>& labels, Int16 zufallsplatz) {
  std::array<std::string, 4> buttons;
  // The right answer first, then the wrong ones, as the labels take a record's texts.
  for (int label = kRightAnswerLabel; label >= 0; --label) {
    const int b = buttonForLabel(label, zufallsplatz);
    if (b >= 0 && b < 4) buttons[static_cast<std::size_t>(b)] = labels[static_cast<std::size_t>(label)];
  }
  return buttons;
}

}  // namespace tj
