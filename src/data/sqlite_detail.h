// SPDX-License-Identifier: GPL-3.0-or-later
// SQLite handles that close themselves, and names quoted for SQL; shared by the store's
// SQLite reader and the database writer. Not part of the public API.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

namespace tj::data::detail {

struct DbClose {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalize {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalize>;

// "name" with embedded quotes doubled: an SQL identifier.
inline std::string quotedIdentifier(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

}  // namespace tj::data::detail
