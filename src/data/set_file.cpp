// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/set_file.h"

#include <fstream>
#include <system_error>

#include "data/detail.h"
#include "data/quoted.h"
#include "data/store.h"

namespace tj::data {

namespace fs = std::filesystem;

namespace {

const TableLayout& layoutOf(SetTable t) { return gameTables().at(static_cast<std::size_t>(t)); }

// A field without value reads as empty text; a missing field or table still fails.
std::string fieldOrEmpty(const Recordset& records, std::string_view field) {
  try {
    return records.field(field);
  } catch (const DataError& e) {
    if (e.fault() != Fault::FieldEmpty) throw;
    return {};
  }
}

// Calls `take` with the required fields of every record of table t, in order.
template <class Take>
void eachRecord(const fs::path& file, SetTable t, Take take) {
  const TableLayout& layout = layoutOf(t);
  Recordset records = openTable(file, layout.name);
  std::vector<std::string> values(layout.required.size());
  for (int32_t k = 1; k <= records.RecordCount(); ++k) {
    records.setAbsolutePosition(k);
    for (std::size_t f = 0; f < values.size(); ++f) values[f] = fieldOrEmpty(records, layout.required[f]);
    take(values);
  }
}

// Calls `take` with the required fields of every record of a text table, in order.
template <class Take>
void eachRecord(const TextTable& table, SetTable t, Take take) {
  const TableLayout& layout = layoutOf(t);
  std::vector<std::size_t> columns;
  for (const auto name : layout.required) {
    for (std::size_t c = 0; c < table.fields.size(); ++c) {
      if (table.fields[c] == name) columns.push_back(c);
    }
  }
  std::vector<std::string> values(columns.size());
  for (const auto& record : table.records) {
    for (std::size_t f = 0; f < columns.size(); ++f) values[f] = record[columns[f]];
    take(values);
  }
}

// A record's fields (questionFields or cardFields) from texts in field order, and back.
template <class Fields>
void fill(const Fields& fields, const std::vector<std::string>& texts) {
  for (std::size_t f = 0; f < fields.size(); ++f) *fields[f] = texts[f];
}
template <class Fields>
std::vector<std::string> texts(const Fields& fields) {
  std::vector<std::string> out;
  for (const std::string* f : fields) out.push_back(*f);
  return out;
}

template <class Source>
QuestionSet collect(const Source& source) {
  QuestionSet set;
  for (const SetTable t : {SetTable::Easy, SetTable::Hard}) {
    auto& questions = t == SetTable::Easy ? set.easy : set.hard;
    eachRecord(source(t), t, [&](const std::vector<std::string>& v) {
      fill(questionFields(questions.emplace_back()), v);
    });
  }
  eachRecord(source(SetTable::Cards), SetTable::Cards, [&](const std::vector<std::string>& v) {
    fill(cardFields(set.cards.emplace_back()), v);
  });
  return set;
}

// The record's texts in the order of the table's required fields.
std::vector<std::vector<std::string>> rows(const QuestionSet& set, SetTable t) {
  std::vector<std::vector<std::string>> out;
  if (t == SetTable::Cards) {
    for (const Card& c : set.cards) out.push_back(texts(cardFields(c)));
  } else {
    for (const Question& q : t == SetTable::Easy ? set.easy : set.hard) out.push_back(texts(questionFields(q)));
  }
  return out;
}

std::vector<std::string> header(SetTable t) {
  const auto& required = layoutOf(t).required;
  return {required.begin(), required.end()};
}

// Writes a text file whole or not at all.
void writeTextFile(const fs::path& file, const std::string& bytes) {
  fs::path temp = file;
  temp += ".tmp";
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temp, ec);
      throw BuildError("Die Datei " + inQuotes(file.string()) + " kann nicht geschrieben werden.");
    }
  }
  detail::syncToDisk(temp);
  fs::rename(temp, file, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw BuildError("Die Datei " + inQuotes(file.string()) + " kann nicht geschrieben werden.");
  }
}

std::string csvField(const std::string& text) {
  const bool quote = text.find_first_of(";\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string out = "\"";
  for (const char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

}  // namespace

std::string_view tableName(SetTable t) { return layoutOf(t).name; }

std::string_view tableCaption(SetTable t) {
  switch (t) {
    case SetTable::Easy:
      return "Leichte Fragen";
    case SetTable::Hard:
      return "Schwere Fragen";
    case SetTable::Cards:
      return "Aktionskarten";
  }
  return {};
}

std::size_t recordCount(const QuestionSet& set, SetTable t) {
  switch (t) {
    case SetTable::Easy:
      return set.easy.size();
    case SetTable::Hard:
      return set.hard.size();
    case SetTable::Cards:
      return set.cards.size();
  }
  return 0;
}

LoadedSet readSet(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    std::vector<TextTable> tables;
    for (const SetTable t : kSetTables) {
      tables.push_back(readTableFile(path / (std::string(tableName(t)) + ".tsv"), layoutOf(t)));
    }
    return {collect([&](SetTable t) -> const TextTable& { return tables[static_cast<std::size_t>(t)]; }),
            SetSource::TextFolder};
  }
  const bool access = detail::sniffFormat(path) == detail::Format::Access;
  return {collect([&](SetTable) { return path; }), access ? SetSource::AccessDatabase : SetSource::GameDatabase};
}

std::vector<TextTable> setTables(const QuestionSet& set) {
  std::vector<TextTable> tables;
  for (const SetTable t : kSetTables) tables.push_back({std::string(tableName(t)), header(t), rows(set, t)});
  return tables;
}

void saveSet(const fs::path& file, const QuestionSet& set) {
  for (const SetTable t : kSetTables) {
    if (recordCount(set, t) == 0) {
      throw BuildError("Die Tabelle " + inQuotes(tableCaption(t)) +
                       " ist leer. Das Spiel braucht in jeder Tabelle mindestens einen Eintrag.");
    }
  }
  writeDatabase(file, setTables(set));
}

void exportTextFolder(const fs::path& dir, const QuestionSet& set) {
  const auto tables = setTables(set);
  for (std::size_t i = 0; i < tables.size(); ++i) {
    for (std::size_t r = 0; r < tables[i].records.size(); ++r) {
      for (const auto& text : tables[i].records[r]) {
        if (text.find_first_of("\t\r\n") != std::string::npos) {
          throw BuildError(std::string(tableCaption(kSetTables[i])) + ", Eintrag " + std::to_string(r + 1) +
                           ": Der Text " + inQuotes(text) +
                           " enthält einen Tabulator oder Zeilenumbruch; das Textformat kann ihn nicht aufnehmen.");
        }
      }
    }
  }
  std::error_code ec;
  fs::create_directories(dir, ec);
  for (const auto& table : tables) {
    std::string text;
    auto add = [&](const std::vector<std::string>& line) {
      for (std::size_t f = 0; f < line.size(); ++f) text += (f ? "\t" : "") + line[f];
      text += '\n';
    };
    add(table.fields);
    for (const auto& record : table.records) add(record);
    writeTextFile(dir / (table.name + ".tsv"), text);
  }
}

std::string csvText(const QuestionSet& set, SetTable t) {
  std::string text = "\xEF\xBB\xBF";
  auto add = [&](const std::vector<std::string>& line) {
    for (std::size_t f = 0; f < line.size(); ++f) text += (f ? ";" : "") + csvField(line[f]);
    text += "\r\n";
  };
  add(header(t));
  for (const auto& row : rows(set, t)) add(row);
  return text;
}

void exportCsv(const fs::path& file, const QuestionSet& set, SetTable t) { writeTextFile(file, csvText(set, t)); }

}  // namespace tj::data
