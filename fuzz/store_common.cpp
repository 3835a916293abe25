// SPDX-License-Identifier: GPL-3.0-or-later
#include "store_common.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "data/store.h"
#include "game/deck.h"

namespace tj::fuzz {

namespace {

// Several draws of one dialog: first and last record and some in between.
constexpr std::array<float, 5> kDraws = {0.0F, 0.25F, 0.5F, 0.75F, 0.99999F};

struct TableFields {
  std::string_view table;
  std::array<std::string_view, 4> fields;
};
// The game's tables, then one table of each sample Access file the seeds are
// cut from, so that mutations of a seed reach the row reader at once.
constexpr std::array<TableFields, 4> kTables = {{
    {"tabFragen_leicht", {"Frage", "Antwort Richtig", "Bildnr", "Aktionskürzel"}},
    {"tabAktion", {"Aktionskürzel", "Bildnr", "Frage", "Antwort Richtig"}},
    {"DateTest", {"LongTextCol", "DateTimeCol", "ShortTextCol", "IDCol"}},
    {"Shippers", {"CompanyName", "Phone", "ShipperID", "Frage"}},
}};

volatile unsigned sink = 0;  // keeps the byte walk from being optimised away

void readFields(const data::Recordset& records, const TableFields& wanted) {
  for (const auto name : wanted.fields) {
    try {
      const std::string& text = records.field(name);
      // Touch every byte, so a dangling or short string shows up.
      unsigned sum = 0;
      for (const char c : text) sum += static_cast<unsigned char>(c);
      sink = sum;
    } catch (const data::DataError&) {
    }
  }
}

void readTable(const std::filesystem::path& file, const TableFields& wanted) {
  try {
    data::Recordset records = data::openTable(file, wanted.table);
    const int32_t count = records.RecordCount();
    if (count < 0) std::abort();
    for (const float r : kDraws) {
      if (count == 0) break;
      const int32_t k = recordForDraw(r, count);
      if (k < 1 || k > count) std::abort();  // the draw must stay inside the table
      records.setAbsolutePosition(k);
      readFields(records, wanted);
    }
    if (count == 0) readFields(records, wanted);
  } catch (const data::DataError& e) {
    if (std::string_view(e.what()).empty()) std::abort();
  }
}

}  // namespace

void readLikeTheGame(const std::filesystem::path& file) {
  for (const auto& wanted : kTables) readTable(file, wanted);
}

}  // namespace tj::fuzz
