// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tj {

// The installed data folder (picture folders and database): `<exe>/../share/tankjagd` when
// that folder exists, so that an installed tree works wherever it was put; otherwise the
// folder configured at build time.
std::filesystem::path dataFolder(const std::filesystem::path& exeFolder, const std::filesystem::path& configured);

// The application folder: the executable's folder when the picture folders lie beside it
// (build tree, portable copy), otherwise the installed data folder.
std::filesystem::path applicationFolder(const std::filesystem::path& exeFolder,
                                        const std::filesystem::path& dataFolder);

// The question database named on the command line with "--fragen DATEI" or
// "--fragen=DATEI" (the question editor starts the game so), made absolute against `cwd`;
// nothing when the option is absent, and the game then looks the database up as usual.
std::optional<std::filesystem::path> questionFileArgument(const std::vector<std::string>& args,
                                                          const std::filesystem::path& cwd);

}  // namespace tj
