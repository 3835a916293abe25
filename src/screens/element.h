// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tj {

class Screen;
struct RichDocument;  // a formatted document shown by a rich-text box

// Increases with every change to any element; the front end skips work when it has not moved.
uint64_t modelRevision();

// A colour: plain RGB, or one of the system colours the screens use.
struct Color {
  enum class System : uint8_t { None, Highlight, HighlightText, ButtonFace, WindowText };
  System system = System::None;
  uint8_t r = 0, g = 0, b = 0;

  static constexpr Color rgb(uint8_t r, uint8_t g, uint8_t b) { return {System::None, r, g, b}; }
  static constexpr Color highlight() { return {System::Highlight, 0, 0, 0}; }
  static constexpr Color highlightText() { return {System::HighlightText, 0, 0, 0}; }
  static constexpr Color buttonFace() { return {System::ButtonFace, 0, 0, 0}; }
  static constexpr Color windowText() { return {System::WindowText, 0, 0, 0}; }
  friend bool operator==(const Color&, const Color&) = default;
};

// The system colours as the game draws them, whatever the desktop's theme: the classic look.
constexpr Color resolved(Color c) {
  switch (c.system) {
    case Color::System::Highlight:
      return Color::rgb(12, 58, 138);
    case Color::System::HighlightText:
      return Color::rgb(255, 255, 255);
    case Color::System::ButtonFace:
      return Color::rgb(236, 233, 216);
    case Color::System::WindowText:
      return Color::rgb(0, 0, 0);
    case Color::System::None:
      break;
  }
  return c;
}

inline constexpr Color kGreen = Color::rgb(0, 255, 0);  // right answer
inline constexpr Color kRed = Color::rgb(255, 0, 0);    // wrong answer
inline constexpr Color kCream = Color::rgb(255, 255, 192);
inline constexpr Color kPastelYellow = Color::rgb(255, 255, 128);  // the card, winner and instructions windows

struct Font {
  std::string name = "MS Sans Serif";
  float size = 8.25f;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// What a picture element shows: nothing, a picture stored with the program, a picture
// file, or a short text the program draws itself (for example a die's number when its
// face file cannot be read). Size is the picture's own size in pixels where known.
struct Picture {
  enum class Kind : uint8_t { None, Stored, File, Text };
  Kind kind = Kind::None;
  std::string ref;  // resource name, file path or text
  int pixelWidth = 0;
  int pixelHeight = 0;

  static Picture none() { return {}; }
  static Picture stored(std::string name, int w, int h) { return {Kind::Stored, std::move(name), w, h}; }
  static Picture file(std::string path, int w, int h) { return {Kind::File, std::move(path), w, h}; }
  static Picture text(std::string t) { return {Kind::Text, std::move(t), 0, 0}; }
  bool empty() const { return kind == Kind::None; }
  friend bool operator==(const Picture&, const Picture&) = default;
};

// Geometry is in twips. A dialog is drawn unscaled at this many twips to the pixel, and a
// picture's own size in pixels takes that many twips per pixel; full-screen windows scale.
inline constexpr int kTwipsPerPixel = 15;

enum class ElementKind : uint8_t { Label, Button, Picture, TextBox, Timer, Frame, RichText, Table, CheckBox };

// What a table shows: a heading per column and rows of plain text, one cell per column.
struct TableContent {
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
  // The share of the width each column asks for: its longest text in characters (a heading
  // two more), at least 4 and at most 60, so that long texts get the room and numbers little.
  std::vector<int> columnWeights() const;
  friend bool operator==(const TableContent&, const TableContent&) = default;
};

// A sign drawn on a button besides its colour, so that right and wrong read without colour.
enum class Mark : uint8_t { None, Right, Wrong };
// The sign drawn for a mark ("✔", "✘", or empty) and the words a screen reader adds for it.
const char* markSymbol(Mark m);
const char* markWords(Mark m);
enum class Align : uint8_t { Left, Center, Right };

// One named element of a screen. Geometry is in twips relative to the screen's client
// area (or to the frame that holds the element), as single-precision values. Every
// setter that changes what is drawn marks the element changed for the front end.
class Element {
 public:
  Element(Screen& screen, std::string name, ElementKind kind);
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  const std::string& name() const { return name_; }
  ElementKind kind() const { return kind_; }
  Screen& screen() const { return screen_; }

  // Caption of a label, button, check box or frame; text of a text box.
  const std::string& Caption() const { return caption_; }
  void setCaption(std::string text);
  bool Visible() const { return visible_; }
  void setVisible(bool v);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool v);
  // Whether a check box is ticked; a click on it ticks or unticks it before its Click runs.
  bool Value() const { return value_; }
  void setValue(bool ticked);
  // The rows a table shows.
  const TableContent& table() const { return table_; }
  void setTable(TableContent content);
  const Picture& picture() const { return picture_; }
  void setPicture(Picture p);
  Color BackColor() const { return back_; }
  void setBackColor(Color c);
  Color ForeColor() const { return fore_; }
  void setForeColor(Color c);
  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void setLeft(float v);
  void setTop(float v);
  void setWidth(float v);
  void setHeight(float v);
  void move(float left, float top, float width, float height);

  // Look, set while the screen builds its layout.
  Font font;
  Align alignment = Align::Left;
  bool transparent = false;  // label drawn without its background
  bool stretch = false;      // picture stretched to the rectangle
  bool autoSize = false;     // label sizes itself to its text, keeping its left edge
  bool wordWrap = true;
  int tabIndex = -1;             // focus order; -1 takes no focus
  Element* container = nullptr;  // the frame this element sits in
  bool scrolls = false;          // a frame whose elements reach below it scrolls them
  bool cancel = false;           // a button that Esc presses (windows the players may leave)
  std::string accessibleName;    // what a picture shows, for screen readers
  // What a screen reader says beyond the name: what has just happened and what to do now.
  const std::string& Description() const { return description_; }
  void setDescription(std::string text);
  Mark mark() const { return mark_; }
  void setMark(Mark m);
  // The name a screen reader announces: the accessible name, else the whole caption of a
  // label, button or frame (even an empty one), else the element's name; a mark is said
  // in words after it.
  std::string spokenName() const;
  std::shared_ptr<const RichDocument> document;  // rich-text box contents

  // Timer
  int Interval() const { return interval_; }
  void setInterval(int ms);
  bool TimerEnabled() const { return timerEnabled_; }
  void setTimerEnabled(bool on);

  // Handlers, wired by the screen. Key codes are 16-bit character codes.
  std::function<void()> Click;
  std::function<void(int& keyAscii)> KeyPress;
  std::function<void()> Timer;
  std::function<void()> Change;

  // Increases whenever something drawn changes.
  uint64_t revision() const { return rev_; }

 private:
  void touch();

  Screen& screen_;
  std::string name_;
  ElementKind kind_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  bool value_ = false;
  TableContent table_;
  Picture picture_;
  Color back_ = Color::buttonFace();
  Color fore_ = Color::windowText();
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int interval_ = 0;
  bool timerEnabled_ = false;
  std::string description_;
  Mark mark_ = Mark::None;
  uint64_t rev_ = 1;
};

}  // namespace tj
