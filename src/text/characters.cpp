// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/characters.h"

#include <hb.h>

#include <clocale>
#include <cwctype>

namespace tj::text {

namespace {

hb_unicode_general_category_t category(char32_t c) {
  return hb_unicode_general_category(hb_unicode_funcs_get_default(), c);
}

}  // namespace

char32_t nextCharacter(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  const std::size_t extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : 4;
  char32_t c = extra == 0 ? b : b & (0x3Fu >> extra);
  std::size_t k = 1;
  for (; extra < 4 && k <= extra && i + k < s.size(); ++k) {
    const auto next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) break;
    c = (c << 6) | (next & 0x3Fu);
  }
  const bool whole = extra < 4 && k == extra + 1;
  const bool shortest = c >= (extra == 1 ? 0x80u : extra == 2 ? 0x800u : extra == 3 ? 0x10000u : 0u);
  const bool valid = whole && shortest && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  i += valid ? extra + 1 : 1;
  return valid ? c : U'\uFFFD';
}

std::u32string decodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) out.push_back(nextCharacter(s, i));
  return out;
}

bool isSpace(char32_t c) {
  if (c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0) return true;
  switch (category(c)) {
    case HB_UNICODE_GENERAL_CATEGORY_SPACE_SEPARATOR:
    case HB_UNICODE_GENERAL_CATEGORY_LINE_SEPARATOR:
    case HB_UNICODE_GENERAL_CATEGORY_PARAGRAPH_SEPARATOR:
      return true;
    default:
      return false;
  }
}

bool isLetter(char32_t c) {
  switch (category(c)) {
    case HB_UNICODE_GENERAL_CATEGORY_UPPERCASE_LETTER:
    case HB_UNICODE_GENERAL_CATEGORY_LOWERCASE_LETTER:
    case HB_UNICODE_GENERAL_CATEGORY_TITLECASE_LETTER:
    case HB_UNICODE_GENERAL_CATEGORY_MODIFIER_LETTER:
    case HB_UNICODE_GENERAL_CATEGORY_OTHER_LETTER:
      return true;
    default:
      return false;
  }
}

bool isLetterOrNumber(char32_t c) {
  switch (category(c)) {
    case HB_UNICODE_GENERAL_CATEGORY_DECIMAL_NUMBER:
    case HB_UNICODE_GENERAL_CATEGORY_LETTER_NUMBER:
    case HB_UNICODE_GENERAL_CATEGORY_OTHER_NUMBER:
      return true;
    default:
      return isLetter(c);
  }
}

char32_t folded(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
  // The C library's Unicode case table, in a locale of its own so the program's stays as it is.
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  if (!unicode) return c;
  // Small letters of the capitals, so that the variants of one letter (µ and μ, ſ and s,
  // ς and σ) compare equal too.
  return static_cast<char32_t>(towlower_l(towupper_l(static_cast<wint_t>(c), unicode), unicode));
}

}  // namespace tj::text
