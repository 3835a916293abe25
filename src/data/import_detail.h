// SPDX-License-Identifier: GPL-3.0-or-later
// Internals the importers share. Not part of the public API.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/quoted.h"

namespace tj::data::import_detail {

// Trimmed, every run of blanks, tabs and line breaks one blank.
std::string cleanText(std::string_view text);
// Why a question with this many right and wrong answers cannot be played, e.g. "nur drei Antworten".
std::optional<std::string> answerCountProblem(int right, int wrong);

bool looksLikeAiken(std::string_view text);
bool looksLikeGift(std::string_view text);

}  // namespace tj::data::import_detail
