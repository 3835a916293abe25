// SPDX-License-Identifier: GPL-3.0-or-later
// Where an element shows its text, as plain data. The dialogs build their elements from
// these boxes and the content rules measure record texts in them; the front end keeps the
// insets and the mark's room given here.
#pragma once
#include <algorithm>
#include <cmath>

#include "screens/element.h"

namespace tj {

// The room a button's caption keeps from each side and from top and bottom, in pixels.
inline constexpr int kButtonTextInsetX = 4, kButtonTextInsetY = 3;

// A marked button (a check or a cross) draws its mark as a square of markSide(h) pixels,
// kMarkIndent pixels into the caption's room, and moves its caption markRoom(h) pixels to
// the right; h is the button's height in pixels.
inline constexpr int kMarkIndent = 6;
constexpr int markSide(int buttonHeight) {
  return std::min(buttonHeight - 2 * kButtonTextInsetY, std::max(12, buttonHeight / 3));
}
constexpr int markRoom(int buttonHeight) { return markSide(buttonHeight) + kMarkIndent + 4; }

// An element that shows a text of a question or card record.
struct TextBox {
  float left = 0, top = 0, width = 0, height = 0;  // twips, in its container
  Font font;
  bool wordWrap = true;
  int insetX = 0, insetY = 0;  // pixels the text keeps from each side, and from top and bottom
  bool keepsMarkRoom = false;  // the text leaves room at its left for a mark (markRoom)
};

// Gives `e` the font and wrapping of `box`; its rectangle comes with Screen::add.
inline void takeLook(Element& e, const TextBox& box) {
  e.font = box.font;
  e.wordWrap = box.wordWrap;
}

// The pixels the text of `box` may fill in a dialog: its rectangle with the edges rounded
// as the front end rounds them, less the insets and the mark's room.
struct TextRoom {
  int width = 0, height = 0;
};
inline TextRoom textRoom(const TextBox& box) {
  const auto px = [](double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); };
  const int width = px(box.left + box.width) - px(box.left);
  const int height = px(box.top + box.height) - px(box.top);
  return {width - 2 * box.insetX - (box.keepsMarkRoom ? markRoom(height) : 0), height - 2 * box.insetY};
}

}  // namespace tj
