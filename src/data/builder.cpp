// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/builder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "data/detail.h"
#include "data/question_set.h"
#include "data/quoted.h"
#include "data/sqlite_detail.h"

namespace tj::data {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void failAt(const fs::path& file, std::size_t line, const std::string& what) {
  throw BuildError("In " + inQuotes(file.string()) + ", Zeile " + std::to_string(line) + ": " + what);
}

}  // namespace

std::size_t detail::invalidUtf8At(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, min = 0x10000, cp = c & 0x07;
    } else {
      return i;
    }
    if (i + extra >= s.size()) return i;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return i;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
    i += extra + 1;
  }
  return std::string_view::npos;
}

namespace {

bool isUtf8(std::string_view s) { return detail::invalidUtf8At(s) == std::string_view::npos; }

std::vector<std::string> splitTabs(std::string_view line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    parts.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return parts;
    start = tab + 1;
  }
}

std::vector<std::string_view> splitLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    auto line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void checkHeader(const TextTable& table, const fs::path& file, const TableLayout& layout) {
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    if (table.fields[i].empty()) failAt(file, 1, "Der Feldname in Spalte " + std::to_string(i + 1) + " ist leer.");
    for (std::size_t j = 0; j < i; ++j) {
      if (table.fields[j] == table.fields[i])
        failAt(file, 1, "Das Feld " + inQuotes(table.fields[i]) + " kommt doppelt vor.");
    }
  }
  for (const auto name : layout.required) {
    bool found = false;
    for (const auto& field : table.fields) found = found || field == name;
    if (!found) failAt(file, 1, "Das Feld " + inQuotes(name) + " fehlt in der Kopfzeile.");
  }
}

bool isRequired(const TableLayout& layout, std::string_view field) {
  for (const auto name : layout.required) {
    if (name == field) return true;
  }
  return false;
}

}  // namespace

const std::vector<TableLayout>& gameTables() {
  static const std::vector<TableLayout> tables = {
      {kEasyTable, {kQuestionFields.begin(), kQuestionFields.end()}, {kTopicField}},
      {kHardTable, {kQuestionFields.begin(), kQuestionFields.end()}, {kTopicField}},
      {kCardTable, {kCardFields.begin(), kCardFields.end()}},
  };
  return tables;
}

TextTable parseTable(std::string_view text, const fs::path& file, const TableLayout& layout) {
  const auto lines = splitLines(text);
  if (lines.empty()) throw BuildError("Die Datei " + inQuotes(file.string()) + " ist leer.");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!isUtf8(lines[i])) failAt(file, i + 1, "Der Text ist kein gültiges UTF-8.");
  }
  TextTable table{std::string(layout.name), splitTabs(lines[0]), {}};
  checkHeader(table, file, layout);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::size_t lineNo = i + 1;
    if (lines[i].empty()) failAt(file, lineNo, "Die Zeile ist leer.");
    auto record = splitTabs(lines[i]);
    if (record.size() != table.fields.size()) {
      failAt(file, lineNo,
             "Der Datensatz hat " + std::to_string(record.size()) + " Felder statt " +
                 std::to_string(table.fields.size()) + ".");
    }
    for (std::size_t f = 0; f < record.size(); ++f) {
      if (record[f].empty() && isRequired(layout, table.fields[f])) {
        failAt(file, lineNo, "Das Feld " + inQuotes(table.fields[f]) + " ist leer.");
      }
    }
    table.records.push_back(std::move(record));
  }
  if (table.records.empty()) throw BuildError("Die Datei " + inQuotes(file.string()) + " enthält keinen Datensatz.");
  return table;
}

namespace {
std::string readTextFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw BuildError("Die Datei " + inQuotes(file.string()) + " kann nicht gelesen werden.");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw BuildError("Die Datei " + inQuotes(file.string()) + " kann nicht gelesen werden.");
  return text.str();
}
}  // namespace

TextTable readTableFile(const fs::path& file, const TableLayout& layout) {
  return parseTable(readTextFile(file), file, layout);
}

