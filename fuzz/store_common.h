// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the game's tables from a file as the dialogs do: open, draw records,
// read the fields they show. The only failure a damaged file may cause is
// DataError; anything else escapes and is a finding.
#pragma once

#include <filesystem>

namespace tj::fuzz {

void readLikeTheGame(const std::filesystem::path& file);

}  // namespace tj::fuzz
