// SPDX-License-Identifier: GPL-3.0-or-later
// Reads one table of an SQLite 3 file, read-only and without trusting it:
// no schema code runs, a damaged file becomes DataError(Unreadable), and a
// read that takes too long is cut off.
#include <chrono>

#include "data/detail.h"
#include "data/sqlite_detail.h"

namespace tj::data::detail {

namespace fs = std::filesystem;

namespace {

constexpr auto kReadLimit = std::chrono::seconds(5);
// Longest text or blob one cell may hold; a longer one makes the file
// unreadable. Without it a view of a few bytes can make cells of a gigabyte.
constexpr int kMaxCellBytes = 1 << 20;

// file: URI for a path, with the characters that URIs reserve escaped.
std::string fileUri(const fs::path& file) {
  const std::string path = fs::absolute(file).string();
  std::string uri = "file:";
  constexpr char hex[] = "0123456789ABCDEF";
  for (const unsigned char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
                       c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 0xF];
    }
  }
  return uri + "?mode=ro&immutable=1";
}

int stopWhenLate(void* deadline) {
  return std::chrono::steady_clock::now() > *static_cast<std::chrono::steady_clock::time_point*>(deadline) ? 1 : 0;
}

Db openReadOnly(const fs::path& file) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(fileUri(file).c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  Db db(raw);
  if (rc != SQLITE_OK) throw fileError(Fault::Unreadable, file);
  // Hostile-file hardening: no schema-defined functions, no attaching, checked cells.
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_limit(db.get(), SQLITE_LIMIT_ATTACHED, 0);
  sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, kMaxCellBytes);
  sqlite3_exec(db.get(), "PRAGMA cell_size_check=ON", nullptr, nullptr, nullptr);
  return db;
}

Stmt prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &raw, nullptr) != SQLITE_OK) return nullptr;
  return Stmt(raw);
}

// Whether the schema holds a table or view of exactly this name (SQLite
// itself would match names without regard to case).
bool hasTable(sqlite3* db, const fs::path& file, std::string_view table) {
  Stmt stmt = prepare(db, "SELECT name FROM sqlite_schema WHERE type IN ('table','view')");
  if (!stmt) throw fileError(Fault::Unreadable, file);
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    const int size = sqlite3_column_bytes(stmt.get(), 0);
    if (text && std::string_view(text, static_cast<std::size_t>(size)) == table) return true;
  }
  if (rc != SQLITE_DONE) throw fileError(Fault::Unreadable, file);
  return false;
}

std::optional<std::string> cellText(sqlite3_stmt* stmt, int col) {
  switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_column_int64(stmt, col));
    case SQLITE_FLOAT:
      return doubleText(sqlite3_column_double(stmt, col));
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
      const int size = sqlite3_column_bytes(stmt, col);
      return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
    }
  }
}

}  // namespace

TableSnapshot readSqliteTable(const fs::path& file, std::string_view table) {
  Db db = openReadOnly(file);
  auto deadline = std::chrono::steady_clock::now() + kReadLimit;
  sqlite3_progress_handler(db.get(), 1000, stopWhenLate, &deadline);

  if (!hasTable(db.get(), file, table)) throw tableError(Fault::TableMissing, file, table);

  // Stored order is rowid order; tables without rowid are read in key order.
  const std::string from = "SELECT * FROM " + quotedIdentifier(table);
  Stmt stmt = prepare(db.get(), from + " ORDER BY _rowid_");
  if (!stmt) stmt = prepare(db.get(), from);
  if (!stmt) throw fileError(Fault::Unreadable, file);

  TableSnapshot snapshot;
  const int width = sqlite3_column_count(stmt.get());
  for (int col = 0; col < width; ++col) {
    const char* name = sqlite3_column_name(stmt.get(), col);
    snapshot.fields.emplace_back(name ? name : "");
  }
  std::size_t bytes = 0;
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    for (int col = 0; col < width; ++col) {
      auto cell = cellText(stmt.get(), col);
      // Cells without text cost memory too: a view can make endless rows of them.
      bytes += sizeof cell + (cell ? cell->size() : 0);
      if (bytes > kMaxSnapshotBytes) throw fileError(Fault::Unreadable, file);
      snapshot.cells.push_back(std::move(cell));
    }
  }
  if (rc != SQLITE_DONE) throw fileError(Fault::Unreadable, file);
  return snapshot;
}

}  // namespace tj::data::detail
