// SPDX-License-Identifier: GPL-3.0-or-later
// The rules a question set must keep so the game can show and play it: every field
// filled, four different answers, no question twice, card codes and pictures the game
// knows, every text fitting the element that shows it. The content test, the editor and
// tankjagd-mkdb all check through these functions.
//
// Texts are measured in the boxes the game's question and action card dialogs export
// (screens/text_box.h), in the fonts the front end draws them with (text/). Where no font
// can be opened at all, the fit is not checked.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/import.h"
#include "data/question_set.h"
#include "data/set_file.h"

namespace tj::content {

// The three tables; data::tableCaption names them for people.
using Table = data::SetTable;

// Field numbers follow the columns of the tables (data::kQuestionFields, then the topic;
// data::kCardFields).
using data::kQuestionText, data::kRightAnswer, data::kTopic, data::kCardCode, data::kCardTitle, data::kCardText,
    data::kCardPicture;

struct Problem {
  Table table = Table::Easy;
  int record = -1;        // index in its table's vector; -1: the whole table
  int field = -1;         // field number as above; -1: the whole record
  std::string message;    // one German sentence, for a tooltip and a list
  bool blocking = false;  // true only where the game could not play the set (an empty table)
  friend bool operator==(const Problem&, const Problem&) = default;
};

// Column name of a field ("Frage", "Antwort Richtig", "Thema", "Bildnr", ...).
std::string fieldName(Table table, int field);

// One question record (`table` Easy or Hard; `record` is copied into the problems): every
// field filled without blanks at either end and without tab or line break, four different
// answers (case and blanks do not count), the question and each answer fitting its element.
std::vector<Problem> checkQuestion(const data::Question& q, Table table, int record = -1);
// One card: the fields as above, the code one of the nine the game applies, "Bildnr" a
// picture the game has for that code, title and text fitting their labels.
std::vector<Problem> checkCard(const data::Card& card, int record = -1);
// Every record, plus: no question twice (letters and digits compared, also across the two
// levels) and no empty table (blocking). Problems come table by table, record by record.
std::vector<Problem> checkSet(const data::QuestionSet& set);

// Questions an import file asks twice, by the rule checkSet finds them with: each repeat
// moves from the accepted to the skipped questions, "steht schon in Zeile 2", and the
// skipped ones are put in the file's order.
void skipRepeats(data::ImportResult& result);

// The nine card codes the game applies, and the picture numbers drawn for one of them
// (empty for an unknown code).
std::vector<std::string> cardCodes();
std::vector<std::string> picturesFor(const std::string& code);

// The game's fonts that are not installed (the fit is then measured in another font).
std::vector<std::string> missingFonts();

// How much the answers of a question list give away.
struct Fairness {
  int questionCount = 0;
  // Questions whose four answers are all numbers (digits such as "10.000" or "3,5", with a
  // common unit after them, or number words such as "zwölf" or "dreihundert").
  int numericCount = 0;
  // Share of those numeric questions whose right answer is the smallest (0) .. the largest (3).
  std::array<double, 4> rankShare{};
  // Share of all questions whose right answer is the longest of the four (in characters); a
  // tie for the longest counts as that share of a question, so guessing scores 0.25.
  double longestShare = 0;
};
Fairness measureFairness(const std::vector<data::Question>& questions);

// The bands the shipped questions keep, per level: each rank of a numeric right answer, and
// the right answer being the longest.
inline constexpr double kRankShareMin = 0.20, kRankShareMax = 0.30;
inline constexpr double kLongestShareMin = 0.20, kLongestShareMax = 0.30;
// Below this many questions (numeric ones, for the ranks) a share says nothing and is not judged.
inline constexpr int kFewQuestions = 8;

// Warnings (never blocking, record -1) where one level's questions leave those bands.
std::vector<Problem> checkFairness(const std::vector<data::Question>& questions, Table table);

}  // namespace tj::content
