// SPDX-License-Identifier: GPL-3.0-or-later
// Questions people already have, brought into a question set: spreadsheets (.xlsx, .ods,
// .xls), spreadsheet text (CSV or tab-separated, in the encodings spreadsheet programs
// write), GIFT and Aiken text from learning platforms. Nothing here changes a set; the
// caller takes the accepted questions.
//
// Two kinds of failure: a question that cannot be used is skipped with its row (or line)
// and a German reason, and the import goes on; a file that cannot be read at all (too big,
// damaged, no question list, an unknown encoding, broken quoting, a GIFT syntax error)
// throws ImportError.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/question_set.h"

namespace tj::data {

// what() is a German sentence naming the file and, where it applies, the line.
class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Larger files are refused before they are read.
inline constexpr std::uintmax_t kMaxImportBytes = std::uintmax_t{20} << 20;

// Reads a file for import. Throws ImportError when it is missing, no regular file, larger
// than kMaxImportBytes or unreadable.
std::string readImportFile(const std::filesystem::path& file);

// What a file is, by its content: spreadsheets, text, and the files people take for a
// question list although they are none.
enum class FileKind {
  Text,  // anything without a known signature; decodeText decides whether it is text
  Xlsx,
  Ods,
  Xls,
  QuestionSet,  // the game's database or an Access file
  Word,
  WriterText,  // LibreOffice or OpenOffice text document
  Presentation,
  Pdf,
  Picture,
  Encrypted,  // an office file locked with a password
  Archive,
  Binary,  // other content with a known binary signature
};
FileKind fileKind(std::string_view bytes);
inline bool isSpreadsheet(FileKind k) { return k == FileKind::Xlsx || k == FileKind::Ods || k == FileKind::Xls; }

// Throws ImportError with what the file is and what to do, for every kind that is neither
// text nor a spreadsheet.
void refuseOtherKinds(FileKind kind, const std::string& file);

enum class Encoding { Utf8, Utf8Bom, Windows1252, Utf16LE, Utf16BE };
// The encoding in the words spreadsheet programs use: "UTF-8", "Windows", "Unicode-Text".
std::string encodingName(Encoding e);

// Text as UTF-8 with line ends as they were. A byte order mark decides; without one,
// UTF-16 is recognised by its zero bytes, valid UTF-8 is taken as such and anything else as
// Windows-1252. Throws ImportError for binary content (control bytes) and for bytes no
// encoding explains. `file` only names the file in messages.
struct Decoded {
  std::string text;
  Encoding encoding = Encoding::Utf8;
};
Decoded decodeText(std::string_view bytes, const std::string& file);

// ---- Spreadsheet text ---------------------------------------------------------------

// Rows of cells. Cells may be quoted with '"' (a doubled quote inside stands for one) and
// then hold the delimiter and line breaks. The delimiter is whichever of tab, ';' and ','
// splits the first rows most evenly. Rows without any text are dropped.
struct Grid {
  std::vector<std::vector<std::string>> rows;
  // Each row's number as a spreadsheet program shows it (1-based): a line break inside a
  // quoted cell does not count, a row without text does.
  std::vector<int> lines;
  char delimiter = ';';
  Encoding encoding = Encoding::Utf8;
  std::string source;  // what was read, e.g. "Tabelle als Text (Trennzeichen „;“, UTF-8)"
  // Split from text at a delimiter: a row wider than the rest was split by a delimiter in
  // an unquoted text. In a sheet, text beside the question is just more columns.
  bool splitText = false;
};
// Throws ImportError as decodeText does, and for a quote that is never closed.
Grid readGrid(std::string_view bytes, const std::string& file);

// Which column (0-based) holds what; -1 for no level or topic column. A level cell says
// "leicht" or "schwer" (also "1"/"2", "einfach", "easy"/"hard", case ignored).
struct ColumnMap {
  bool header = true;  // the first row names the columns and is no question
  int question = 0;
  int right = 1;
  std::array<int, 3> wrong{2, 3, 4};
  int level = -1;
  int topic = -1;
  friend bool operator==(const ColumnMap&, const ColumnMap&) = default;
};
// A guess from the first row's names ("Frage", "Richtige Antwort", "Falsch 1", "Antwort1",
// "Antwort Richtig", "Stufe", "Level", "Thema", "Kategorie", ...; a cell with "?" or a long text is a question,
// no name). Without names for all five: the order question, right answer, three wrong
// ones, a header only if some name was recognised, and the sixth column as the level when
// the first question's sixth cell names one.
ColumnMap guessColumns(const Grid& grid);

// ---- Spreadsheet files -------------------------------------------------------------

// A sheet is refused, with a German message, when it has more rows with text, more
// columns, or more cells than these; a part of an .xlsx or .ods file when it unpacks to
// more than kMaxPartBytes, or to more than kMaxPackRatio times its packed size.
inline constexpr int kMaxSheetRows = 100'000;
inline constexpr int kMaxSheetColumns = 1'000;
inline constexpr std::size_t kMaxSheetCells = 2'000'000;
inline constexpr std::uintmax_t kMaxPartBytes = std::uintmax_t{64} << 20;
inline constexpr std::uintmax_t kMaxPackRatio = 200;

// The names of a spreadsheet's sheets, in the order of their tabs. `kind` is one of the
// spreadsheet kinds of fileKind(bytes). Throws ImportError for a damaged file.
std::vector<std::string> sheetNames(std::string_view bytes, FileKind kind, const std::string& file);

// Sheet `index` (0-based) as a grid, each cell as the sheet shows it: a number without
// a needless decimal part and with a decimal comma ("366", "0,5"), a date as "09.11.1989",
// a percentage as "50%", rich text runs joined. A merged range's text fills the range's
// first column down to its last row (a level written once for several questions); its
// other columns stay empty. Throws ImportError for a damaged file, a missing sheet and a
// sheet beyond the limits above.
Grid readSheet(std::string_view bytes, FileKind kind, std::size_t index, const std::string& file);

// The sheet a choice names: a sheet's name, or its number counted from 1. Throws
// ImportError naming the sheets there are.
std::size_t sheetIndex(const std::vector<std::string>& names, const std::string& choice, const std::string& file);

// ---- Writing spreadsheets -----------------------------------------------------------

// Writes the rows as the first sheet "Fragen" of a spreadsheet: .ods by that extension,
// anything else as .xlsx; texts as text cells. The file appears whole or not at all.
// Throws ImportError when it cannot be written.
void writeWorkbook(const std::filesystem::path& file, const std::vector<std::vector<std::string>>& rows);

// Headings of a question table as the template writes them and the column guess reads
// them: question, right answer, three wrong answers, level, topic.
inline constexpr std::array<std::string_view, 7> kColumnHeadings = {
    "Frage", "Richtige Antwort", "Falsche Antwort 1", "Falsche Antwort 2", "Falsche Antwort 3", "Stufe", "Thema"};
// The headings and three example questions.
std::vector<std::vector<std::string>> templateRows();
// The template as CSV (by the extension .csv, as csvRows writes it) or as a spreadsheet.
void writeTemplate(const std::filesystem::path& file);

// ---- Result -------------------------------------------------------------------------

struct ImportedQuestion {
  Question question;
  std::optional<Level> level;  // when the file says
  int line = 0;
};

struct SkippedQuestion {
  int line = 0;
  std::string reason;    // German, e.g. "nur drei Antworten"
  std::string question;  // its text, when it has one
};

struct ImportResult {
  std::vector<ImportedQuestion> accepted;
  std::vector<SkippedQuestion> skipped;
  std::string source;  // what was read, e.g. "CSV, Trennzeichen „;“, Windows-1252"
};

// Texts are trimmed and line breaks inside a text become blanks. A row is skipped when its
// question or an answer is missing, its level is unknown, or, split from text, it has more
// cells than the header (without one: than most rows), as an unquoted delimiter inside a
// text makes.
ImportResult importGrid(const Grid& grid, const ColumnMap& columns);

// GIFT: questions separated by blank lines, "//" comment lines, "$CATEGORY:" lines (the
// last part of the category, "$course$/top/Erdkunde" → "Erdkunde", is the topic of the
// questions after it),
// "::title::", "[html]"-style format tags, escapes \~ \= \# \{ \} \: \\ \n. A question with
// exactly one "=" and three "~" answers is taken (feedback after "#" dropped); every other
// kind (true/false, short answer, numeric, matching, essay, gap text, weights) is skipped
// and named. Throws ImportError naming the line for a "{" without "}" and similar faults.
ImportResult importGift(std::string_view text, const std::string& file);

// Aiken: the question, four options "A)" or "A." to "D", then "ANSWER: X".
ImportResult importAiken(std::string_view text, const std::string& file);

enum class ImportFormat { Auto, Grid, Gift, Aiken };
// By extension (.csv .tsv .tab: grid; .gift: GIFT), else by content: an "ANSWER:" line is
// Aiken, an answer block in braces GIFT, anything else spreadsheet text.
ImportFormat detectFormat(const std::filesystem::path& file, std::string_view text);

// Reads, detects and imports a whole file; a grid with the guessed columns unless given.
// A spreadsheet gives its sheet `sheet`; any other kind of file than text or a spreadsheet
// is refused (refuseOtherKinds).
ImportResult importFile(const std::filesystem::path& file, ImportFormat format = ImportFormat::Auto,
                        const std::optional<ColumnMap>& columns = std::nullopt, std::size_t sheet = 0);

// The first words of a question, at most about 25 characters, cut at a blank with " …".
std::string firstWords(const std::string& question);

// "42 Fragen übernommen, 3 übersprungen:" and one line per skipped question,
// "Zeile 7: „Welcher Planet ist der …“ – nur drei Antworten", in the order of the result.
std::string reportText(const ImportResult& result);

}  // namespace tj::data
