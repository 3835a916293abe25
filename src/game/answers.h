// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "game/int16.h"

namespace tj {

// Index of the answer label that holds the right answer ("Antwort Richtig"); labels
// 0 to 2 hold the wrong answers "Antwort1" to "Antwort3".
inline constexpr int kRightAnswerLabel = 3;

// The button the right answer goes to for a random r in [0, 1): Int(r * 4), 0 to 3.
Int16 slotForDraw(float r);

// The button that shows the text of answer label `labelIndex` (0 to 3), given the slot
// drawn for the right answer: the right answer goes to the slot, the wrong answer whose
// own button the slot took goes to button 3, every other wrong answer keeps its own button.
int buttonForLabel(int labelIndex, Int16 zufallsplatz);

// The four button texts of a full record: labels[i] is the text of answer label i.
std::array<std::string, 4> spreadAnswers(const std::array<std::string, 4>& labels, Int16 zufallsplatz);

}  // namespace tj
