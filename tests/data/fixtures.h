// SPDX-License-Identifier: GPL-3.0-or-later
// Test fixtures for the store: a private temporary folder and small database
// files made in it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/builder.h"
#include "support/run_sql.h"

namespace tj::data::test {

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The error of type Error that work() throws, or nothing when it returns.
template <class Error, class Work>
std::optional<Error> thrown(Work&& work) {
  try {
    work();
  } catch (const Error& e) {
    return e;
  }
  return std::nullopt;
}

using tj::testing::runSql;

void writeFile(const std::filesystem::path& file, const std::string& bytes);
std::string readFile(const std::filesystem::path& file);

}  // namespace tj::data::test
