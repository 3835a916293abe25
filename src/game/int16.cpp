// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/int16.h"

#include <charconv>

namespace tj {

int Val(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  if (text[i] == '+') ++i;
  int v = 0;
  auto [p, ec] = std::from_chars(text.data() + i, text.data() + text.size(), v);
  (void)p;
  return ec == std::errc() ? v : 0;
}

}  // namespace tj
