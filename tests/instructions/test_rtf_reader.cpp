// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader on good and bad input: it never fails and keeps what it could read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/instructions/rtf_reader.h"
#include "stored_document.h"

namespace tj::testing {
namespace {

std::vector<std::string> texts(const RichDocument& doc) {
  std::vector<std::string> out;
  for (const RichParagraph& p : doc.paragraphs) out.push_back(p.text());
  return out;
}

bool validUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (int k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += len;
  }
  return true;
}

struct BadCase {
  const char* what;
  std::string input;
  std::vector<std::string> paragraphs;  // texts of what can be read
};

// Broken, truncated or foreign input gives the paragraphs that could be read.
TEST(RtfReader, badInputGivesWhatCouldBeRead) {
  const std::vector<BadCase> cases = {
      {"empty", "", {}},
      {"lone backslash", "\\", {}},
      {"no closing brace", "{\\rtf1 Hallo", {"Hallo"}},
      {"extra closing braces", "{\\rtf1 A\\par}}}} B\\par", {"A", " B"}},
      {"unclosed groups", "{\\rtf1 {{{\\b A\\par", {"A"}},
      {"unknown control words", "{\\rtf1 \\foo123 \\bar-7 A\\par}", {"A"}},
      {"truncated hex escape", "{\\rtf1 x\\'f", {"x"}},
      {"hex escape without digits", "{\\rtf1 x\\'zz\\par}", {"xzz"}},
      {"truncated unicode escape", "{\\rtf1 x\\u", {"x"}},
      {"unicode escape with fallback", "{\\rtf1 \\u252 u\\par", {"ü"}},
      {"unicode escape with a hex fallback", "{\\rtf1 \\u252\\'fc!\\par", {"ü!"}},
      {"unicode escape without fallback", "{\\rtf1 \\uc0\\u252 x\\par", {"üx"}},
      {"control word cut by the end", "{\\rtf1 A\\par\\par", {"A"}},
      {"negative unicode",
       "{\\rtf1 \\u-3913?A\\par}",
       {"\xEF\x82\xB7"
        "A"}},
      {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8638?\\par}", {"🙂"}},
      {"lone high surrogate", "{\\rtf1 \\u-10179?B\\par}", {"B"}},
      {"lone low surrogate",
       "{\\rtf1 \\u-8638?B\\par}",
       {"\xEF\xBF\xBD"
        "B"}},
      {"unknown ignorable destination", "{\\rtf1 {\\*\\geheim nicht zeigen}A\\par}", {"A"}},
      {"truncated font table", "{\\rtf1 {\\fonttbl{\\f0 Arial;}", {}},
      {"truncated colour table", "{\\rtf1 {\\colortbl;\\red255", {}},
      {"escaped braces", "{\\rtf1 \\{x\\}\\\\\\par}", {"{x}\\"}},
      {"plain text", "nur Text", {"nur Text"}},
      {"line break and tab", "{\\rtf1 a\\line b\\tab c\\par}", {"a\nb\tc"}},
      {"deep nesting", std::string(100000, '{') + "A\\par", {"A"}},
      {"many closing braces", "{\\rtf1 A\\par" + std::string(100000, '}'), {"A"}},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    RichDocument doc;
    ASSERT_NO_THROW(doc = readRtf(c.input));
    EXPECT_EQ(texts(doc), c.paragraphs);
  }
}

// Out-of-range values are clamped or ignored, never trusted.
TEST(RtfReader, outOfRangeValuesAreHarmless) {
  const RichDocument doc = readRtf(
      "{\\rtf1{\\colortbl;\\red999\\green-5\\blue20;}\\fs99999999999999999999 \\cf7 A\\par"
      "\\fs0\\cf1\\li-999999 B\\par\\f12 C\\par}");
  ASSERT_EQ(texts(doc), (std::vector<std::string>{"A", "B", "C"}));
  const RichRun& a = doc.paragraphs[0].runs.at(0);
  EXPECT_GT(a.size, 0);
  EXPECT_LE(a.size, 1638);
  EXPECT_FALSE(a.color.has_value()) << "colour 7 is not in the table";
  const RichRun& b = doc.paragraphs[1].runs.at(0);
  EXPECT_GE(b.size, 1);
  EXPECT_EQ(b.color, Color::rgb(255, 0, 20));
  EXPECT_GE(doc.paragraphs[1].leftIndent, -31680);
  EXPECT_EQ(doc.paragraphs[2].runs.at(0).font, "") << "font 12 is not in the table";
}

// Bytes that are not RTF at all (control characters, high bytes, NUL) become valid UTF-8.
TEST(RtfReader, garbageBecomesValidUtf8) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
  const RichDocument doc = readRtf(garbage);
  for (const RichParagraph& p : doc.paragraphs) {
    EXPECT_TRUE(validUtf8(p.text()));
    EXPECT_TRUE(validUtf8(p.mark.font));
  }
}

// Cutting the stored document anywhere keeps every paragraph completed before the cut
// exactly as in the whole document.
TEST(RtfReader, truncatedDocumentKeepsCompletedParagraphs) {
  const std::string full = storedAnleitung();
  const RichDocument whole = readRtf(full);
  ASSERT_EQ(whole.paragraphs.size(), 45u);
  std::size_t lastCount = 0;
  for (std::size_t cut = 0; cut <= full.size(); cut += 5) {
    const RichDocument part = readRtf(std::string_view(full).substr(0, cut));
    ASSERT_GE(part.paragraphs.size(), lastCount) << "cut at " << cut;
    lastCount = part.paragraphs.size();
    if (part.paragraphs.size() < 2) continue;
    for (std::size_t i = 0; i + 1 < part.paragraphs.size(); ++i)
      ASSERT_EQ(part.paragraphs[i].text(), whole.paragraphs[i].text()) << "cut at " << cut << ", paragraph " << i + 1;
  }
}

// Paragraph formatting and paragraph ends in a skipped group (a style sheet, a header)
// do not leak into the text.
TEST(RtfReader, skippedGroupsDoNotLeak) {
  const RichDocument doc =
      readRtf("{\\rtf1{\\stylesheet{\\s1\\qc\\keepn\\li500 heading 1;}}{\\header Kopf\\par}Text\\par}");
  ASSERT_EQ(texts(doc), std::vector<std::string>{"Text"});
  EXPECT_EQ(doc.paragraphs[0].alignment, Align::Left);
  EXPECT_FALSE(doc.paragraphs[0].keepWithNext);
  EXPECT_EQ(doc.paragraphs[0].leftIndent, 0);
}

}  // namespace
}  // namespace tj::testing
