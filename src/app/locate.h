// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

namespace tj {

// The application folder: the executable's folder when the picture folders lie beside it
// (build tree, portable copy), otherwise the installed data folder.
std::filesystem::path applicationFolder(const std::filesystem::path& exeFolder, const std::filesystem::path& dataFolder);

}  // namespace tj
