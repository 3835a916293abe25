// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/locate.h"

namespace tj {

std::filesystem::path dataFolder(const std::filesystem::path& exeFolder, const std::filesystem::path& configured) {
  std::error_code ec;
  const std::filesystem::path beside = exeFolder.parent_path() / "share" / "tankjagd";
  if (!exeFolder.empty() && std::filesystem::is_directory(beside, ec)) return beside.lexically_normal();
  return configured;
}

std::filesystem::path applicationFolder(const std::filesystem::path& exeFolder, const std::filesystem::path& dataFolder) {
  std::error_code ec;
  if (std::filesystem::is_directory(exeFolder / "wuerfel", ec) && std::filesystem::is_directory(exeFolder / "autos", ec))
    return exeFolder;
  return dataFolder;
}

}  // namespace tj
