// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/locate.h"

namespace tj {

std::filesystem::path dataFolder(const std::filesystem::path& exeFolder, const std::filesystem::path& configured) {
  std::error_code ec;
  const std::filesystem::path beside = exeFolder.parent_path() / "share" / "tankjagd";
  if (!exeFolder.empty() && std::filesystem::is_directory(beside, ec)) return beside.lexically_normal();
  return configured;
}

std::filesystem::path applicationFolder(const std::filesystem::path& exeFolder,
                                        const std::filesystem::path& dataFolder) {
  std::error_code ec;
  if (std::filesystem::is_directory(exeFolder / "wuerfel", ec) &&
      std::filesystem::is_directory(exeFolder / "autos", ec))
    return exeFolder;
  return dataFolder;
}

std::optional<std::filesystem::path> questionFileArgument(const std::vector<std::string>& args,
                                                          const std::filesystem::path& cwd) {
  static const std::string kOption = "--fragen";
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == kOption && i + 1 < args.size()) {
      value = args[i + 1];
    } else if (args[i].starts_with(kOption + "=")) {
      value = args[i].substr(kOption.size() + 1);
    }
    if (!value.empty()) return (cwd / value).lexically_normal();
  }
  return std::nullopt;
}

}  // namespace tj
