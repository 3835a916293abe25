// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace tj::testing {

// The instructions document as stored with the program (the file in assets/).
std::string storedAnleitung();
// Stored documents for Services::storedText: the instructions, nothing else.
std::string storedText(const std::string& name);

}  // namespace tj::testing
