// SPDX-License-Identifier: GPL-3.0-or-later
// Characters read without a toolkit as Qt reads them: the content rules compared answers
// and questions through Qt before, and players must not see a different verdict now.

#include <QChar>
#include <QString>

#include <gtest/gtest.h>

#include "text/characters.h"

namespace {

TEST(Characters, BlanksLettersAndCaseAsQtReadsThem) {
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const QChar q(static_cast<char16_t>(c));
    ASSERT_EQ(tj::text::isSpace(c), q.isSpace()) << std::hex << static_cast<unsigned>(c);
    ASSERT_EQ(tj::text::isLetterOrNumber(c), q.isLetterOrNumber()) << std::hex << static_cast<unsigned>(c);
    // Latin, Greek and Cyrillic; the Turkish dotted and dotless i fold to i here.
    if (c < 0x530 && c != 0x130 && c != 0x131) {
      ASSERT_EQ(tj::text::folded(c), QString(q).toCaseFolded().at(0).unicode()) << std::hex << static_cast<unsigned>(c);
    }
  }
}

// Each broken byte reads as one U+FFFD, and nothing after it is lost.
TEST(Characters, BrokenUtf8ReadsAsReplacementCharacters) {
  const struct {
    const char* bytes;
    std::u32string chars;
  } cases[] = {
      {"a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", U"a\u00E4\u20AC\U0001F600"},
      {"\xC3", U"\uFFFD"},                                          // cut short at the end
      {"\xE2\x82x", U"\uFFFD\uFFFDx"},                              // cut short before an ASCII letter
      {"\xC0\xAF\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong "/"
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},                      // a surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},            // beyond U+10FFFF
      {"\x80\xFF", U"\uFFFD\uFFFD"},                                // continuation and invalid lead bytes
  };
  for (const auto& c : cases) EXPECT_EQ(tj::text::decodeUtf8(c.bytes), c.chars) << c.bytes;
}

}  // namespace
