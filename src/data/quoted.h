// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace tj::data {

// „text“: how the messages of the game, the editor and the tools quote a name, a file or a text.
inline std::string inQuotes(std::string_view text) { return "\u201E" + std::string(text) + "\u201C"; }

}  // namespace tj::data