namespace {

using detail::quotedIdentifier;

// Writes `file`; its messages name `shown`, the file it will become.
class Writer {
 public:
  Writer(const fs::path& file, const fs::path& shown) : shown_(shown) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) fail();
  }

  void exec(const std::string& sql) {
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail();
  }

  void write(const TextTable& table) {
    std::string columns;
    std::string marks;
    for (const auto& field : table.fields) {
      columns += (columns.empty() ? "" : ", ") + quotedIdentifier(field) + " TEXT";
      marks += marks.empty() ? "?" : ", ?";
    }
    exec("CREATE TABLE " + quotedIdentifier(table.name) + " (" + columns + ")");
    const std::string sql = "INSERT INTO " + quotedIdentifier(table.name) + " VALUES (" + marks + ")";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) fail();
    detail::Stmt insert(raw);
    for (const auto& record : table.records) {
      sqlite3_reset(insert.get());
      for (std::size_t i = 0; i < record.size(); ++i) {
        sqlite3_bind_text(insert.get(), static_cast<int>(i + 1), record[i].data(), static_cast<int>(record[i].size()),
                          SQLITE_STATIC);
      }
      if (sqlite3_step(insert.get()) != SQLITE_DONE) fail();
    }
  }

  void close() {
    if (sqlite3_close(db_.release()) != SQLITE_OK) fail();
  }

 private:
  // In words a user can act on; SQLite's own messages are English and technical.
  [[noreturn]] void fail() {
    std::string reason;
    switch (db_ ? sqlite3_errcode(db_.get()) & 0xFF : SQLITE_NOMEM) {
      case SQLITE_CANTOPEN:
      case SQLITE_PERM:
      case SQLITE_READONLY:
      case SQLITE_AUTH:
        reason = ": In den Ordner " + inQuotes(shown_.parent_path().string()) + " lässt sich nicht schreiben.";
        break;
      case SQLITE_FULL:
        reason = ": Die Platte ist voll.";
        break;
      case SQLITE_IOERR:
        reason = ": Beim Schreiben auf die Platte ist ein Fehler aufgetreten.";
        break;
      case SQLITE_NOMEM:
        reason = ": Der Arbeitsspeicher reicht nicht.";
        break;
      default:
        reason = ".";
    }
    throw BuildError("Die Datenbank " + inQuotes(shown_.string()) + " kann nicht geschrieben werden" + reason);
  }

  fs::path shown_;
  detail::Db db_;
};

}  // namespace

void detail::syncToDisk(const fs::path& file, const fs::path& shown) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) {
    if (fd >= 0) ::close(fd);
    throw BuildError("Die Datei " + inQuotes(shown.string()) + " kann nicht auf die Platte geschrieben werden.");
  }
  ::close(fd);
}

void writeDatabase(const fs::path& out, const std::vector<TextTable>& tables) {
  fs::path temp = out;
  temp += ".tmp";
  std::error_code ec;
  fs::remove(temp, ec);
  try {
    Writer writer(temp, out);
    writer.exec("PRAGMA journal_mode=OFF");
    writer.exec("BEGIN");
    for (const auto& table : tables) writer.write(table);
    writer.exec("COMMIT");
    writer.close();
    detail::syncToDisk(temp, out);
  } catch (...) {
    fs::remove(temp, ec);
    throw;
  }
  fs::rename(temp, out, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw BuildError("Die Datenbank " + inQuotes(out.string()) + " kann nicht geschrieben werden.");
  }
}

void applyTopics(std::vector<TextTable>& tables, std::string_view text, const fs::path& file) {
  const auto lines = splitLines(text);
  std::vector<std::vector<bool>> named(tables.size());
  for (std::size_t i = 0; i < tables.size(); ++i) named[i].resize(tables[i].records.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t lineNo = i + 1;
    if (lines[i].empty() || lines[i].starts_with('#')) continue;
    if (!isUtf8(lines[i])) failAt(file, lineNo, "Der Text ist kein gültiges UTF-8.");
    const auto parts = splitTabs(lines[i]);
    if (parts.size() != 3) failAt(file, lineNo, "Die Zeile braucht drei Felder: Tabellendatei, Zeile und Thema.");
    std::size_t t = 0;
    while (t < tables.size() && tables[t].name + ".tsv" != parts[0]) ++t;
    const TableLayout* layout = nullptr;
    for (const auto& l : gameTables())
      if (t < tables.size() && l.name == tables[t].name) layout = &l;
    if (!layout || std::find(layout->optional.begin(), layout->optional.end(), kTopicField) == layout->optional.end())
      failAt(file, lineNo, "Die Datei " + inQuotes(parts[0]) + " ist keine Tabelle mit Fragen.");
    TextTable& table = tables[t];
    std::size_t record = 0;
    const auto [end, ec] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), record);
    if (ec != std::errc() || end != parts[1].data() + parts[1].size() || record < 2 ||
        record - 2 >= table.records.size())
      failAt(file, lineNo, inQuotes(parts[1]) + " ist keine Zeile mit einer Frage in " + inQuotes(parts[0]) + ".");
    record -= 2;
    if (named[t][record])
      failAt(file, lineNo, "Zeile " + parts[1] + " von " + inQuotes(parts[0]) + " hat schon ein Thema.");
    named[t][record] = true;
    auto column = std::find(table.fields.begin(), table.fields.end(), kTopicField);
    if (column == table.fields.end()) {
      table.fields.emplace_back(kTopicField);
      for (auto& r : table.records) r.emplace_back();
      column = table.fields.end() - 1;
    }
    table.records[record][static_cast<std::size_t>(column - table.fields.begin())] = parts[2];
  }
}

std::vector<TextTable> readTableFolder(const fs::path& dir) {
  std::vector<TextTable> tables;
  for (const auto& layout : gameTables()) {
    tables.push_back(readTableFile(dir / (std::string(layout.name) + ".tsv"), layout));
  }
  const fs::path topics = dir / kTopicsFile;
  std::error_code ec;
  if (fs::exists(topics, ec)) applyTopics(tables, readTextFile(topics), topics);
  return tables;
}

void buildGameDatabase(const fs::path& out, const fs::path& dir) { writeDatabase(out, readTableFolder(dir)); }

}  // namespace tj::data
