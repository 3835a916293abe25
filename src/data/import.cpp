// SPDX-License-Identifier: GPL-3.0-or-later
// Reading import files: size limit, what a file is, encodings, spreadsheet text and the
// column guess, format detection and the report.
#include "data/import.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <system_error>

#include "data/detail.h"
#include "data/import_detail.h"
#include "data/text_encoding.h"

namespace tj::data {

namespace fs = std::filesystem;
using namespace import_detail;

namespace {

// Control characters no text file holds (tab, line feed, form feed and carriage return do).
bool isBinaryControl(char32_t c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f'; }

int lineAt(std::string_view text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

[[noreturn]] void notText(const std::string& file, int line) {
  throw ImportError("Die Datei " + inQuotes(file) +
                    " ist keine Tabelle und kein Text, den das Importieren lesen kann (Zeile " + std::to_string(line) +
                    " enthält Zeichen, die in keinem Text stehen). " + kSaveAsTable);
}

[[noreturn]] void unreadableCharacters(const std::string& file, int line) {
  throw ImportError("Die Datei " + inQuotes(file) + " enthält in Zeile " + std::to_string(line) +
                    " Zeichen, die sich nicht lesen lassen. Speichern Sie sie in Ihrem Tabellenprogramm als "
                    "„CSV UTF-8“ und importieren Sie sie dann.");
}

void rejectControls(const std::string& text, const std::string& file) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (isBinaryControl(static_cast<unsigned char>(text[i]))) notText(file, lineAt(text, i));
}

Decoded decodeUtf16(std::string_view bytes, bool little, Encoding e, const std::string& file) {
  Decoded d{{}, e};
  d.text.reserve(bytes.size());
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(little ? (b << 8 | a) : (a << 8 | b));
  };
  int line = 1;
  const auto bad = [&] {
    throw ImportError("Die Datei " + inQuotes(file) + " ist als Unicode-Text gespeichert, aber in Zeile " +
                      std::to_string(line) + " beschädigt. " + kSaveAsTable);
  };
  if (bytes.size() % 2 != 0) bad();
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 3 >= bytes.size()) bad();
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) bad();
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      bad();
    }
    if (c == '\n') ++line;
    appendUtf8(d.text, c);
  }
  rejectControls(d.text, file);
  return d;
}

// UTF-16 without a byte order mark: nearly every other byte is zero.
std::optional<bool> utf16Without(std::string_view bytes) {
  const std::size_t n = std::min<std::size_t>(bytes.size() & ~std::size_t{1}, 4096);
  if (n < 4) return std::nullopt;
  std::size_t even = 0, odd = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[i] == 0) ++(i % 2 ? odd : even);
  // Over 80 % of one side zero, under 10 % of the other.
  const std::size_t half = n / 2;
  if (odd * 10 > half * 8 && even * 10 < half) return true;   // little endian
  if (even * 10 > half * 8 && odd * 10 < half) return false;  // big endian
  return std::nullopt;
}

std::string delimiterName(char d) {
  if (d == '\t') return "Tabulator";
  return inQuotes(std::string(1, d));
}

// Rows of `text` split at `delim`, numbered as a spreadsheet program numbers them. Returns
// the row of a quote that is never closed.
std::optional<int> splitRows(std::string_view text, char delim, Grid& grid, std::size_t maxRows) {
  std::vector<std::string> row;
  std::string cell;
  int rowNumber = 1;
  std::size_t i = 0;
  const auto endRow = [&] {
    row.push_back(std::move(cell));
    cell.clear();
    const bool blank = std::all_of(row.begin(), row.end(), [](const std::string& c) { return c.empty(); });
    if (!blank) {
      grid.rows.push_back(std::move(row));
      grid.lines.push_back(rowNumber);
    }
    row.clear();
    ++rowNumber;
  };
  bool atCellStart = true;
  while (i < text.size() && grid.rows.size() < maxRows) {
    const char c = text[i];
    if (atCellStart && c == '"') {
      const int opened = rowNumber;
      ++i;
      for (;;) {
        if (i >= text.size()) return opened;
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            cell += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        cell += text[i++];
      }
      atCellStart = false;
      continue;
    }
    atCellStart = false;
    if (c == delim) {
      row.push_back(std::move(cell));
      cell.clear();
      atCellStart = true;
    } else if (c == '\n') {
      if (!cell.empty() && cell.back() == '\r') cell.pop_back();
      endRow();
      atCellStart = true;
    } else {
      cell += c;
    }
    ++i;
  }
  if (grid.rows.size() < maxRows && (!cell.empty() || !row.empty())) {
    if (!cell.empty() && cell.back() == '\r') cell.pop_back();
    endRow();
  }
  return std::nullopt;
}

