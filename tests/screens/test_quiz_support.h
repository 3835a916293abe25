// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up of the level, question and action card tests: tables built in memory,
// small database files, and a board that is showing and waiting for a die click.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "data/builder.h"
#include "data/store.h"
#include "screens/board/frm_spielfeld.h"
#include "support/harness.h"
#include "support/run_sql.h"

namespace tj::testing {

inline const std::vector<std::string> kQuestionFields{"Frage", "Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"};
inline const std::vector<std::string> kCardFields{"Aktionskürzel", "Aktion", "Aktionstext", "Bildnr"};

// A table snapshot as the store would hand it out.
inline data::Recordset memoryTable(const std::string& table, const std::vector<std::string>& fields,
                                   const std::vector<std::vector<std::string>>& records) {
  data::TableSnapshot snap{fields, {}};
  for (const auto& r : records)
    for (const auto& cell : r) snap.cells.emplace_back(cell);
  return data::Recordset("test.mdb", table, std::move(snap));
}

// Question records: {Frage, Antwort1, Antwort2, Antwort3, Antwort Richtig}.
inline void setQuestions(Harness& h, const std::string& table, std::vector<std::vector<std::string>> records) {
  h.tables[table] = [table, records] { return memoryTable(table, kQuestionFields, records); };
}

// Card records: {Aktionskürzel, Aktion, Aktionstext, Bildnr}.
inline void setCards(Harness& h, std::vector<std::vector<std::string>> records) {
  h.tables["tabAktion"] = [records] { return memoryTable("tabAktion", kCardFields, records); };
}

inline void setCard(Harness& h, const std::string& code, const std::string& bildnr = "7") {
  setCards(h, {{code, "Titel " + code, "Text zu " + code, bildnr}});
}

// The board after its set-up: visible, start values set, start player already drawn,
// `amZug`'s die button showing. Names "Anna" (1) and "Ben" (2).
inline FrmSpielfeld& openBoard(Harness& h, int amZug = 1) {
  FrmSpielfeld& board = h.form<FrmSpielfeld>();
  h.g().NameSpieler1 = "Anna";
  h.g().NameSpieler2 = "Ben";
  h.g().SpielGestartet = 1;
  h.v().SpielerAmZug = amZug;
  h.app.dispatch([&] { board.Show(); });
  return board;
}

// Shows a dialog modally from the board, as the board's field event does; the script's
// following actions are consumed by it.
inline void showFromBoard(Harness& h, const std::string& screen) {
  h.loop.then([screen](ScriptLoop& s) { s.app().dispatch([&] { s.app().forms.get(screen).ShowModal(); }); });
}

// A folder of its own for database files, removed at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("tj-quiz-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Every table of the game read from the real database file `file`, as the program does.
inline void useDatabaseFile(Harness& h, const std::filesystem::path& file) {
  for (const char* table : {"tabFragen_leicht", "tabFragen_schwer", "tabAktion"})
    h.tables[table] = [file, table] { return data::openTable(file, table); };
}

}  // namespace tj::testing

namespace tj::testing {

// A database file that is bad in one way, for the question tables and the card table.
struct BadData {
  std::string what;
  std::function<void(const std::filesystem::path& file)> make;  // writes `file` (or not)
};

inline std::string createTable(const std::string& table, const std::vector<std::string>& fields) {
  std::string sql = "CREATE TABLE \"" + table + "\"(";
  for (std::size_t i = 0; i < fields.size(); ++i) sql += (i ? ", \"" : "\"") + fields[i] + "\" TEXT";
  return sql + ");";
}

inline std::string insertRow(const std::string& table, const std::vector<std::string>& values) {
  std::string sql = "INSERT INTO \"" + table + "\" VALUES(";
  for (std::size_t i = 0; i < values.size(); ++i) sql += (i ? ", " : "") + values[i];
  return sql + ");";
}

// Every way the store can fail for `table` with the given fields; `row` holds SQL values
// of one good record.
inline std::vector<BadData> badDataCases(const std::string& table, const std::vector<std::string>& fields,
                                         const std::vector<std::string>& row) {
  std::vector<std::string> missingField = fields;
  missingField.erase(missingField.begin() + 2);
  std::vector<std::string> shortRow = row;
  shortRow.erase(shortRow.begin() + 2);
  std::vector<std::string> nullRow = row;
  nullRow.back() = "NULL";
  return {
      {"Datei fehlt", [](const std::filesystem::path&) {}},
      {"keine Datenbank",
       [](const std::filesystem::path& f) { std::ofstream(f) << "Das ist keine Datenbank, nur Text.\n"; }},
      {"Tabelle fehlt", [](const std::filesystem::path& f) { runSql(f, createTable("andere", {"x"})); }},
      {"Tabelle leer", [=](const std::filesystem::path& f) { runSql(f, createTable(table, fields)); }},
      {"Feld fehlt",
       [=](const std::filesystem::path& f) {
         runSql(f, createTable(table, missingField) + insertRow(table, shortRow));
       }},
      {"Feld NULL",
       [=](const std::filesystem::path& f) { runSql(f, createTable(table, fields) + insertRow(table, nullRow)); }},
  };
}

}  // namespace tj::testing
