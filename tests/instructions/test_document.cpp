// SPDX-License-Identifier: GPL-3.0-or-later
// The instructions as the program holds them after reading the stored document.
#include <gtest/gtest.h>

#include <optional>

#include "screens/instructions/rtf_reader.h"
#include "stored_document.h"

namespace tj::testing {
namespace {

const RichDocument& anleitung() {
  static const RichDocument doc = readRtf(storedAnleitung());
  return doc;
}

// How a paragraph sits: centred, centred with 40 twips before and after, a hanging list
// item (number left of the text), plain left or left with an indent.
enum class Layout { Centre, CentreSpaced, Left, List, Indent360, Indent708, Indent720 };

struct ParaCase {
  int n;
  Layout layout;
  const char* text;
  float markSize;  // height of the paragraph's own line
};

// Paragraphs of every kind; "\t" is a tab, and the blanks at the end of some lines belong
// to the text.
const ParaCase kParagraphs[] = {
    {1, Layout::Centre, "TANK-Jagd", 14},
    {2, Layout::Left, "", 14},
    {3, Layout::CentreSpaced, "Ein Spiel für Schnell-Denker, Strategen und umsichtige Fahrer.", 13},
    {4, Layout::CentreSpaced, "Ziel des Spiels: GEWINNEN ☺", 13},
    {8, Layout::CentreSpaced, "", 13},
    {10, Layout::Centre, "", 13},
    {16, Layout::Left, "", 14},
    {17, Layout::List, "1.\tWürfeln: ", 14},
    {18, Layout::List, "Klick mit der Maus auf das Feld „Würfeln „", 14},
    {27, Layout::List, "BEACHTE: ohne Sprit, kein Vorankommen.", 14},
    {40, Layout::Indent360, "", 14},
    {42, Layout::List, "5.\tSpaß haben!☺", 14},
    {43, Layout::Indent708, "", 14},
    {44, Layout::Indent720, "\t\t\tViel Glück!!!", 14},
    {45, Layout::Indent720, "", 14},
};

struct Expected {
  Align align;
  float spaceBefore, spaceAfter, leftIndent, firstLineIndent;
  std::vector<float> tabs;
};

Expected expectedLayout(Layout l) {
  switch (l) {
    case Layout::Centre:
      return {Align::Center, 0, 0, 0, 0, {}};
    case Layout::CentreSpaced:
      return {Align::Center, 40, 40, 0, 0, {}};
    case Layout::Left:
      return {Align::Left, 0, 0, 0, 0, {}};
    case Layout::List:
      return {Align::Left, 0, 0, 720, -360, {720}};
    case Layout::Indent360:
      return {Align::Left, 0, 0, 360, 0, {}};
    case Layout::Indent708:
      return {Align::Left, 0, 0, 708, 0, {}};
    case Layout::Indent720:
      return {Align::Left, 0, 0, 720, 0, {}};
  }
  return {};
}

// The paragraphs in their places, each with its text, alignment, spacing, indents and tab stops.
TEST(Anleitung, holdsEveryParagraphInOrderWithItsLayout) {
  const RichDocument& doc = anleitung();
  ASSERT_EQ(doc.paragraphs.size(), 45u);
  for (const ParaCase& c : kParagraphs) {
    SCOPED_TRACE("paragraph " + std::to_string(c.n));
    const RichParagraph& p = doc.paragraphs.at(static_cast<std::size_t>(c.n - 1));
    const Expected e = expectedLayout(c.layout);
    EXPECT_EQ(p.text(), c.text);
    EXPECT_EQ(p.alignment, e.align);
    EXPECT_EQ(p.spaceBefore, e.spaceBefore);
    EXPECT_EQ(p.spaceAfter, e.spaceAfter);
    EXPECT_EQ(p.leftIndent, e.leftIndent);
    EXPECT_EQ(p.firstLineIndent, e.firstLineIndent);
    EXPECT_EQ(p.tabStops, e.tabs);
    EXPECT_EQ(p.mark.size, c.markSize);
    EXPECT_EQ(p.headingLevel, c.n == 1 ? 1 : c.n == 4 ? 2 : 0);
    EXPECT_EQ(p.keepWithNext, c.n == 1 || c.n == 4);
  }
}

// Document-wide settings: default font, one light-yellow colour for all text, German,
// default tab stops every 708 twips.
TEST(Anleitung, documentSettings) {
  const RichDocument& doc = anleitung();
  EXPECT_EQ(doc.defaultFont, "Comic Sans MS");
  EXPECT_EQ(doc.textColor, Color::rgb(255, 255, 153));
  EXPECT_EQ(doc.language, "de-DE");
  EXPECT_EQ(doc.defaultTabWidth, 708);
  for (const RichParagraph& p : doc.paragraphs)
    for (const RichRun& r : p.runs) EXPECT_FALSE(r.color.has_value()) << "run \"" << r.text << "\" has its own colour";
}

struct RunCase {
  int n;
  const char* text;  // one whole run
  float size;
  bool bold, italic, underline;
  const char* font;  // "" = the document's default font
};

// The character formatting of the runs that carry it.
const RunCase kRuns[] = {
    {1, "TANK-Jagd", 14, true, true, true, ""},       {4, "Ziel des Spiels: GEWINNEN ", 13, true, false, false, ""},
    {4, "☺", 16, false, false, false, "DejaVu Sans"}, {17, "1.", 14, true, true, false, ""},
    {17, "Würfeln:", 14, true, true, true, ""},       {32, "leichte Frage", 14, true, true, false, ""},
    {33, "2 Liter", 14, true, true, false, ""},       {42, "☺", 18, false, false, false, "DejaVu Sans"},
    {44, "Viel Glück!!!", 20, true, true, false, ""},
};

TEST(Anleitung, keyRunsCarryTheirCharacterFormatting) {
  const RichDocument& doc = anleitung();
  ASSERT_EQ(doc.paragraphs.size(), 45u);
  for (const RunCase& c : kRuns) {
    SCOPED_TRACE("paragraph " + std::to_string(c.n) + " run \"" + c.text + "\"");
    const RichParagraph& p = doc.paragraphs.at(static_cast<std::size_t>(c.n - 1));
    const RichRun* run = nullptr;
    for (const RichRun& r : p.runs)
      if (r.text == c.text) run = &r;
    ASSERT_NE(run, nullptr) << "no run with exactly this text";
    EXPECT_EQ(run->size, c.size);
    EXPECT_EQ(run->bold, c.bold);
    EXPECT_EQ(run->italic, c.italic);
    EXPECT_EQ(run->underline, c.underline);
    EXPECT_EQ(run->font, c.font);
  }
}

// The blank that ends a numbered heading is not underlined, so it does not show.
TEST(Anleitung, trailingBlanksOfHeadingsAreNotUnderlined) {
  for (int n : {17, 22, 29, 38}) {
    const RichParagraph& p = anleitung().paragraphs.at(static_cast<std::size_t>(n - 1));
    ASSERT_FALSE(p.runs.empty());
    EXPECT_EQ(p.runs.back().text, " ") << "paragraph " << n;
    EXPECT_FALSE(p.runs.back().underline) << "paragraph " << n;
  }
}

}  // namespace
}  // namespace tj::testing
