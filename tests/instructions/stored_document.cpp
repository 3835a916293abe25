// SPDX-License-Identifier: GPL-3.0-or-later
#include "stored_document.h"

#include <fstream>
#include <sstream>

namespace tj::testing {

std::string storedAnleitung() {
  std::ifstream in(TJ_ANLEITUNG_RTF, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string storedText(const std::string& name) { return name == "anleitung.rtf" ? storedAnleitung() : std::string(); }

}  // namespace tj::testing
