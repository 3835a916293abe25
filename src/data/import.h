// SPDX-License-Identifier: GPL-3.0-or-later
// Questions people already have, brought into a question set: spreadsheet text (CSV or
// tab-separated, in the encodings spreadsheet programs write), GIFT and Aiken text from
// learning platforms. Nothing here changes a set; the caller takes the accepted questions.
//
// Two kinds of failure: a question that cannot be used is skipped with its line and a
// German reason, and the import goes on; a file that cannot be read at all (too big, not
// text, an unknown encoding, broken quoting, a GIFT syntax error) throws ImportError.
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

enum class Encoding { Utf8, Utf8Bom, Windows1252, Utf16LE, Utf16BE };
// "UTF-8", "Windows-1252", "UTF-16 LE", ...
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
  std::vector<int> lines;  // line (1-based) on which each row starts
  char delimiter = ';';
  Encoding encoding = Encoding::Utf8;
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

// ---- Result -------------------------------------------------------------------------

struct ImportedQuestion {
  Question question;
  std::optional<Level> level;  // when the file says
  int line = 0;
};

struct SkippedQuestion {
  int line = 0;
  std::string reason;  // German, e.g. "nur drei Antworten"
};

struct ImportResult {
  std::vector<ImportedQuestion> accepted;
  std::vector<SkippedQuestion> skipped;
  std::string source;  // what was read, e.g. "CSV, Trennzeichen „;“, Windows-1252"
};

// Texts are trimmed and line breaks inside a text become blanks. A row is skipped when its
// question or an answer is missing, its level is unknown, or it has more cells than the
// header (without one: than most rows), as an unquoted delimiter inside a text makes.
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
ImportResult importFile(const std::filesystem::path& file, ImportFormat format = ImportFormat::Auto,
                        const std::optional<ColumnMap>& columns = std::nullopt);

// "42 Fragen übernommen, 3 übersprungen: Zeile 7: nur drei Antworten; Zeile 9: ..."
std::string reportText(const ImportResult& result);

}  // namespace tj::data
