// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/element.h"

#include <algorithm>

#include "screens/screen.h"

namespace tj {

namespace {
uint64_t g_revision = 1;
}

uint64_t modelRevision() { return g_revision; }

Element::Element(Screen& screen, std::string name, ElementKind kind)
    : screen_(screen), name_(std::move(name)), kind_(kind) {
  if (kind == ElementKind::Label || kind == ElementKind::Frame) back_ = Color::buttonFace();
  if (kind == ElementKind::TextBox || kind == ElementKind::RichText) back_ = Color::rgb(255, 255, 255);
}

void Element::touch() { rev_ = ++g_revision; }

void Element::setCaption(std::string text) {
  if (text != caption_) {
    caption_ = std::move(text);
    touch();
  }
  // A change handler runs on every assignment, as bound labels rely on.
  if (Change) Change();
}

#define TJ_SETTER(fn, member, type) \
  void Element::fn(type v) {        \
    if (!(member == v)) {           \
      member = v;                   \
      touch();                      \
    }                               \
  }
TJ_SETTER(setVisible, visible_, bool)
TJ_SETTER(setEnabled, enabled_, bool)
TJ_SETTER(setBackColor, back_, Color)
TJ_SETTER(setForeColor, fore_, Color)
TJ_SETTER(setLeft, left_, float)
TJ_SETTER(setTop, top_, float)
TJ_SETTER(setWidth, width_, float)
TJ_SETTER(setHeight, height_, float)
TJ_SETTER(setInterval, interval_, int)
TJ_SETTER(setTimerEnabled, timerEnabled_, bool)
TJ_SETTER(setMark, mark_, Mark)
TJ_SETTER(setValue, value_, bool)
#undef TJ_SETTER

void Element::setDescription(std::string text) {
  if (text != description_) {
    description_ = std::move(text);
    touch();
  }
}

const char* markSymbol(Mark m) {
  switch (m) {
    case Mark::Right:
      return "\u2714";
    case Mark::Wrong:
      return "\u2718";
    case Mark::None:
      break;
  }
  return "";
}

const char* markWords(Mark m) {
  switch (m) {
    case Mark::Right:
      return "richtige Antwort";
    case Mark::Wrong:
      return "falsch gewählt";
    case Mark::None:
      break;
  }
  return "";
}

std::string Element::spokenName() const {
  const bool captioned = kind_ == ElementKind::Label || kind_ == ElementKind::Button || kind_ == ElementKind::Frame ||
                         kind_ == ElementKind::CheckBox;
  std::string n = !accessibleName.empty() ? accessibleName : captioned ? caption_ : name_;
  if (mark_ != Mark::None) n += std::string(" (") + markWords(mark_) + ")";
  return n;
}

namespace {
std::size_t characters(const std::string& utf8) {
  std::size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}
}  // namespace

std::vector<int> TableContent::columnWeights() const {
  std::vector<int> weights;
  for (std::size_t col = 0; col < headings.size(); ++col) {
    std::size_t longest = characters(headings[col]) + 2;  // headings are bold
    for (const auto& row : rows)
      if (col < row.size()) longest = std::max(longest, characters(row[col]));
    weights.push_back(static_cast<int>(std::clamp<std::size_t>(longest, 4, 60)));
  }
  return weights;
}

void Element::setTable(TableContent content) {
  if (!(content == table_)) {
    table_ = std::move(content);
    touch();
  }
}

void Element::setPicture(Picture p) {
  picture_ = std::move(p);
  touch();  // a new picture object even when it names the same file
}

void Element::move(float left, float top, float width, float height) {
  setLeft(left);
  setTop(top);
  setWidth(width);
  setHeight(height);
}

}  // namespace tj