// How evenly `delim` splits the first rows: rows of the most common width, and that width.
std::pair<std::size_t, std::size_t> evenness(std::string_view text, char delim) {
  Grid sample;
  splitRows(text, delim, sample, 50);
  std::map<std::size_t, std::size_t> widths;
  for (const auto& r : sample.rows) ++widths[r.size()];
  std::pair<std::size_t, std::size_t> best{0, 0};
  for (const auto& [width, count] : widths)
    if (width >= 2 && std::pair{count, width} > best) best = {count, width};
  return best;
}

Grid gridOf(const Decoded& d, const std::string& file) {
  Grid grid;
  grid.encoding = d.encoding;
  std::pair<std::size_t, std::size_t> best{0, 0};
  for (const char delim : {'\t', ';', ','}) {
    if (const auto e = evenness(d.text, delim); e > best) best = e, grid.delimiter = delim;
  }
  if (const auto open = splitRows(d.text, grid.delimiter, grid, SIZE_MAX))
    throw ImportError("In " + inQuotes(file) + ", Zeile " + std::to_string(*open) +
                      ": Das Anführungszeichen wird bis zum Ende der Datei nicht geschlossen.");
  grid.splitText = true;
  grid.source =
      "Tabelle als Text (Trennzeichen " + delimiterName(grid.delimiter) + ", " + encodingName(grid.encoding) + ")";
  return grid;
}

// A column name reduced to lower-case letters and digits.
std::string nameKey(const std::string& name) {
  std::string out;
  for (const char c : name) {
    if (c >= 'A' && c <= 'Z')
      out += static_cast<char>(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || (c & 0x80))
      out += c;
  }
  return out;
}

constexpr std::size_t kLongestColumnName = 24;

bool has(const std::string& s, std::initializer_list<const char*> parts) {
  return std::any_of(parts.begin(), parts.end(), [&](const char* p) { return s.find(p) != std::string::npos; });
}

std::optional<Level> levelOf(const std::string& cell) {
  const std::string k = nameKey(cell);
  if (k == "leicht" || k == "einfach" || k == "easy" || k == "1") return Level::Easy;
  if (k == "schwer" || k == "schwierig" || k == "hard" || k == "2") return Level::Hard;
  return std::nullopt;
}

std::string countedAnswers(int n) {
  static const char* const kWords[] = {"keine", "nur eine", "nur zwei", "nur drei"};
  if (n < 4) return std::string(kWords[n]) + (n == 1 ? " Antwort" : " Antworten");
  return std::to_string(n) + " Antworten";
}

}  // namespace

