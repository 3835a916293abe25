// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

#include "screens/rich_document.h"

namespace tj {

// Reads a document in Rich Text Format (the 1.x subset the game's stored documents use:
// font and colour tables, paragraph alignment, spacing, indents and tab stops, headings,
// bold, italic, underline, font, size, colour, language, \'xx in code page 1252 and \u
// escapes). Unknown control words and ignorable destinations are skipped. Never throws
// on bad input (unbalanced braces, truncated text, garbage): the result holds every
// paragraph that could be read; text after the last \par becomes a last paragraph.
RichDocument readRtf(std::string_view rtf);

}  // namespace tj
