// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/set_file.h"

#include <algorithm>
#include <fstream>
#include <optional>
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

// The game's fields of table t: the required ones, then the optional ones.
std::vector<std::string> gameFields(SetTable t) {
  const TableLayout& layout = layoutOf(t);
  std::vector<std::string> names(layout.required.begin(), layout.required.end());
  names.insert(names.end(), layout.optional.begin(), layout.optional.end());
  return names;
}

bool isGameField(SetTable t, std::string_view field) {
  const auto names = gameFields(t);
  return std::find(names.begin(), names.end(), field) != names.end();
}

// Opens table t; a missing table or field is named by the table's caption, as people know it.
Recordset openSetTable(const fs::path& file, SetTable t) {
  const TableLayout& layout = layoutOf(t);
  const auto caption = inQuotes(tableCaption(t));
  try {
    Recordset records = openTable(file, layout.name);
    for (const auto name : layout.required)
      if (!records.hasField(name))
        throw DataError(Fault::FieldMissing, "Bei den " + caption + " in " + inQuotes(file.string()) +
                                                 " fehlt das Feld " + inQuotes(name) + ".");
    return records;
  } catch (const DataError& e) {
    if (e.fault() != Fault::TableMissing) throw;
    throw DataError(Fault::TableMissing, "Der Datei " + inQuotes(file.string()) + " fehlen die " + caption +
                                             "; sie ist kein Fragensatz des Spiels.");
  }
}

// Calls `take` with the fields of every record of table t, in order: first the game's
// (gameFields; an optional one the table does not have reads as empty text), then those the
// table has beyond them, whose names go to `extra`.
template <class Take>
void eachRecord(const fs::path& file, SetTable t, ExtraFields& extra, Take take) {
  Recordset records = openSetTable(file, t);
  std::vector<std::string> names = gameFields(t);
  std::vector<bool> present;
  for (const auto& name : names) present.push_back(records.hasField(name));
  for (const auto& name : records.fieldNames())
    if (!isGameField(t, name)) names.push_back(name), present.push_back(true), extra.names.push_back(name);
  std::vector<std::string> values(names.size());
  for (int32_t k = 1; k <= records.RecordCount(); ++k) {
    records.setAbsolutePosition(k);
    for (std::size_t f = 0; f < values.size(); ++f) values[f] = present[f] ? fieldOrEmpty(records, names[f]) : "";
    take(values);
  }
}

template <class Take>
void eachRecord(const TextTable& table, SetTable t, ExtraFields& extra, Take take) {
  std::vector<std::optional<std::size_t>> columns;
  for (const auto& name : gameFields(t)) {
    const auto at = std::find(table.fields.begin(), table.fields.end(), name);
    columns.push_back(at == table.fields.end() ? std::nullopt
                                               : std::optional(static_cast<std::size_t>(at - table.fields.begin())));
  }
  for (std::size_t c = 0; c < table.fields.size(); ++c)
    if (!isGameField(t, table.fields[c])) columns.push_back(c), extra.names.push_back(table.fields[c]);
  std::vector<std::string> values(columns.size());
  for (const auto& record : table.records) {
    for (std::size_t f = 0; f < columns.size(); ++f) values[f] = columns[f] ? record[*columns[f]] : std::string();
    take(values);
  }
}

// A record's fields (questionFields or cardFields) from texts in field order.
template <class Fields>
void fill(const Fields& fields, const std::vector<std::string>& texts) {
  for (std::size_t f = 0; f < fields.size(); ++f) *fields[f] = texts[f];
}

