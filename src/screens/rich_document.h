// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "screens/element.h"

namespace tj {

// A formatted document for a rich-text box, independent of any toolkit.
// Lengths are in twips, font sizes in points.
struct RichRun {
  std::string text;  // UTF-8; "\t" is a tab, "\n" a line break within the paragraph
  std::string font;
  float size = 12;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<Color> color;  // none: the document's text colour
};

struct RichParagraph {
  Align alignment = Align::Left;
  float spaceBefore = 0;
  float spaceAfter = 0;
  float leftIndent = 0;
  float firstLineIndent = 0;  // relative to leftIndent; negative hangs
  std::vector<float> tabStops;
  int headingLevel = 0;  // 0 = body text
  bool keepWithNext = false;
  std::vector<RichRun> runs;
  // The formatting of the paragraph mark (text always empty): it sets the height of an
  // empty paragraph.
  RichRun mark;

  // The paragraph's text, runs joined.
  std::string text() const {
    std::string t;
    for (const RichRun& r : runs) t += r.text;
    return t;
  }
};

struct RichDocument {
  std::string defaultFont;
  Color textColor;
  float defaultTabWidth = 720;
  std::string language;  // BCP 47 tag, e.g. "de-DE"; empty when unknown
  std::vector<RichParagraph> paragraphs;
};

}  // namespace tj
