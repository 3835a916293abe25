// SPDX-License-Identifier: GPL-3.0-or-later
// What the spreadsheet readers share: numbers, dates and number formats as a sheet shows
// them, cells into rows with merges and limits, and texts written and read back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "data/import_detail.h"
#include "fixtures.h"

namespace tj::data {
namespace {

using namespace import_detail;

TEST(SheetCells, NumbersAndDatesAsTheSheetShowsThem) {
  const std::pair<double, std::string> numbers[] = {{366, "366"},       {0.5, "0,5"}, {-2.25, "-2,25"},
                                                    {0.1 + 0.2, "0,3"}, {-0.0, "0"},  {1234567890123, "1234567890123"},
                                                    {NAN, ""}};
  for (const auto& [value, text] : numbers) EXPECT_EQ(numberText(value), text) << value;

  struct Date {
    double serial;
    bool date1904;
    DateParts parts;
    std::string text;
  };
  const Date dates[] = {
      {32821, false, DateParts::Date, "09.11.1989"},
      {1, false, DateParts::Date, "01.01.1900"},
      {59, false, DateParts::Date, "28.02.1900"},
      {60, false, DateParts::Date, "29.02.1900"},  // the day the 1900 system counts
      {61, false, DateParts::Date, "01.03.1900"},
      {42175, true, DateParts::Date, "21.06.2019"},
      {45000.75, false, DateParts::DateTime, "15.03.2023 18:00"},
      {0.5 + 1.0 / 86400, false, DateParts::Time, "12:00:01"},
      {44999.9999999, false, DateParts::DateTime, "15.03.2023 00:00"},  // rounds into the next day
      {-1, false, DateParts::Date, "-1"},
      {3e6, false, DateParts::Date, "3000000"},
  };
  for (const Date& d : dates) EXPECT_EQ(serialDateText(d.serial, d.date1904, d.parts), d.text) << d.serial;

  const std::pair<std::string, std::string> iso[] = {{"1989-11-09", "09.11.1989"},
                                                     {"2023-03-15T18:30:00", "15.03.2023 18:30"},
                                                     {"2023-03-15T00:00:00", "15.03.2023"},
                                                     {"1989-11", "1989-11"},
                                                     {"19891109", "19891109"}};
  for (const auto& [in, out] : iso) EXPECT_EQ(isoDateText(in), out) << in;
}

// A date read as a plain number, or a price read as a date, would change the answer.
TEST(SheetCells, NumberFormatsByTheirCode) {
  const std::pair<const char*, Shown> formats[] = {
      {"General", Shown::Number},
      {"0.00", Shown::Number},
      {"#,##0.00 \"€\"", Shown::Number},
      {"\"day\" 0", Shown::Number},  // letters in quotes
      {"[Red]0.00", Shown::Number},  // and in brackets
      {"0 \\d", Shown::Number},      // and escaped
      {"0.00;[Red]-0.00;\"dd\"", Shown::Number},
      {"0%", Shown::Percent},
      {"0.00%", Shown::Percent},
      {"dd\\.mm\\.yyyy", Shown::Date},
      {"DD/MM/YY", Shown::Date},
      {"mmm", Shown::Date},
      {"hh:mm", Shown::Time},
      {"mm:ss", Shown::Time},
      {"[h]:mm", Shown::Time},
      {"h:mm AM/PM", Shown::Time},
      {"dd.mm.yyyy hh:mm", Shown::DateTime},
      {"@", Shown::Text},
  };
  for (const auto& [code, shown] : formats) EXPECT_EQ(classifyFormat(code), shown) << code;
}

// Cells come in any order; a merged range fills its first column down the rows that hold
// anything else, without overwriting, and a range one row high fills nothing.
TEST(SheetBuilderTest, RowsInOrderAndMergesDown) {
  SheetBuilder b("f.xlsx", "Fragen");
  b.cell(2, 0, "c");
  b.cell(0, 0, "a");
  b.cell(1, 1, "b");
  b.cell(0, 2, "leicht");
  b.cell(2, 2, "schwer");
  b.cell(4, 1, "e");
  b.cell(0, 1, "");  // no cell
  b.merge(0, 2, 9, 3);
  b.cell(4, 0, "titel");
  b.merge(4, 0, 4, 3);
  b.merge(1, 0, 2, 0);  // its top cell is empty
  const Grid grid = std::move(b).finish("Quelle");
  EXPECT_EQ(grid.lines, (std::vector<int>{1, 2, 3, 5}));
  EXPECT_EQ(grid.rows, (std::vector<std::vector<std::string>>{
                           {"a", "", "leicht"}, {"", "b", "leicht"}, {"c", "", "schwer"}, {"titel", "e", "leicht"}}));
  EXPECT_EQ(grid.source, "Quelle");
}

// Each limit holds up to its last cell and refuses the next with a German message.
TEST(SheetBuilderTest, LimitsHoldToTheLastCell) {
  struct Case {
    const char* what;
    std::function<void(SheetBuilder&)> fill;  // up to the limit
    std::function<void(SheetBuilder&)> next;
    std::string message;
  };
  const Case cases[] = {
      {"rows",
       [](SheetBuilder& b) {
         for (int r = 0; r < kMaxSheetRows; ++r) b.cell(r, 0, "x");
       },
       [](SheetBuilder& b) { b.cell(kMaxSheetRows, 0, "x"); }, "mehr als 100.000 Zeilen mit Text"},
      {"columns", [](SheetBuilder& b) { b.cell(0, kMaxSheetColumns - 1, "x"); },
       [](SheetBuilder& b) { b.cell(1, kMaxSheetColumns, "x"); }, "Text in Spalte 1.001, mehr als 1.000 Spalten"},
      {"cells",
       [](SheetBuilder& b) {
         for (std::size_t r = 0; r < kMaxSheetCells / kMaxSheetColumns; ++r) b.cell(r, kMaxSheetColumns - 1, "x");
       },
       [](SheetBuilder& b) { b.cell(kMaxSheetRows - 1, 0, "x"); }, "mehr als 2.000.000 Zellen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SheetBuilder b("f.ods", "Riesig");
    c.fill(b);
    const auto e = test::thrown<ImportError>([&] { c.next(b); });
    EXPECT_EQ(e ? e->what() : "", "Das Tabellenblatt „Riesig“ in „f.ods“ ist zu groß für einen Fragenimport: " +
                                      c.message + ". Kopieren Sie die Fragen in eine eigene, kleinere Tabelle.");
  }
  SheetBuilder b("f.ods", "Riesig");
  EXPECT_THROW(b.cell(1LL << 24, 0, "x"), ImportError);  // beyond any sheet: damaged
}

// What the template writer puts in a cell comes back as it was; a control character, which
// the file format cannot hold, is left out.
TEST(SheetWriter, TextsReadBack) {
  const test::TempDir dir;
  const std::vector<std::vector<std::string>> rows = {
      {"Frage", "Antwort"}, {"A & B < C > \"D\" 'E'", "Zeile 1\nZeile 2"}, {"", "nur rechts"}, {"Steuer\x01zeichen"}};
  for (const char* name : {"t.xlsx", "t.ods"}) {
    SCOPED_TRACE(name);
    writeWorkbook(dir / name, rows);
    const std::string bytes = readImportFile(dir / name);
    const FileKind kind = fileKind(bytes);
    EXPECT_EQ(sheetNames(bytes, kind, name), std::vector<std::string>{"Fragen"});
    const Grid grid = readSheet(bytes, kind, 0, name);
    EXPECT_EQ(grid.rows,
              (std::vector<std::vector<std::string>>{rows[0], rows[1], {"", "nur rechts"}, {"Steuerzeichen"}}));
  }
}

}  // namespace
}  // namespace tj::data
