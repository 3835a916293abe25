// SPDX-License-Identifier: GPL-3.0-or-later
// Read-only access to the game's question and action card store.
//
// The store is one database file with the tables "tabFragen_leicht",
// "tabFragen_schwer" and "tabAktion". A dialog opens one table as a snapshot,
// moves to one record and reads its fields as display text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tj::data {

// What went wrong, for a message to the players.
enum class Fault { FileMissing, NotADatabase, Unreadable, TableMissing, TableEmpty, FieldMissing, FieldEmpty };

// Thrown by the store. what() is a complete German sentence that names the
// file and, where it applies, the table, the field and the record.
class DataError : public std::runtime_error {
 public:
  DataError(Fault fault, std::string message);
  Fault fault() const noexcept { return fault_; }

 private:
  Fault fault_;
};

// One table as read from the file: the field names in column order and the
// cells record by record (row-major); a cell without value is std::nullopt.
struct TableSnapshot {
  std::vector<std::string> fields;
  std::vector<std::optional<std::string>> cells;  // records × fields.size()
};

// A snapshot of one table: all records in stored order, every field as its
// display text. Field names are compared exactly (case, blanks, umlauts).
class Recordset {
 public:
  // A table read anew: it gets a version of its own.
  Recordset(std::filesystem::path file, std::string table, TableSnapshot snapshot);

  int32_t RecordCount() const noexcept { return count_; }
  // Tells one reading of a table from another: every table read anew gets a version of its
  // own (never 0), and the Recordsets over one reading (see TableCache) share it. A deck of
  // records knows by it that the file has changed.
  uint64_t version() const noexcept { return version_; }

  // Makes record k (1-based) the current record. An empty table throws
  // DataError(TableEmpty); k outside 1..RecordCount() throws std::out_of_range.
  void setAbsolutePosition(int32_t k);
  // The current record, 1-based; a freshly opened table stands on record 1
  // (0 when it is empty).
  int32_t AbsolutePosition() const noexcept { return position_; }

  // Display text of a field in the current record. An empty table throws
  // DataError(TableEmpty), an unknown name DataError(FieldMissing), a field
  // without value DataError(FieldEmpty).
  const std::string& field(std::string_view name) const;

  bool hasField(std::string_view name) const noexcept { return column(name).has_value(); }
  // The text of field `name` in every record, in stored order, a field without value as
  // empty text; no texts at all when the table has no such field.
  std::vector<std::string> fieldTexts(std::string_view name) const;
  const std::vector<std::string>& fieldNames() const noexcept { return snapshot_->fields; }
  const std::string& table() const noexcept { return table_; }
  const std::filesystem::path& file() const noexcept { return file_; }

 private:
  friend class TableCache;
  // Shares a reading that is never changed again.
  Recordset(std::filesystem::path file, std::string table, std::shared_ptr<const TableSnapshot> snapshot,
            uint64_t version);
  std::optional<std::size_t> column(std::string_view name) const noexcept;

  std::filesystem::path file_;
  std::string table_;
  std::shared_ptr<const TableSnapshot> snapshot_;
  uint64_t version_ = 0;
  int32_t count_ = 0;
  int32_t position_ = 0;
};

// Opens `table` of the database file `file` and reads it whole. The format is
// chosen by the file's content (SQLite 3 or Access Jet 3 / Jet 4 / ACE), never
// by its name. Throws DataError: FileMissing when there is no such file,
// NotADatabase for any other content, Unreadable when the file cannot be read
// or is damaged, TableMissing when the table does not exist.
Recordset openTable(const std::filesystem::path& file, std::string_view table);

// Opens tables like openTable, but reads a table of a file only once for as long as
// the file keeps its size and modification time; a changed, replaced or removed file
// is opened afresh, and a failed open is never remembered. Each open returns its own
// Recordset (own current record) over the shared snapshot. Not for concurrent use.
class TableCache {
 public:
  Recordset open(const std::filesystem::path& file, std::string_view table);

 private:
  struct Entry {
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    std::shared_ptr<const TableSnapshot> snapshot;
    uint64_t version = 0;
  };
  std::map<std::pair<std::string, std::string>, Entry> entries_;
};

// Where the game looks for its database: the bare name in the current
// directory first, then the application folder, then the installed data
// folder; the first that exists. If none exists, returns the current-directory
// candidate (so the error message names it). Empty folders are skipped.
std::filesystem::path findDatabase(std::string_view fileName, const std::filesystem::path& appFolder,
                                   const std::filesystem::path& dataFolder);

}  // namespace tj::data
