// SPDX-License-Identifier: GPL-3.0-or-later
// The store on SQLite files: snapshots, positions, display texts, faults,
// the record draw and the database lookup.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "data/detail.h"
#include "data/store.h"
#include "fixtures.h"

namespace tj::data {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

Fault faultOf(const fs::path& file, std::string_view table) {
  const DataError e = test::thrown<DataError>([&] { openTable(file, table); }).value();
  EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
  return e.fault();
}

class SqliteStore : public ::testing::Test {
 protected:
  void SetUp() override {
    writeDatabase(db, {TextTable{"tabAktion",
                                 {"Aktionskürzel", "Aktion", "Aktionstext", "Bildnr"},
                                 {{"+10L", "Tankstelle", "Du tankst 10 Liter.", "1"},
                                  {"-2", "Panne", "Zwei Felder zurück.", "2"},
                                  {"P", "Pause", "Einmal aussetzen.", "3"}}},
                       TextTable{"tabFragen_leicht",
                                 {"Frage", "Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"},
                                 {{"Wie viele Räder hat ein Auto?", "3", "5", "6", "4"}}},
                       TextTable{"leer", {"Frage"}, {}}});
  }
  TempDir dir;
  fs::path db = dir / "Prüfung #1 ?a=b%20.mdb";  // opened by plain path, never as a URI
};

TEST_F(SqliteStore, ReadsRecordsInStoredOrderWithOneBasedPositions) {
  Recordset rs = openTable(db, "tabAktion");
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  const std::vector<std::string> codes = {"+10L", "-2", "P"};
  for (int32_t k = 3; k >= 1; --k) {
    rs.setAbsolutePosition(k);
    EXPECT_EQ(rs.AbsolutePosition(), k);
    EXPECT_EQ(rs.field("Aktionskürzel"), codes[static_cast<std::size_t>(k - 1)]);
  }
}

TEST_F(SqliteStore, PositionOutsideTheTableIsOutOfRange) {
  Recordset rs = openTable(db, "tabAktion");
  for (const int32_t k : {0, -1, 4, INT32_MAX, INT32_MIN}) {
    EXPECT_THROW(rs.setAbsolutePosition(k), std::out_of_range) << k;
  }
  EXPECT_EQ(rs.AbsolutePosition(), 1);
}

TEST_F(SqliteStore, FieldAndTableNamesAreMatchedExactly) {
  Recordset rs = openTable(db, "tabFragen_leicht");
  EXPECT_EQ(rs.field("Frage"), "Wie viele Räder hat ein Auto?");
  for (const char* wrong : {"frage", "Frage ", "AntwortRichtig", "antwort richtig", ""}) {
    const DataError e = test::thrown<DataError>([&] { (void)rs.field(wrong); }).value();
    EXPECT_EQ(e.fault(), Fault::FieldMissing) << wrong;
    EXPECT_NE(std::string(e.what()).find("tabFragen_leicht"), std::string::npos);
  }
  EXPECT_EQ(faultOf(db, "TABAKTION"), Fault::TableMissing);
  EXPECT_EQ(faultOf(db, "tabAktion "), Fault::TableMissing);
}

TEST_F(SqliteStore, EmptyTableOpensButHasNoRecordToShow) {
  Recordset rs = openTable(db, "leer");
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_EQ(rs.AbsolutePosition(), 0);
  const DataError e = test::thrown<DataError>([&] { rs.setAbsolutePosition(1); }).value();
  EXPECT_EQ(e.fault(), Fault::TableEmpty);
  EXPECT_STREQ(e.what(), ("Die Tabelle \u201Eleer\u201C in \u201E" + db.string() + "\u201C ist leer.").c_str());
  EXPECT_THROW((void)rs.field("Frage"), DataError);
}

TEST(SqliteValues, NumbersNullsAndQuotedNamesGiveDisplayTexts) {
  TempDir dir;
  const fs::path db = dir / "werte.db";
  test::runSql(db,
               "CREATE TABLE \"Ta\"\"bel le\" (\"Bildnr\" INTEGER, \"Wert\" REAL, \"Text\" TEXT, \"Aktionskürzel\");"
               "INSERT INTO \"Ta\"\"bel le\" VALUES (7, 7.0, 'a', '+4');"
               "INSERT INTO \"Ta\"\"bel le\" VALUES (-12, 0.15, NULL, '');"
               "INSERT INTO \"Ta\"\"bel le\" VALUES (0, -2.5, 'ü', 1e20);");
  Recordset rs = openTable(db, "Ta\"bel le");
  ASSERT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.field("Bildnr"), "7");
  EXPECT_EQ(rs.field("Wert"), "7");
  EXPECT_EQ(rs.field("Aktionskürzel"), "+4");
  rs.setAbsolutePosition(2);
  EXPECT_EQ(rs.field("Bildnr"), "-12");
  EXPECT_EQ(rs.field("Wert"), "0.15");
  EXPECT_EQ(rs.field("Aktionskürzel"), "");
  const DataError e = test::thrown<DataError>([&] { (void)rs.field("Text"); }).value();
  EXPECT_EQ(e.fault(), Fault::FieldEmpty);
  const std::string what = e.what();
  EXPECT_NE(what.find("\u201EText\u201C"), std::string::npos) << what;
  EXPECT_NE(what.find("(Datensatz 2)"), std::string::npos) << what;
  rs.setAbsolutePosition(3);
  EXPECT_EQ(rs.field("Wert"), "-2.5");
  EXPECT_EQ(rs.field("Text"), "ü");
  EXPECT_EQ(rs.field("Aktionskürzel"), "1e+20");
}