template <class Source>
QuestionSet collect(const Source& source) {
  QuestionSet set;
  const auto keepExtra = [&](SetTable t, const std::vector<std::string>& v) {
    auto& extra = set.extra[static_cast<std::size_t>(t)];
    const auto own = static_cast<std::ptrdiff_t>(gameFields(t).size());
    if (!extra.names.empty()) extra.values.emplace_back(v.begin() + own, v.end());
  };
  for (const SetTable t : {SetTable::Easy, SetTable::Hard}) {
    auto& questions = t == SetTable::Easy ? set.easy : set.hard;
    eachRecord(source(t), t, set.extra[static_cast<std::size_t>(t)], [&](const std::vector<std::string>& v) {
      fill(questionFields(questions.emplace_back()), v);
      keepExtra(t, v);
    });
  }
  eachRecord(source(SetTable::Cards), SetTable::Cards, set.extra[static_cast<std::size_t>(SetTable::Cards)],
             [&](const std::vector<std::string>& v) {
               fill(cardFields(set.cards.emplace_back()), v);
               keepExtra(SetTable::Cards, v);
             });
  return set;
}

bool hasTopics(const QuestionSet& set) {
  const auto withTopic = [](const Question& q) { return !q.topic.empty(); };
  return std::any_of(set.easy.begin(), set.easy.end(), withTopic) ||
         std::any_of(set.hard.begin(), set.hard.end(), withTopic);
}

// The record's texts in the order of the table's required fields, then the topic when some
// question of the set has one, then its extra fields.
std::vector<std::vector<std::string>> rows(const QuestionSet& set, SetTable t) {
  std::vector<std::vector<std::string>> out;
  if (t == SetTable::Cards) {
    for (const Card& c : set.cards) out.push_back(fieldTexts(c));
  } else {
    const bool topics = hasTopics(set);
    for (const Question& q : t == SetTable::Easy ? set.easy : set.hard) {
      out.push_back(fieldTexts(q));
      if (!topics) out.back().pop_back();  // the topic comes last
    }
  }
  const ExtraFields& extra = set.extra[static_cast<std::size_t>(t)];
  for (std::size_t r = 0; r < out.size() && !extra.names.empty(); ++r) {
    std::vector<std::string> values = r < extra.values.size() ? extra.values[r] : std::vector<std::string>{};
    values.resize(extra.names.size());
    out[r].insert(out[r].end(), values.begin(), values.end());
  }
  return out;
}

std::vector<std::string> header(const QuestionSet& set, SetTable t) {
  const auto& required = layoutOf(t).required;
  std::vector<std::string> names(required.begin(), required.end());
  if (t != SetTable::Cards && hasTopics(set)) names.emplace_back(kTopicField);
  const auto& extra = set.extra[static_cast<std::size_t>(t)].names;
  names.insert(names.end(), extra.begin(), extra.end());
  return names;
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
  detail::syncToDisk(temp, file);
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
    const std::vector<TextTable> tables = readTableFolder(path);
    return {collect([&](SetTable t) -> const TextTable& { return tables[static_cast<std::size_t>(t)]; }),
            SetSource::TextFolder};
  }
  const bool access = detail::sniffFormat(path) == detail::Format::Access;
  return {collect([&](SetTable) { return path; }), access ? SetSource::AccessDatabase : SetSource::GameDatabase};
}

std::vector<TextTable> setTables(const QuestionSet& set) {
  std::vector<TextTable> tables;
  for (const SetTable t : kSetTables) tables.push_back({std::string(tableName(t)), header(set, t), rows(set, t)});
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

std::string csvRows(const std::vector<std::vector<std::string>>& lines) {
  std::string text = "\xEF\xBB\xBF";
  for (const auto& line : lines) {
    for (std::size_t f = 0; f < line.size(); ++f) text += (f ? ";" : "") + csvField(line[f]);
    text += "\r\n";
  }
  return text;
}

std::string csvText(const QuestionSet& set, SetTable t) {
  auto lines = rows(set, t);
  lines.insert(lines.begin(), header(set, t));
  return csvRows(lines);
}

void exportCsv(const fs::path& file, const QuestionSet& set, SetTable t) { writeTextFile(file, csvText(set, t)); }

void writeCsv(const fs::path& file, const std::vector<std::vector<std::string>>& lines) {
  writeTextFile(file, csvRows(lines));
}

}  // namespace tj::data
