// SPDX-License-Identifier: GPL-3.0-or-later
// Building the game's database from tab-separated text files.
//
// A table file is UTF-8 text: the first line holds the field names, every
// further line one record, fields separated by tabs. There is no quoting; a
// text cannot hold a tab or a line break. A trailing carriage return and a
// leading byte order mark are dropped; empty lines at the end are ignored.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/question_set.h"

namespace tj::data {

// A fault in the input or output of a build; what() is a German sentence
// naming the file and, for input faults, the line.
class BuildError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TextTable {
  std::string name;
  std::vector<std::string> fields;
  std::vector<std::vector<std::string>> records;  // each as wide as fields
};

// The fields a table of the game must have, and those it may have (other fields may follow).
struct TableLayout {
  std::string_view name;
  std::vector<std::string_view> required;
  std::vector<std::string_view> optional = {};
};
// The three tables of the game with the fields the dialogs read.
const std::vector<TableLayout>& gameTables();

// The file in a folder of table files that gives the topic of each question by table file
// and line: "<table>.tsv", tab, line number (the header is line 1), tab, topic. Lines
// starting with "#" and empty lines are skipped.
inline constexpr std::string_view kTopicsFile = "themen.txt";

// Parses one table file. Throws BuildError when the file cannot be read, is
// not UTF-8, a header name is empty or repeated, a required field is missing,
// a record has the wrong number of fields, a required field of a record is
// empty, or there is no record at all.
TextTable parseTable(std::string_view text, const std::filesystem::path& file, const TableLayout& layout);
TextTable readTableFile(const std::filesystem::path& file, const TableLayout& layout);

// Writes the tables to a new SQLite file at `out` (replacing it), all fields
// as TEXT, records in the given order. The file appears whole or not at all.
void writeDatabase(const std::filesystem::path& out, const std::vector<TextTable>& tables);

// Gives the questions of `tables` their topics from the text of a topics file (see
// kTopicsFile): each question table gains the field "Thema" unless it has it, and a topic
// named for a record is written into it. Throws BuildError, naming `file` and the line, for
// a line without three fields, an unknown table file, a line number that is no record of
// the table, and a record named twice.
void applyTopics(std::vector<TextTable>& tables, std::string_view text, const std::filesystem::path& file);

// Reads "<table>.tsv" for each game table from `dir` (in the order of gameTables()), with
// the topics from its kTopicsFile when there is one.
std::vector<TextTable> readTableFolder(const std::filesystem::path& dir);
// Reads the folder `dir` as readTableFolder does and writes `out`.
void buildGameDatabase(const std::filesystem::path& out, const std::filesystem::path& dir);

}  // namespace tj::data