TEST(SqliteValues, RowsComeInRowidOrderNotInsertOrder) {
  TempDir dir;
  const fs::path db = dir / "order.db";
  test::runSql(db,
               "CREATE TABLE t (Frage TEXT);"
               "INSERT INTO t (rowid, Frage) VALUES (3, 'drei'), (1, 'eins'), (2, 'zwei');"
               "CREATE INDEX i ON t (Frage);");
  Recordset rs = openTable(db, "t");
  std::vector<std::string> seen;
  for (int32_t k = 1; k <= rs.RecordCount(); ++k) {
    rs.setAbsolutePosition(k);
    seen.push_back(rs.field("Frage"));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"eins", "zwei", "drei"}));
}

TEST(Faults, EachBrokenInputGivesItsFaultAndNamesTheFile) {
  TempDir dir;
  const fs::path good = dir / "gut.mdb";
  writeDatabase(good, {TextTable{"tabAktion", {"Aktion"}, std::vector<std::vector<std::string>>(200, {"Text"})}});
  const std::string goodBytes = test::readFile(good);
  ASSERT_GT(goodBytes.size(), 4096u);

  test::writeFile(dir / "null.mdb", "");
  std::mt19937 gen(42);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(gen());
  test::writeFile(dir / "rauschen.mdb", noise);
  test::writeFile(dir / "halb.mdb", goodBytes.substr(0, goodBytes.size() / 2 + 10));
  std::string scrambled = goodBytes;
  for (std::size_t i = 100; i < scrambled.size(); i += 7) scrambled[i] = static_cast<char>(gen());
  test::writeFile(dir / "zerwuerfelt.mdb", scrambled);
  fs::create_directory(dir / "ordner.mdb");

  struct Case {
    std::string file;
    std::vector<Fault> expected;  // a damaged file may also read as lacking the table
  };
  const std::vector<Case> cases = {
      {"fehlt.mdb", {Fault::FileMissing}},     {"null.mdb", {Fault::NotADatabase}},
      {"rauschen.mdb", {Fault::NotADatabase}}, {"ordner.mdb", {Fault::NotADatabase}},
      {"halb.mdb", {Fault::Unreadable}},       {"zerwuerfelt.mdb", {Fault::Unreadable, Fault::TableMissing}},
  };
  for (const auto& c : cases) {
    const Fault got = faultOf(dir / c.file, "tabAktion");
    EXPECT_NE(std::find(c.expected.begin(), c.expected.end(), got), c.expected.end())
        << c.file << " gave fault " << static_cast<int>(got);
  }
  EXPECT_EQ(faultOf(good, "tabFragen_leicht"), Fault::TableMissing);
}

class FindDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    old = fs::current_path();
    for (const auto* sub : {"cwd", "app", "share"}) fs::create_directory(dir / sub);
    fs::current_path(dir / "cwd");
  }
  void TearDown() override { fs::current_path(old); }
  void place(const char* sub) { test::writeFile(dir / sub / "mdbZielflagge.mdb", "x"); }
  fs::path find() { return findDatabase("mdbZielflagge.mdb", dir / "app", dir / "share"); }

  TempDir dir;
  fs::path old;
};

TEST_F(FindDatabase, TakesTheFirstExistingInOrderCurrentAppData) {
  const fs::path cwd = fs::current_path();
  EXPECT_EQ(find(), cwd / "mdbZielflagge.mdb") << "none exists: the current-directory candidate";
  place("share");
  EXPECT_EQ(find(), dir / "share" / "mdbZielflagge.mdb");
  place("app");
  EXPECT_EQ(find(), dir / "app" / "mdbZielflagge.mdb");
  EXPECT_EQ(findDatabase("mdbZielflagge.mdb", {}, dir / "share"), dir / "share" / "mdbZielflagge.mdb")
      << "an empty folder is skipped";
  place("cwd");
  EXPECT_EQ(find(), cwd / "mdbZielflagge.mdb");
}

TEST(DisplayText, NumbersAreShownAsPlainDecimals) {
  EXPECT_EQ(detail::doubleText(-0.0), "0");
  EXPECT_EQ(detail::doubleText(0.1), "0.1");
  EXPECT_EQ(detail::floatText(0.15f), "0.15");
  // Only a plain decimal, with at most a leading sign, loses its trailing zeros.
  const std::pair<const char*, const char*> trimmed[] = {{"14.0000", "14"},  {"-0.0000", "0"}, {"+2.50", "+2.5"},
                                                         {"1.2.3", "1.2.3"}, {"a.50", "a.50"}, {"120", "120"}};
  for (const auto& [text, shown] : trimmed) EXPECT_EQ(detail::trimDecimalText(text), shown) << text;
}

}  // namespace
}  // namespace tj::data
