// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "screens/element.h"

namespace tj {

// A page the players may print: a title, lines of text below it, then a table. All plain
// text.
struct Report {
  std::string title;
  std::vector<std::string> lines;
  TableContent table;
  friend bool operator==(const Report&, const Report&) = default;
};

}  // namespace tj
