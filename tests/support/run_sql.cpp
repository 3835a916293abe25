// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/run_sql.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tj::testing {

void runSql(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  ASSERT_EQ(rc, SQLITE_OK) << message;
}

}  // namespace tj::testing
