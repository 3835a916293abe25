// SPDX-License-Identifier: GPL-3.0-or-later
// A question set as people edit and import it: the records of the game's three
// tables in plain types. Reading and writing it in the game's file format goes
// through the store (store.h, builder.h); importers and the question editor
// work on these types only.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tj::data {

// The game's tables and their fields as the file names them, fields in column order. The
// store's readers and writers, the dialogs, the content rules and the editor take them from here.
inline constexpr std::string_view kEasyTable = "tabFragen_leicht";
inline constexpr std::string_view kHardTable = "tabFragen_schwer";
inline constexpr std::string_view kCardTable = "tabAktion";
inline constexpr std::array<std::string_view, 5> kQuestionFields = {"Frage", "Antwort1", "Antwort2", "Antwort3",
                                                                    "Antwort Richtig"};
// The optional field after them that names a question's topic.
inline constexpr std::string_view kTopicField = "Thema";
inline constexpr std::array<std::string_view, 4> kCardFields = {"Aktionskürzel", "Aktion", "Aktionstext", "Bildnr"};
// Field numbers: a question's text and right answer (the wrong ones lie between), its topic,
// and a card's fields.
inline constexpr int kQuestionText = 0, kRightAnswer = 4, kTopic = 5;
inline constexpr int kCardCode = 0, kCardTitle = 1, kCardText = 2, kCardPicture = 3;

// One record of a question table.
struct Question {
  std::string text;
  std::array<std::string, 3> wrong;
  std::string right;
  std::string topic = {};  // optional; empty for none
  friend bool operator==(const Question&, const Question&) = default;
};

// One record of the card table.
struct Card {
  std::string code;  // e.g. "+10L" or "P"
  std::string title;
  std::string text;
  std::string picture;  // the number of a picture in "Bilder"
  friend bool operator==(const Card&, const Card&) = default;
};

// Pointers to a record's texts in the order of its fields, a question's topic last (Q: Question
// or const Question, C: Card or const Card).
template <class Q>
constexpr auto questionFields(Q& q) {
  return std::array{&q.text, &q.wrong[0], &q.wrong[1], &q.wrong[2], &q.right, &q.topic};
}
template <class C>
constexpr auto cardFields(C& c) {
  return std::array{&c.code, &c.title, &c.text, &c.picture};
}
// A record's texts in the order of its fields.
inline std::vector<std::string> fieldTexts(const Question& q) {
  std::vector<std::string> out;
  for (const std::string* f : questionFields(q)) out.push_back(*f);
  return out;
}
inline std::vector<std::string> fieldTexts(const Card& c) {
  std::vector<std::string> out;
  for (const std::string* f : cardFields(c)) out.push_back(*f);
  return out;
}

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