namespace import_detail {

std::string cleanText(std::string_view text) {
  std::string out;
  bool blank = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::optional<std::string> answerCountProblem(int right, int wrong) {
  if (right == 0) return "keine richtige Antwort";
  if (right > 1) return std::to_string(right) + " richtige Antworten";
  if (wrong != 3) return countedAnswers(1 + wrong);
  return std::nullopt;
}

}  // namespace import_detail

FileKind fileKind(std::string_view bytes) {
  const auto utf16 = [&](std::string_view name) {
    std::string wide;
    for (const char c : name) wide += {c, '\0'};
    return bytes.find(wide + std::string(2, '\0')) != std::string_view::npos;
  };
  if (bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06")) return zipKind(bytes);
  if (bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
    // A compound file: its directory names the streams, in UTF-16.
    if (utf16("EncryptedPackage")) return FileKind::Encrypted;
    if (utf16("Workbook") || utf16("Book")) return FileKind::Xls;
    if (utf16("WordDocument")) return FileKind::Word;
    if (utf16("PowerPoint Document")) return FileKind::Presentation;
    return FileKind::Binary;
  }
  const auto from = [&](std::size_t offset) { return bytes.substr(std::min(offset, bytes.size())); };
  if (bytes.starts_with("SQLite format 3") || from(4).starts_with("Standard Jet DB") ||
      from(4).starts_with("Standard ACE DB"))
    return FileKind::QuestionSet;
  if (bytes.starts_with("%PDF-")) return FileKind::Pdf;
  if (bytes.starts_with("{\\rtf")) return FileKind::Word;
  for (const std::string_view picture : {"\x89PNG\r\n", "\xFF\xD8\xFF", "GIF87a", "GIF89a", "II*\0", "MM\0*"})
    if (bytes.starts_with(picture)) return FileKind::Picture;
  if (bytes.starts_with("RIFF") && from(8).starts_with("WEBP")) return FileKind::Picture;
  return FileKind::Text;
}

void refuseOtherKinds(FileKind kind, const std::string& file) {
  std::string what;
  switch (kind) {
    case FileKind::Text:
    case FileKind::Xlsx:
    case FileKind::Ods:
    case FileKind::Xls:
      return;
    case FileKind::QuestionSet:
      throw ImportError("Die Datei " + inQuotes(file) +
                        " ist ein Fragensatz des Spiels, keine Tabelle zum Importieren. Öffnen Sie ihn im "
                        "Fragen-Editor mit „Datei → Öffnen …“.");
    case FileKind::Encrypted:
      throw ImportError("Die Datei " + inQuotes(file) +
                        " ist mit einem Kennwort geschützt. Speichern Sie sie in Ihrem Tabellenprogramm ohne Kennwort "
                        "und importieren Sie sie dann.");
    case FileKind::Word:
      what = "ein Word-Dokument";
      break;
    case FileKind::WriterText:
      what = "ein Textdokument";
      break;
    case FileKind::Presentation:
      what = "eine Präsentation";
      break;
    case FileKind::Pdf:
      what = "ein PDF-Dokument";
      break;
    case FileKind::Picture:
      what = "ein Bild";
      break;
    case FileKind::Archive:
      what = "ein ZIP-Archiv";
      break;
    case FileKind::Binary:
      what = "ein Dokument, das das Importieren nicht lesen kann";
      break;
  }
  throw ImportError("Die Datei " + inQuotes(file) + " ist " + what + ", keine Tabelle mit Fragen. " + kSaveAsTable);
}

std::string readImportFile(const fs::path& file) {
  const std::string name = file.string();
  std::error_code ec;
  if (!fs::exists(file, ec)) throw ImportError("Die Datei " + inQuotes(name) + " gibt es nicht.");
  if (!fs::is_regular_file(file, ec)) throw ImportError(inQuotes(name) + " ist keine Datei.");
  const auto size = fs::file_size(file, ec);
  if (ec) throw ImportError("Die Datei " + inQuotes(name) + " kann nicht gelesen werden.");
  if (size > kMaxImportBytes)
    throw ImportError("Die Datei " + inQuotes(name) + " ist mit " + std::to_string(size >> 20) +
                      " MB zu groß für einen Fragenimport (höchstens " + std::to_string(kMaxImportBytes >> 20) +
                      " MB).");
  std::ifstream in(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size)))
    throw ImportError("Die Datei " + inQuotes(name) + " kann nicht gelesen werden.");
  return bytes;
}

std::string encodingName(Encoding e) {
  switch (e) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
      return "UTF-8";
    case Encoding::Windows1252:
      return "Windows-Zeichensatz";
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
      return "Unicode-Text";
  }
  return {};
}

Decoded decodeText(std::string_view bytes, const std::string& file) {
  if (bytes.starts_with("\xFF\xFE")) return decodeUtf16(bytes.substr(2), true, Encoding::Utf16LE, file);
  if (bytes.starts_with("\xFE\xFF")) return decodeUtf16(bytes.substr(2), false, Encoding::Utf16BE, file);
  if (const auto little = utf16Without(bytes))
    return decodeUtf16(bytes, *little, *little ? Encoding::Utf16LE : Encoding::Utf16BE, file);
  Decoded d;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
    d.encoding = Encoding::Utf8Bom;
    if (const auto bad = detail::invalidUtf8At(bytes); bad != std::string_view::npos)
      unreadableCharacters(file, lineAt(bytes, bad));
  } else if (detail::invalidUtf8At(bytes) != std::string_view::npos) {
    d.encoding = Encoding::Windows1252;
    d.text.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      const char32_t c = fromCp1252(b);
      if (c == kReplacementCharacter) unreadableCharacters(file, lineAt(bytes, i));
      if (isBinaryControl(c)) notText(file, lineAt(bytes, i));
      appendUtf8(d.text, c);
    }
    return d;
  }
  d.text.assign(bytes);
  rejectControls(d.text, file);
  return d;
}

