// SPDX-License-Identifier: GPL-3.0-or-later
// A whole question set in and out of files: the game's database (or an Access
// file with the same tables), a folder of the three ".tsv" content files, and
// CSV for spreadsheets. Everything here goes through the store's reader and the
// builder's parser and writer, which stay the one authority on the format.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/builder.h"
#include "data/question_set.h"

namespace tj::data {

// Which of the game's three tables (the order of gameTables()).
enum class SetTable { Easy, Hard, Cards };
inline constexpr SetTable kSetTables[] = {SetTable::Easy, SetTable::Hard, SetTable::Cards};

// The table's name in the file, e.g. "tabFragen_leicht", and its German caption
// for people, e.g. "Leichte Fragen".
std::string_view tableName(SetTable t);
std::string_view tableCaption(SetTable t);
std::size_t recordCount(const QuestionSet& set, SetTable t);

// What a set was read from. An Access file is only ever read; its set is saved
// as a new file in the game's format.
enum class SetSource { GameDatabase, AccessDatabase, TextFolder };

struct LoadedSet {
  QuestionSet set;
  SetSource source = SetSource::GameDatabase;
};

// Reads a set from a database file (by content: SQLite or Access) or from a
// folder holding "<table>.tsv" for each of the three tables (and perhaps the
// topics file, see readTableFolder). A field without value is read as empty
// text, so that it can be filled in; a question table without the field
// "Thema" gives questions without a topic; fields beyond the game's go to the
// set's extra fields. Throws DataError or BuildError (both std::runtime_error)
// with a German sentence naming the file.
LoadedSet readSet(const std::filesystem::path& path);

// The set as the builder's text tables, records in order, extra fields after the
// game's. The question tables carry the field "Thema" after the required ones
// only when some question of the set has a topic; so does every other way of
// writing a set below.
std::vector<TextTable> setTables(const QuestionSet& set);

// Saves the set as the game's database. The file is replaced whole or not at
// all: a failed save leaves the old file as it was. Throws BuildError when a
// table is empty (the game could not play it) or the file cannot be written.
void saveSet(const std::filesystem::path& file, const QuestionSet& set);

// Writes "<table>.tsv" for each table into `dir` (created if needed), in the
// format tankjagd-mkdb reads. Throws BuildError, before writing anything, when
// a text holds a tab or a line break, which that format cannot carry.
void exportTextFolder(const std::filesystem::path& dir, const QuestionSet& set);

// One table as CSV for spreadsheets: UTF-8 with byte order mark, ";" between
// fields, CRLF line ends, the field names of the game as the first row; a field
// is quoted when it holds ";", a quote, a line break or outer blanks.
std::string csvText(const QuestionSet& set, SetTable t);
void exportCsv(const std::filesystem::path& file, const QuestionSet& set, SetTable t);
// Any rows in that form, and written whole or not at all (BuildError when it cannot be).
std::string csvRows(const std::vector<std::vector<std::string>>& rows);
void writeCsv(const std::filesystem::path& file, const std::vector<std::vector<std::string>>& rows);

}  // namespace tj::data
