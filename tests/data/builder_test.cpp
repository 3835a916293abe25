// SPDX-License-Identifier: GPL-3.0-or-later
// Building the database from text tables, and the tankjagd-mkdb tool.
#include <gtest/gtest.h>

#include <cstdlib>

#include "data/builder.h"
#include "data/store.h"
#include "fixtures.h"

namespace tj::data {
namespace {

namespace fs = std::filesystem;

const TableLayout& questions() { return gameTables().at(0); }
const TableLayout& cards() { return gameTables().at(2); }

const std::string kQuestionHeader = "Frage\tAntwort1\tAntwort2\tAntwort3\tAntwort Richtig\n";
const std::string kCardHeader = "Aktionskürzel\tAktion\tAktionstext\tBildnr\n";

TEST(ParseTable, ReadsRecordsInFileOrderKeepingBlanks) {
  const auto t = parseTable("\xEF\xBB\xBF" + kCardHeader + "+5L \tTanken\tFünf Liter mehr.\t7\r\nP\tPause\t \t8\n\n",
                            "a.tsv", cards());
  EXPECT_EQ(t.name, "tabAktion");
  ASSERT_EQ(t.records.size(), 2u);
  EXPECT_EQ(t.fields[0], "Aktionskürzel");
  EXPECT_EQ(t.records[0], (std::vector<std::string>{"+5L ", "Tanken", "Fünf Liter mehr.", "7"}));
  EXPECT_EQ(t.records[1][2], " ");
}

// The topics file names a topic per table file and line; the question tables gain the
// field "Thema", records not named stay without a topic.
TEST(Topics, FromTheTopicsFileIntoTheQuestionTables) {
  const std::string good = "Wer?\ta\tb\tc\td\n";
  std::vector<TextTable> tables;
  for (const auto& layout : gameTables())
    tables.push_back(parseTable(
        (layout.name == cards().name ? kCardHeader + "P\tt\tx\t9\n" : kQuestionHeader + good + good), "t.tsv", layout));
  applyTopics(tables, "# Datei, Zeile, Thema\ntabFragen_leicht.tsv\t3\tSport\n\ntabFragen_schwer.tsv\t2\tKunst\n",
              "themen.txt");
  EXPECT_EQ(tables[0].fields.back(), kTopicField);
  EXPECT_EQ(tables[0].records[0].back(), "");
  EXPECT_EQ(tables[0].records[1].back(), "Sport");
  EXPECT_EQ(tables[1].records[0].back(), "Kunst");
  EXPECT_EQ(tables[2].fields.size(), 4u);

  const std::pair<std::string, std::string> bad[] = {
      {"tabFragen_leicht.tsv\t2\n", "Zeile 1: Die Zeile braucht drei Felder"},
      {"\ntabAktion.tsv\t2\tSport\n", "Zeile 2: Die Datei „tabAktion.tsv“ ist keine Tabelle mit Fragen"},
      {"fragen.tsv\t2\tSport\n", "„fragen.tsv“ ist keine Tabelle mit Fragen"},
      {"tabFragen_leicht.tsv\t1\tSport\n", "„1“ ist keine Zeile mit einer Frage"},
      {"tabFragen_leicht.tsv\t4\tSport\n", "„4“ ist keine Zeile mit einer Frage"},
      {"tabFragen_leicht.tsv\tzwei\tSport\n", "„zwei“ ist keine Zeile"},
      {"tabFragen_leicht.tsv\t2\tSport\ntabFragen_leicht.tsv\t2\tKunst\n",
       "Zeile 2: Zeile 2 von „tabFragen_leicht.tsv“ hat schon ein Thema"},
  };
  for (const auto& [text, expected] : bad) {
    auto copy = tables;
    const auto e = test::thrown<BuildError>([&] { applyTopics(copy, text, "/in/themen.txt"); });
    const std::string what = e ? e->what() : "accepted";
    EXPECT_NE(what.find("In „/in/themen.txt“, Zeile "), std::string::npos) << what;
    EXPECT_NE(what.find(expected), std::string::npos) << what << " / expected: " << expected;
  }
}

TEST(ParseTable, RejectsBadInputNamingFileAndLine) {
  const std::string good = "Wer?\ta\tb\tc\td\n";
  struct Case {
    std::string text;
    std::string expected;  // part of the message
  };
  const std::vector<Case> cases = {
      {"", "ist leer"},
      {"Frage\tAntwort1\tAntwort2\tAntwort3\n" + good, "Zeile 1: Das Feld \u201EAntwort Richtig\u201C fehlt"},
      {"Frage\tFrage\tAntwort1\tAntwort2\tAntwort3\tAntwort Richtig\n",
       "Zeile 1: Das Feld \u201EFrage\u201C kommt doppelt vor"},
      {"Frage\t\tAntwort1\tAntwort2\tAntwort3\tAntwort Richtig\n", "Zeile 1: Der Feldname in Spalte 2 ist leer"},
      {"\tFrage\tAntwort1\tAntwort2\tAntwort3\tAntwort Richtig\n", "Zeile 1: Der Feldname in Spalte 1 ist leer"},
      {kQuestionHeader + good + "Wie?\ta\tb\tc\n", "Zeile 3: Der Datensatz hat 4 Felder statt 5"},
      {kQuestionHeader + good + good + "Wie?\ta\tb\tc\td\te\n", "Zeile 4: Der Datensatz hat 6 Felder statt 5"},
      {kQuestionHeader + good + "\n" + good, "Zeile 3: Die Zeile ist leer"},
      {kQuestionHeader + "\ta\tb\tc\td\n", "Zeile 2: Das Feld \u201EFrage\u201C ist leer"},
      {kQuestionHeader + "Wer?\ta\tb\tc\t\n", "Zeile 2: Das Feld \u201EAntwort Richtig\u201C ist leer"},
      {kQuestionHeader + good +
           "Gr\xFC\xDF"
           "e\ta\tb\tc\td\n",
       "Zeile 3: Der Text ist kein gültiges UTF-8"},
      {kQuestionHeader, "enthält keinen Datensatz"},
  };
  for (const auto& c : cases) {
    const auto e = test::thrown<BuildError>([&] { parseTable(c.text, "/in/tabFragen_leicht.tsv", questions()); });
    const std::string what = e ? e->what() : "accepted";
    EXPECT_NE(what.find("\u201E/in/tabFragen_leicht.tsv\u201C"), std::string::npos) << what;
    EXPECT_NE(what.find(c.expected), std::string::npos) << what << " / expected: " << c.expected;
  }
}

TEST(ParseTable, ExtraFieldsAreKept) {
  const auto t = parseTable("Nr\t" + kQuestionHeader + "1\tWer?\ta\tb\tc\td\n", "x.tsv", questions());
  EXPECT_EQ(t.fields.size(), 6u);
  EXPECT_EQ(t.records.at(0).at(0), "1");
}

// Runs tankjagd-mkdb; returns its exit code and what it wrote to stderr (or, with `report`,
// to stdout).
std::pair<int, std::string> mkdb(const fs::path& out, const fs::path& dir, const fs::path& log,
                                 const std::string& options = "", bool report = false) {
  const std::string command = "'" + std::string(TJ_MKDB) + "' '" + out.string() + "' '" + dir.string() + "' " +
                              options + (report ? " 2>/dev/null >'" : " >/dev/null 2>'") + log.string() + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(log)};
}

class Mkdb : public ::testing::Test {
 protected:
  void SetUp() override {
    test::writeFile(dir / "tabFragen_leicht.tsv", kQuestionHeader + "Leicht?\ta\tb\tc\trichtig\n");
    test::writeFile(dir / "tabFragen_schwer.tsv", kQuestionHeader + "Schwer 1?\ta\tb\tc\tr1\nSchwer 2?\ta\tb\tc\tr2\n");
    test::writeFile(dir / "tabAktion.tsv", kCardHeader + "+4\tVorwärts\tVier Felder vor.\t3\n");
  }
  test::TempDir dir;
  fs::path out = dir / "mdbZielflagge.mdb";
  fs::path log = dir / "log.txt";
};

TEST_F(Mkdb, BuildsADatabaseTheStoreReads) {
  const auto [code, err] = mkdb(out, dir.path(), log);
  ASSERT_EQ(code, 0) << err;
  Recordset hard = openTable(out, "tabFragen_schwer");
  ASSERT_EQ(hard.RecordCount(), 2);
  hard.setAbsolutePosition(2);
  EXPECT_EQ(hard.field("Antwort Richtig"), "r2");
  Recordset card = openTable(out, "tabAktion");
  EXPECT_EQ(card.field("Aktionskürzel"), "+4");
  EXPECT_EQ(openTable(out, "tabFragen_leicht").field("Frage"), "Leicht?");
}

// Imported questions take the place of the folder's; a level left without questions is refused.
TEST_F(Mkdb, ImportsIntoALevel) {
  const std::string samples = TJ_IMPORT_SAMPLES;
  const auto [code, err] = mkdb(out, dir.path(), log,
                                "--nur-importierte --schwer '" + samples + "/komma_zeilenumbruch.csv' --leicht '" +
                                    samples + "/fragen_aiken.txt'");
  ASSERT_EQ(code, 0) << err;
  Recordset hard = openTable(out, "tabFragen_schwer");
  ASSERT_EQ(hard.RecordCount(), 4);
  hard.setAbsolutePosition(2);
  EXPECT_EQ(hard.field("Frage"), "Welcher Planet ist der Sonne am nächsten?");
  EXPECT_EQ(openTable(out, "tabFragen_leicht").RecordCount(), 3);
  EXPECT_EQ(openTable(out, "tabAktion").RecordCount(), 1);

  fs::remove(out);
  const auto [refused, why] = mkdb(out, dir.path(), log, "--nur-importierte --leicht '" + samples + "/fragen.gift'");
  EXPECT_EQ(refused, 1);
  EXPECT_NE(why.find("Schwere Fragen"), std::string::npos) << why;
  EXPECT_FALSE(fs::exists(out));
}

// The spreadsheets Calc wrote, levels from their column, beside the folder's 1 easy and 2
// hard questions; the report names rows as the sheet does, and repeats.
TEST_F(Mkdb, ImportsSpreadsheets) {
  struct Case {
    std::string option;
    const char* file;
    int easy, hard;
    std::string reported;
  };
  const std::string repeat = "Zeile 11: „Wie heißt die Hauptstadt …“ – steht schon in Zeile 10\n";
  const Case cases[] = {
      {"--fragen", "calc_fragen.xlsx", 6, 4, repeat},
      {"--fragen", "calc_fragen.ods", 6, 4, repeat},
      {"--fragen", "calc_fragen.xls", 3, 4,
       "Zeile 3: „Wie viel ist die Hälfte …“ – keine Stufe (leicht oder schwer)\n"},
      {"--blatt Reserve --schwer", "calc_fragen.ods", 1, 4, ": 2 Fragen übernommen.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option + " " + c.file);
    const auto [code, report] =
        mkdb(out, dir.path(), log, c.option + " '" + TJ_IMPORT_SAMPLES + "/" + c.file + "'", true);
    ASSERT_EQ(code, 0);
    EXPECT_NE(report.find(c.reported), std::string::npos) << report;
    EXPECT_EQ(openTable(out, "tabFragen_leicht").RecordCount(), c.easy);
    EXPECT_EQ(openTable(out, "tabFragen_schwer").RecordCount(), c.hard);
  }
  fs::remove(out);
  const auto [refused, why] =
      mkdb(out, dir.path(), log, "--blatt Alt --leicht '" + std::string(TJ_IMPORT_SAMPLES) + "/calc_fragen.xls'");
  EXPECT_EQ(refused, 1);
  EXPECT_NE(why.find("gibt es kein Tabellenblatt „Alt“ (es gibt 2: „Fragen“, „Reserve“)"), std::string::npos) << why;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(mkdb(out, dir.path(), log, "--blatt").first, 2);  // no sheet named: the usage
}

TEST_F(Mkdb, RejectsBadInputWithLineAndKeepsNoOutput) {
  struct Case {
    std::string file, content, expected;
  };
  const std::vector<Case> cases = {
      {"tabAktion.tsv", "Aktionskuerzel\tAktion\tAktionstext\tBildnr\n+4\ta\tb\t1\n", "Zeile 1"},
      {"tabFragen_schwer.tsv", kQuestionHeader + "Schwer?\ta\tb\tc\td\nKurz?\ta\tb\n", "Zeile 3"},
  };
  for (const auto& c : cases) {
    SetUp();
    test::writeFile(dir / c.file, c.content);
    const auto [code, err] = mkdb(out, dir.path(), log);
    EXPECT_NE(code, 0) << c.file;
    EXPECT_NE(err.find(c.file), std::string::npos) << err;
    EXPECT_NE(err.find(c.expected), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(out)) << c.file;
  }
  SetUp();
  fs::remove(dir / "tabAktion.tsv");
  const auto [code, err] = mkdb(out, dir.path(), log);
  EXPECT_NE(code, 0);
  EXPECT_NE(err.find("kann nicht gelesen werden"), std::string::npos) << err;
}

}  // namespace
}  // namespace tj::data
