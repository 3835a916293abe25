// SPDX-License-Identifier: GPL-3.0-or-later
// What the spreadsheet readers share: cells into a grid within the limits, numbers and
// dates as a sheet shows them, the choice of a sheet, and the question template.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "data/import_detail.h"
#include "data/set_file.h"

namespace tj::data {

namespace fs = std::filesystem;
using namespace import_detail;

namespace import_detail {

namespace {

// 1'234'567 -> "1.234.567", as German texts write counts.
std::string grouped(long long n) {
  std::string digits = std::to_string(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out;
}

// Rows a sheet can number at all; a cell below them is a damaged file's.
constexpr long long kLastRowNumber = 1LL << 24;

// Howard Hinnant's days-to-civil: days since 1970-01-01 -> year, month, day.
void civil(long long days, long long& y, unsigned& m, unsigned& d) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

std::string twoDigits(unsigned n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

[[noreturn]] void SheetBuilder::tooBig(const std::string& what) const {
  throw ImportError("Das Tabellenblatt " + inQuotes(sheet_) + " in " + inQuotes(file_) +
                    " ist zu groß für einen Fragenimport: " + what +
                    ". Kopieren Sie die Fragen in eine eigene, kleinere Tabelle.");
}

SheetBuilder::Row& SheetBuilder::rowAt(long long number) {
  if (!rows_.empty() && rows_.back().number == number) return rows_.back();
  auto at = rows_.end();
  if (!rows_.empty() && rows_.back().number > number)
    at = std::lower_bound(rows_.begin(), rows_.end(), number, [](const Row& r, long long n) { return r.number < n; });
  if (at != rows_.end() && at->number == number) return *at;
  if (rows_.size() >= static_cast<std::size_t>(kMaxSheetRows))
    tooBig("mehr als " + grouped(kMaxSheetRows) + " Zeilen mit Text");
  return *rows_.insert(at, Row{number, {}});
}

void SheetBuilder::cell(long long row, long long column, std::string text) {
  if (text.empty()) return;
  if (row < 0 || column < 0 || row >= kLastRowNumber) damaged(file_);
  if (column >= kMaxSheetColumns)
    tooBig("Text in Spalte " + grouped(column + 1) + ", mehr als " + grouped(kMaxSheetColumns) + " Spalten");
  Row& r = rowAt(row);
  const auto c = static_cast<std::size_t>(column);
  if (r.cells.size() <= c) {
    cells_ += c + 1 - r.cells.size();
    if (cells_ > kMaxSheetCells) tooBig("mehr als " + grouped(static_cast<long long>(kMaxSheetCells)) + " Zellen");
    r.cells.resize(c + 1);
  }
  r.cells[c] = std::move(text);
}

void SheetBuilder::merge(long long top, long long left, long long bottom, long long right) {
  if (bottom > top && right >= left && top >= 0 && left >= 0) merges_.push_back({top, left, bottom});
}

Grid SheetBuilder::finish(std::string source) && {
  // A merged range's text fills its first column down the rows that hold anything else.
  std::size_t filled = 0;
  for (const Merge& m : merges_) {
    const auto top =
        std::lower_bound(rows_.begin(), rows_.end(), m.top, [](const Row& r, long long n) { return r.number < n; });
    const auto c = static_cast<std::size_t>(m.left);
    if (top == rows_.end() || top->number != m.top || top->cells.size() <= c || top->cells[c].empty()) continue;
    const std::string text = top->cells[c];
    for (auto r = top + 1; r != rows_.end() && r->number <= m.bottom; ++r) {
      if (++filled > kMaxSheetCells) tooBig("zu viele verbundene Zellen");
      if (r->cells.size() <= c) {
        cells_ += c + 1 - r->cells.size();
        if (cells_ > kMaxSheetCells) tooBig("mehr als " + grouped(static_cast<long long>(kMaxSheetCells)) + " Zellen");
        r->cells.resize(c + 1);
      }
      if (r->cells[c].empty()) r->cells[c] = text;
    }
  }
  Grid grid;
  grid.source = std::move(source);
  grid.rows.reserve(rows_.size());
  for (Row& r : rows_) {
    grid.rows.push_back(std::move(r.cells));
    grid.lines.push_back(static_cast<int>(r.number + 1));
  }
  return grid;
}

std::string numberText(double value) {
  if (!std::isfinite(value)) return {};
  if (value == 0) value = 0;  // no "-0"
  char buffer[40];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string out(buffer, error == std::errc() ? end : buffer);
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

std::string serialDateText(double serial, bool date1904, DateParts parts) {
  // Beyond the years 1900 (1904) to 9999 a sheet shows no date either.
  if (!std::isfinite(serial) || serial < 0 || serial >= 2958466) return numberText(serial);
  auto days = static_cast<long long>(std::floor(serial));
  auto seconds = static_cast<long long>(std::llround((serial - static_cast<double>(days)) * 86400));
  if (seconds >= 86400) ++days, seconds -= 86400;
  std::string date;
  if (!date1904 && days == 60) {
    date = "29.02.1900";  // the day the 1900 date system counts although it never was
  } else {
    // Serial 1 is 1900-01-01 (1904-01-02); before March 1900 one day less, for that day.
    const long long epoch = date1904 ? -24107 : (days < 60 ? -25568 : -25569);  // days from 1970-01-01
    long long y;
    unsigned m, d;
    civil(days + epoch, y, m, d);
    date = twoDigits(d) + "." + twoDigits(m) + "." + std::to_string(y);
  }
  const auto s = static_cast<unsigned>(seconds);
  std::string time = twoDigits(s / 3600) + ":" + twoDigits(s / 60 % 60);
  if (s % 60) time += ":" + twoDigits(s % 60);
  if (parts == DateParts::Date) return date;
  if (parts == DateParts::Time) return time;
  return date + " " + time;
}

std::string isoDateText(std::string_view iso) {
  const auto digits = [&](std::size_t at, std::size_t n) {
    return at + n <= iso.size() &&
           std::all_of(iso.begin() + static_cast<std::ptrdiff_t>(at), iso.begin() + static_cast<std::ptrdiff_t>(at + n),
                       [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(0, 4) || iso.size() < 10 || iso[4] != '-' || !digits(5, 2) || iso[7] != '-' || !digits(8, 2))
    return std::string(iso);
  std::string out =
      std::string(iso.substr(8, 2)) + "." + std::string(iso.substr(5, 2)) + "." + std::string(iso.substr(0, 4));
  // A time of day other than midnight is shown after the date.
  if (iso.size() >= 16 && (iso[10] == 'T' || iso[10] == ' ') && digits(11, 2) && digits(14, 2) &&
      iso.substr(11, 5) != "00:00")
    out += " " + std::string(iso.substr(11, 5));
  return out;
}

void damaged(const std::string& file) {
  throw ImportError("Die Datei " + inQuotes(file) +
                    " ist beschädigt und kann nicht gelesen werden. Öffnen Sie sie in Ihrem Tabellenprogramm, "
                    "speichern Sie sie neu und importieren Sie sie dann.");
}

void noSuchSheet(const std::vector<std::string>& names, const std::string& choice, const std::string& file) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) list += (i ? ", " : "") + inQuotes(names[i]);
  throw ImportError("In " + inQuotes(file) + " gibt es kein Tabellenblatt " + inQuotes(choice) +
                    (names.empty() ? std::string(" (die Datei hat keines).")
                                   : " (es gibt " + std::to_string(names.size()) + ": " + list + ")."));
}

}  // namespace import_detail

namespace {

Workbook readWorkbook(std::string_view bytes, FileKind kind, std::optional<std::size_t> index,
                      const std::string& file) {
  switch (kind) {
    case FileKind::Xlsx:
      return readXlsx(bytes, index, file);
    case FileKind::Ods:
      return readOds(bytes, index, file);
    case FileKind::Xls:
      return readXls(bytes, index, file);
    default:
      refuseOtherKinds(kind, file);
      damaged(file);  // text is no workbook
  }
}

}  // namespace

std::vector<std::string> sheetNames(std::string_view bytes, FileKind kind, const std::string& file) {
  return readWorkbook(bytes, kind, std::nullopt, file).names;
}

Grid readSheet(std::string_view bytes, FileKind kind, std::size_t index, const std::string& file) {
  return readWorkbook(bytes, kind, index, file).grid;
}

std::size_t sheetIndex(const std::vector<std::string>& names, const std::string& choice, const std::string& file) {
  const auto named = std::find(names.begin(), names.end(), choice);
  if (named != names.end()) return static_cast<std::size_t>(named - names.begin());
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(choice.data(), choice.data() + choice.size(), number);
  if (error == std::errc() && end == choice.data() + choice.size() && number >= 1 && number <= names.size())
    return number - 1;
  noSuchSheet(names, choice, file);
}

std::vector<std::vector<std::string>> templateRows() {
  return {
      {kColumnHeadings.begin(), kColumnHeadings.end()},
      {"Wie viele Beine hat eine Spinne?", "acht", "sechs", "zehn", "zwölf", "leicht", "Natur und Tiere"},
      {"Welcher Planet ist der Sonne am nächsten?", "Merkur", "Venus", "Mars", "Erde", "leicht", "Weltall"},
      {"Wie heißt die Hauptstadt von Kanada?", "Ottawa", "Toronto", "Montreal", "Vancouver", "schwer", "Erdkunde"},
  };
}

void writeTemplate(const fs::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext != ".csv") return writeWorkbook(file, templateRows());
  try {
    writeCsv(file, templateRows());
  } catch (const BuildError& e) {
    throw ImportError(e.what());
  }
}

}  // namespace tj::data
