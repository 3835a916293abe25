// SPDX-License-Identifier: GPL-3.0-or-later
// The characters of UTF-8 text as players read them, without a toolkit: white space,
// letters and digits of every script, and capitals compared as small letters.
#pragma once

#include <string>
#include <string_view>

namespace tj::text {

// The character of `utf8` at byte `i`, moving `i` past it; a broken byte reads as U+FFFD.
char32_t nextCharacter(std::string_view utf8, std::size_t& i);
// The characters of `utf8`, as nextCharacter reads them.
std::u32string decodeUtf8(std::string_view utf8);

// White space: blanks of every width (also the no-break ones), tabs and line breaks.
bool isSpace(char32_t c);
// Letters of every script (Unicode categories L*).
bool isLetter(char32_t c);
// Letters and numbers of every script (Unicode categories L* and N*).
bool isLetterOrNumber(char32_t c);
// The small letter for a capital, so that comparisons ignore case; anything else unchanged.
char32_t folded(char32_t c);

}  // namespace tj::text
