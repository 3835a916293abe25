// SPDX-License-Identifier: GPL-3.0-or-later
// Characters between encodings, for readers of old text: spreadsheet exports and the
// stored instructions document.
#pragma once

#include <string>

namespace tj::data {

// U+FFFD, what an unreadable character becomes.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// A byte of Windows code page 1252 as a code point: 0xA0..0xFF are Latin-1, 0x80..0x9F the
// code page's own letters; the five bytes it leaves undefined become U+FFFD.
char32_t fromCp1252(unsigned char b);

// Appends `c` as UTF-8; a surrogate or a value beyond Unicode becomes U+FFFD.
void appendUtf8(std::string& out, char32_t c);

}  // namespace tj::data