Grid readGrid(std::string_view bytes, const std::string& file) { return gridOf(decodeText(bytes, file), file); }

ColumnMap guessColumns(const Grid& grid) {
  ColumnMap map;
  if (grid.rows.empty()) return map;
  const auto& names = grid.rows.front();
  int question = -1, right = -1, level = -1, topic = -1;
  std::vector<int> wrong, answers;
  for (int c = 0; c < static_cast<int>(names.size()); ++c) {
    const std::string k = nameKey(names[static_cast<std::size_t>(c)]);
    if (k.size() > kLongestColumnName || names[static_cast<std::size_t>(c)].find('?') != std::string::npos)
      continue;  // a question, not a column name
    if (has(k, {"richtig", "korrekt", "right", "correct", "lösung", "loesung"})) {
      if (right < 0) right = c;
    } else if (has(k, {"falsch", "wrong", "distrakt", "incorrect"})) {
      wrong.push_back(c);
    } else if (has(k, {"antwort", "answer", "option"})) {
      answers.push_back(c);
    } else if (has(k, {"frage", "question"})) {
      if (question < 0) question = c;
    } else if (has(k, {"stufe", "level", "schwierig", "niveau"})) {
      if (level < 0) level = c;
    } else if (has(k, {"thema", "kategorie", "category", "topic"})) {
      if (topic < 0) topic = c;
    }
  }
  // "Antwort1".."Antwort3" beside a right-answer column are the wrong ones; without one,
  // the first answer column is taken as the right answer.
  if (right < 0 && !answers.empty()) right = answers.front(), answers.erase(answers.begin());
  wrong.insert(wrong.end(), answers.begin(), answers.end());
  std::sort(wrong.begin(), wrong.end());
  if (question >= 0 && right >= 0 && wrong.size() >= 3) {
    map.header = true;
    map.question = question;
    map.right = right;
    std::copy_n(wrong.begin(), 3, map.wrong.begin());
    map.level = level;
    map.topic = topic;
    return map;
  }
  // No names to go by: question, right answer, three wrong ones, and a level column if the
  // sixth column holds levels.
  map.header = question >= 0 || right >= 0 || level >= 0;
  const std::size_t first = map.header ? 1 : 0;
  if (grid.rows.size() > first && grid.rows[first].size() > 5 && levelOf(grid.rows[first][5])) map.level = 5;
  return map;
}

