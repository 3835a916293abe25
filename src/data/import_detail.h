// SPDX-License-Identifier: GPL-3.0-or-later
// Internals the importers share. Not part of the public API.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/import.h"

#include "data/quoted.h"

namespace tj::data::import_detail {

// Trimmed, every run of blanks, tabs and line breaks one blank.
std::string cleanText(std::string_view text);
// Why a question with this many right and wrong answers cannot be played, e.g. "nur drei Antworten".
std::optional<std::string> answerCountProblem(int right, int wrong);

bool looksLikeAiken(std::string_view text);
bool looksLikeGift(std::string_view text);

// What the advice for a file that holds no questions in a form the import reads says.
inline constexpr const char* kSaveAsTable =
    "Speichern Sie die Fragen als Tabelle (Excel, LibreOffice oder CSV) und importieren Sie diese.";
// "Die Datei „x“ ist beschädigt …" with what to do.
[[noreturn]] void damaged(const std::string& file);

// ---- Spreadsheets -------------------------------------------------------------------

// Collects one sheet's cells into a Grid within the limits of import.h.
class SheetBuilder {
 public:
  SheetBuilder(std::string file, std::string sheet) : file_(std::move(file)), sheet_(std::move(sheet)) {}
  // The text of the cell in row `row` and column `column` (both 0-based, any order). An
  // empty text is no cell; a second text for a cell replaces the first. Throws ImportError
  // past the limits.
  void cell(long long row, long long column, std::string text);
  // A merged range, corners included.
  void merge(long long top, long long left, long long bottom, long long right);
  Grid finish(std::string source) &&;

 private:
  struct Row {
    long long number;
    std::vector<std::string> cells;
  };
  [[noreturn]] void tooBig(const std::string& what) const;
  Row& rowAt(long long number);

  std::string file_, sheet_;
  std::vector<Row> rows_;  // ascending numbers
  std::size_t cells_ = 0;  // cells the rows hold, empty ones between included
  struct Merge {
    long long top, left, bottom;
  };
  std::vector<Merge> merges_;
};

// A number as a sheet shows it in its standard format: at most 15 significant digits, no
// needless decimal part, a decimal comma ("366", "0,5", "-2,25").
std::string numberText(double value);
// A date serial (days since 1899-12-30, or with `date1904` since 1904-01-01) as
// "09.11.1989", its time of day as "14:30", or both.
enum class DateParts { Date, Time, DateTime };
std::string serialDateText(double serial, bool date1904, DateParts parts);
// "1989-11-09", also with a time after it, as "09.11.1989"; other text as it is.
std::string isoDateText(std::string_view iso);

// What a cell's number format shows, from its code ("0%", "dd.mm.yyyy", "[h]:mm", "@"):
// date and time letters outside quotes and brackets, a percent sign; only the first section
// (positive numbers) counts.
enum class Shown { Number, Percent, Date, Time, DateTime, Text };
Shown classifyFormat(std::string_view code);

// The sheet readers of each format (import_sheet.cpp, import_xls.cpp). `index` nullopt:
// only the names are read, and the grid stays empty.
struct Workbook {
  std::vector<std::string> names;
  Grid grid;
};
Workbook readXlsx(std::string_view bytes, std::optional<std::size_t> index, const std::string& file);
Workbook readOds(std::string_view bytes, std::optional<std::size_t> index, const std::string& file);
Workbook readXls(std::string_view bytes, std::optional<std::size_t> index, const std::string& file);

// The kind of a ZIP package: which spreadsheet, document or presentation it holds.
FileKind zipKind(std::string_view bytes);

// "Das Tabellenblatt Nummer 3 gibt es in „x“ nicht (…)": for an index beyond `names`.
[[noreturn]] void noSuchSheet(const std::vector<std::string>& names, const std::string& choice,
                              const std::string& file);

}  // namespace tj::data::import_detail
