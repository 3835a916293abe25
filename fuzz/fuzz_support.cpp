// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace tj::fuzz {

namespace fs = std::filesystem;

namespace {

// Owns the temporary folder; removed when the process ends normally.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tj-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    path = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& folder() {
  static const TempFolder temp;
  return temp.path;
}

}  // namespace

fs::path writeInput(std::string_view name, const uint8_t* data, size_t size) {
  const fs::path file = folder() / fs::path(name);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    std::perror("writing the fuzz input");
    std::abort();
  }
  return file;
}

}  // namespace tj::fuzz