ImportResult importGrid(const Grid& grid, const ColumnMap& columns) {
  ImportResult result;
  result.source = grid.source;
  const std::size_t first = columns.header ? 1 : 0;
  int width = std::max({columns.question, columns.right, columns.wrong[0], columns.wrong[1], columns.wrong[2],
                        columns.level, columns.topic}) +
              1;
  // A row wider than the header (or, without one, than most rows) was split by a delimiter
  // inside an unquoted text; its cells would land in the wrong columns.
  if (columns.header && !grid.rows.empty()) {
    width = std::max(width, static_cast<int>(grid.rows[0].size()));
  } else {
    std::map<std::size_t, std::size_t> widths;
    for (const auto& row : grid.rows) ++widths[row.size()];
    const auto most = std::max_element(widths.begin(), widths.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    if (most != widths.end()) width = std::max(width, static_cast<int>(most->first));
  }
  for (std::size_t r = first; r < grid.rows.size(); ++r) {
    const auto& row = grid.rows[r];
    const int line = grid.lines[r];
    const auto cell = [&](int c) {
      return c >= 0 && c < static_cast<int>(row.size()) ? cleanText(row[static_cast<std::size_t>(c)]) : std::string();
    };
    const auto skip = [&](std::string reason) {
      result.skipped.push_back({line, std::move(reason), cell(columns.question)});
    };
    int used = static_cast<int>(row.size());
    while (used > width && cleanText(row[static_cast<std::size_t>(used - 1)]).empty()) --used;
    if (used > width && grid.splitText) {
      skip(std::to_string(used) + " Spalten statt " + std::to_string(width) +
           " (ein Trennzeichen im Text ohne Anführungszeichen?)");
      continue;
    }
    ImportedQuestion q{{cell(columns.question),
                        {cell(columns.wrong[0]), cell(columns.wrong[1]), cell(columns.wrong[2])},
                        cell(columns.right),
                        cell(columns.topic)},
                       std::nullopt,
                       line};
    if (q.question.text.empty()) {
      skip("keine Frage");
      continue;
    }
    const int wrong = static_cast<int>(std::count_if(q.question.wrong.begin(), q.question.wrong.end(),
                                                     [](const std::string& s) { return !s.empty(); }));
    if (const auto problem = answerCountProblem(q.question.right.empty() ? 0 : 1, wrong)) {
      skip(*problem);
      continue;
    }
    if (columns.level >= 0) {
      const std::string level = cell(columns.level);
      q.level = levelOf(level);
      if (!q.level && !level.empty()) {
        skip("unbekannte Stufe " + inQuotes(level) + " (leicht oder schwer)");
        continue;
      }
    }
    result.accepted.push_back(std::move(q));
  }
  return result;
}

ImportFormat detectFormat(const fs::path& file, std::string_view text) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".csv" || ext == ".tsv" || ext == ".tab") return ImportFormat::Grid;
  if (ext == ".gift") return ImportFormat::Gift;
  if (looksLikeAiken(text)) return ImportFormat::Aiken;
  if (looksLikeGift(text)) return ImportFormat::Gift;
  return ImportFormat::Grid;
}

ImportResult importFile(const fs::path& file, ImportFormat format, const std::optional<ColumnMap>& columns,
                        std::size_t sheet) {
  const std::string name = file.string();
  const std::string bytes = readImportFile(file);
  const FileKind kind = fileKind(bytes);
  if (isSpreadsheet(kind)) {
    const Grid grid = readSheet(bytes, kind, sheet, name);
    return importGrid(grid, columns.value_or(guessColumns(grid)));
  }
  refuseOtherKinds(kind, name);
  const Decoded decoded = decodeText(bytes, name);
  if (format == ImportFormat::Auto) format = detectFormat(file, decoded.text);
  ImportResult result;
  switch (format) {
    case ImportFormat::Gift:
      result = importGift(decoded.text, name);
      break;
    case ImportFormat::Aiken:
      result = importAiken(decoded.text, name);
      break;
    case ImportFormat::Auto:
    case ImportFormat::Grid: {
      const Grid grid = gridOf(decoded, name);
      return importGrid(grid, columns.value_or(guessColumns(grid)));
    }
  }
  result.source += " (" + encodingName(decoded.encoding) + ")";
  return result;
}

std::string firstWords(const std::string& question) {
  constexpr std::size_t kChars = 25;
  std::size_t chars = 0, cut = 0, lastBlank = 0;
  for (std::size_t i = 0; i < question.size(); ++i) {
    if ((static_cast<unsigned char>(question[i]) & 0xC0) == 0x80) continue;  // inside a character
    if (chars++ == kChars) {
      cut = i;
      break;
    }
    if (question[i] == ' ') lastBlank = i;
  }
  if (cut == 0) return question;
  return question.substr(0, lastBlank > 0 ? lastBlank : cut) + " …";
}

std::string reportText(const ImportResult& result) {
  constexpr std::size_t kListed = 30;
  const std::size_t n = result.accepted.size();
  std::string out = std::to_string(n) + (n == 1 ? " Frage" : " Fragen") + " übernommen";
  if (result.skipped.empty()) return out + ".";
  out += ", " + std::to_string(result.skipped.size()) + " übersprungen:";
  for (std::size_t i = 0; i < result.skipped.size() && i < kListed; ++i) {
    const SkippedQuestion& s = result.skipped[i];
    out += "\nZeile " + std::to_string(s.line) + ": ";
    if (!s.question.empty()) out += inQuotes(firstWords(s.question)) + " – ";
    out += s.reason;
  }
  if (result.skipped.size() > kListed) out += "\n… und " + std::to_string(result.skipped.size() - kListed) + " weitere";
  return out;
}

}  // namespace tj::data
