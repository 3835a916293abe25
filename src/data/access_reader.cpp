// SPDX-License-Identifier: GPL-3.0-or-later
// Reads one table of an Access file (Jet 3, Jet 4, ACE) with mdbtools. The
// library does not guard against damaged files, so the reading happens in a
// child process with a time limit; a crash or hang there is Unreadable here.
// mdbtools.h includes glib inside extern "C"; glib's C++ parts must come first.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "data/detail.h"

namespace tj::data::detail {

namespace fs = std::filesystem;

namespace {

constexpr auto kReadLimit = std::chrono::seconds(5);
// Longest text taken from one field; longer memo texts are cut here.
constexpr std::size_t kBindSize = std::size_t{256} << 10;
constexpr int kOffsetMask = 0x1FFF;  // row offset without the delete/lookup flags

struct MdbClose {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFree {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

ReadOutcome failure(Fault fault) { return ReadOutcome{fault, {}}; }

MdbCatalogEntry* findTable(MdbHandle* mdb, std::string_view name) {
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry && entry->object_type == MDB_TABLE && name == entry->object_name) return entry;
  }
  return nullptr;
}

// Which columns of the row just fetched hold no value. mdbtools binds a
// missing value and an empty text alike, so the row is taken apart again.
std::vector<bool> nullColumns(MdbTableDef* table) {
  std::vector<bool> isNull(table->num_cols, false);
  MdbHandle* mdb = table->entry->mdb;
  int start = 0;
  size_t size = 0;
  if (table->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &size) != 0) {
    return {};
  }
  std::array<MdbField, 256> fields{};
  const int cracked = mdb_crack_row(table, start & kOffsetMask, size, fields.data());
  if (cracked < 0) return {};
  // mdbtools returns the column count stored in the row, which a damaged row
  // may give as anything; only the table's columns were filled in.
  const int count = std::min({cracked, static_cast<int>(table->num_cols), static_cast<int>(fields.size())});
  for (int i = 0; i < count; ++i) {
    const int col = fields[static_cast<std::size_t>(i)].colnum;
    if (col >= 0 && static_cast<unsigned>(col) < isNull.size()) {
      isNull[static_cast<std::size_t>(col)] = fields[static_cast<std::size_t>(i)].is_null != 0;
    }
  }
  return isNull;
}

// The display text of a bound value of the given column type.
std::string displayText(int type, const char* bound) {
  switch (type) {
    case MDB_FLOAT:
      return floatText(std::strtof(bound, nullptr));
    case MDB_DOUBLE:
      return doubleText(std::strtod(bound, nullptr));
    case MDB_MONEY:
    case MDB_NUMERIC:
      return trimDecimalText(bound);
    default:
      return bound;
  }
}

ReadOutcome readTable(MdbTableDef* table) {
  if (!mdb_read_columns(table) || table->num_cols == 0 || table->num_cols > 256) return failure(Fault::Unreadable);
  const std::size_t width = table->num_cols;

  ReadOutcome outcome;
  std::vector<std::vector<char>> buffers(width);
  std::vector<int> types(width);
  for (std::size_t i = 0; i < width; ++i) {
    auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
    outcome.snapshot.fields.emplace_back(col->name);
    types[i] = col->col_type;
    if (col->col_type == MDB_OLE) continue;  // pictures and documents have no text
    buffers[i].assign(kBindSize, '\0');
    mdb_bind_column(table, static_cast<int>(i + 1), buffers[i].data(), nullptr);
  }
  if (mdb_rewind_table(table) != 0) return failure(Fault::Unreadable);

  std::size_t bytes = 0;
  while (mdb_fetch_row(table)) {
    const std::vector<bool> isNull = nullColumns(table);
    for (std::size_t i = 0; i < width; ++i) {
      const char* bound = buffers[i].data();
      const bool missing = buffers[i].empty() || (isNull.empty() ? bound[0] == '\0' : isNull[i]);
      if (missing) {
        outcome.snapshot.cells.emplace_back();
        continue;
      }
      auto text = displayText(types[i], bound);
      bytes += text.size();
      outcome.snapshot.cells.emplace_back(std::move(text));
    }
    if (bytes > kMaxSnapshotBytes / 2) return failure(Fault::Unreadable);
  }
  return outcome;
}

}  // namespace

ReadOutcome readAccessTableHere(const std::string& file, const std::string& tableName) {
  // Texts as UTF-8; Jet 3 files carry no code page, take the Western one.
  ::setenv("MDBICONV", "UTF-8", 1);
  ::setenv("MDB_JET3_CHARSET", "CP1252", 1);
  std::setlocale(LC_ALL, "C");
  std::unique_ptr<MdbHandle, MdbClose> mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
  if (!mdb) return failure(Fault::Unreadable);
  mdb_set_date_fmt(mdb.get(), "%d.%m.%Y %H:%M:%S");
  mdb_set_shortdate_fmt(mdb.get(), "%d.%m.%Y");
  mdb_set_bind_size(mdb.get(), kBindSize);
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) return failure(Fault::Unreadable);
  MdbCatalogEntry* entry = findTable(mdb.get(), tableName);
  if (!entry) return failure(Fault::TableMissing);
  std::unique_ptr<MdbTableDef, TableFree> table(mdb_read_table(entry));
  if (!table) return failure(Fault::Unreadable);
  return readTable(table.get());
}

TableSnapshot readAccessTable(const fs::path& file, std::string_view table) {
  const std::string path = file.string();
  const std::string name(table);
  return snapshotFromReader(
      runIsolated([&] { return encodeOutcome(readAccessTableHere(path, name)); }, kReadLimit, kMaxSnapshotBytes), file,
      table);
}

TableSnapshot snapshotFromReader(const std::optional<std::string>& bytes, const fs::path& file,
                                 std::string_view table) {
  if (!bytes) throw fileError(Fault::Unreadable, file);
  auto outcome = decodeOutcome(*bytes);
  if (!outcome) throw fileError(Fault::Unreadable, file);
  if (outcome->fault == Fault::TableMissing) throw tableError(Fault::TableMissing, file, table);
  if (outcome->fault) throw fileError(Fault::Unreadable, file);
  return std::move(outcome->snapshot);
}

}  // namespace tj::data::detail
