// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

namespace tj::testing {

// Runs SQL statements on an SQLite file (created if needed); fails the test on error.
void runSql(const std::filesystem::path& file, const std::string& sql);

}  // namespace tj::testing
