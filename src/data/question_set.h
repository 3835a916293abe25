// SPDX-License-Identifier: GPL-3.0-or-later
// A question set as people edit and import it: the records of the game's three
// tables in plain types. Reading and writing it in the game's file format goes
// through the store (store.h, builder.h); importers and the question editor
// work on these types only.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tj::data {

// One record of "tabFragen_leicht" or "tabFragen_schwer".
struct Question {
  std::string text;                  // "Frage"
  std::array<std::string, 3> wrong;  // "Antwort1" .. "Antwort3"
  std::string right;                 // "Antwort Richtig"
  std::string topic = {};            // "Thema", optional; empty for none
  friend bool operator==(const Question&, const Question&) = default;
};

// One record of "tabAktion".
struct Card {
  std::string code;     // "Aktionskürzel", e.g. "+10L" or "P"
  std::string title;    // "Aktion"
  std::string text;     // "Aktionstext"
  std::string picture;  // "Bildnr", the number of a picture in "Bilder"
  friend bool operator==(const Card&, const Card&) = default;
};

enum class Level { Easy, Hard };

// Fields a set's file has beyond the game's own, kept so that saving loses nothing: their
// names, and per record of the table its texts in that order (missing texts count as empty).
struct ExtraFields {
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> values;
  friend bool operator==(const ExtraFields&, const ExtraFields&) = default;
};

struct QuestionSet {
  std::vector<Question> easy;
  std::vector<Question> hard;
  std::vector<Card> cards;
  std::array<ExtraFields, 3> extra{};  // per table, in the order above
  friend bool operator==(const QuestionSet&, const QuestionSet&) = default;
};

}  // namespace tj::data
