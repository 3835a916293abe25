// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped question and action card texts keep the content rules, their answers give
// nothing away, and the rules catch the faults they are there for.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "content/rules.h"
#include "data/set_file.h"

namespace {

using tj::content::Table;
using tj::data::Card;
using tj::data::Question;
using tj::data::QuestionSet;

const QuestionSet& shipped() {
  static const QuestionSet set = tj::data::readSet(TJ_CONTENT_DIR).set;
  return set;
}

// Measurements only mean something in the fonts the game really draws with.
TEST(Content, GameFontsInstalled) { EXPECT_EQ(tj::content::missingFonts(), std::vector<std::string>{}); }

TEST(Content, ShippedSetKeepsEveryRule) {
  for (const auto& p : tj::content::checkSet(shipped()))
    ADD_FAILURE() << tj::data::tableCaption(p.table) << ", Zeile " << p.record + 2 << ", "
                  << tj::content::fieldName(p.table, p.field) << ": " << p.message;
}

TEST(Content, EachCardCodeOnFourCardsOrMore) {
  std::map<std::string, int> count;
  for (const Card& c : shipped().cards) ++count[c.code];
  for (const auto& code : tj::content::cardCodes()) EXPECT_GE(count[code], 4) << code;
}

// Fails on content that predates the fairness rules; the rewritten question files pass.
TEST(ContentFairness, ShippedAnswersKeepTheBands) {
  for (const Table t : {Table::Easy, Table::Hard}) {
    const auto& questions = t == Table::Easy ? shipped().easy : shipped().hard;
    const auto f = tj::content::measureFairness(questions);
    std::cout << tj::data::tableCaption(t) << ": " << f.numericCount << " Zahlenfragen, Rang 1-4: " << f.rankShare[0]
              << ' ' << f.rankShare[1] << ' ' << f.rankShare[2] << ' ' << f.rankShare[3]
              << "; längste richtig: " << f.longestShare << '\n';
    for (const auto& p : tj::content::checkFairness(questions, t))
      ADD_FAILURE() << tj::data::tableCaption(t) << ": " << p.message;
  }
}

// Each case breaks one rule in an otherwise good set and names where it must be reported.
TEST(ContentRules, BadRecordsAreReportedAtTheirField) {
  const Question good{"Wie heißt die Hauptstadt von Frankreich?", {"Lyon", "Marseille", "Nizza"}, "Paris"};
  const Card card{"+10L", "Volltanken", "Du bekommst 10 Liter.", "1"};
  struct Case {
    const char* what;
    std::function<void(QuestionSet&)> spoil;
    Table table;
    int record;
    int field;
    bool blocking;
  };
  const Case cases[] = {
      {"empty field", [](QuestionSet& s) { s.easy[0].wrong[1].clear(); }, Table::Easy, 0, 2, false},
      {"padded field", [](QuestionSet& s) { s.hard[0].right = "Paris "; }, Table::Hard, 0, 4, false},
      {"line break", [](QuestionSet& s) { s.easy[0].text = "Wie heißt\ndie Stadt?"; }, Table::Easy, 0, 0, false},
      {"same answer twice", [](QuestionSet& s) { s.easy[0].wrong[2] = "paris"; }, Table::Easy, 0, 4, false},
      {"question twice across levels", [](QuestionSet& s) { s.hard[0].text = s.easy[0].text; }, Table::Hard, 0, 0,
       false},
      {"word too wide for a button",
       [](QuestionSet& s) { s.easy[0].wrong[0] = "Donaudampfschifffahrtsgesellschaftskapitän"; }, Table::Easy, 0, 1,
       false},
      {"question too long",
       [](QuestionSet& s) {
         s.easy[0].text.clear();
         for (int i = 0; i < 12; ++i) s.easy[0].text += "Wer weiß das schon? ";
         s.easy[0].text.pop_back();
       },
       Table::Easy, 0, 0, false},
      {"card title too long",
       [](QuestionSet& s) {
         s.cards[0].title = "Ein Titel, der drei Zeilen braucht, ist für dieses Feld viel zu lang";
       },
       Table::Cards, 0, 1, false},
      {"unknown code", [](QuestionSet& s) { s.cards[0].code = "+10l"; }, Table::Cards, 0, 0, false},
      {"picture of another code", [](QuestionSet& s) { s.cards[0].picture = "9"; }, Table::Cards, 0, 3, false},
      {"empty table", [](QuestionSet& s) { s.cards.clear(); }, Table::Cards, -1, -1, true},
  };
  QuestionSet base{{good}, {{"Wie viele Beine hat eine Spinne?", {"sechs", "zehn", "zwölf"}, "acht"}}, {card}};
  ASSERT_EQ(tj::content::checkSet(base), std::vector<tj::content::Problem>{});
  for (const Case& c : cases) {
    QuestionSet set = base;
    c.spoil(set);
    const auto problems = tj::content::checkSet(set);
    ASSERT_EQ(problems.size(), 1u) << c.what << (problems.empty() ? "" : ": " + problems[0].message);
    EXPECT_EQ(problems[0].table, c.table) << c.what;
    EXPECT_EQ(problems[0].record, c.record) << c.what;
    EXPECT_EQ(problems[0].field, c.field) << c.what;
    EXPECT_EQ(problems[0].blocking, c.blocking) << c.what;
    EXPECT_FALSE(problems[0].message.empty()) << c.what;
  }
}

// The rank of a numeric right answer, read from digits, German number formats and words.
// An import file's second asking of a question (by the rule of the set check) is skipped and
// names the row of the first; the skipped questions come in the file's order.
TEST(ContentRules, RepeatsInAnImportAreSkipped) {
  const Question capital{"Wie heißt die Hauptstadt?", {"a", "b", "c"}, "d"};
  tj::data::ImportResult r;
  r.accepted = {{capital, std::nullopt, 2},
                {{"Wer?", {"a", "b", "c"}, "d"}, std::nullopt, 3},
                {{"wie heißt die  Hauptstadt", {"e", "f", "g"}, "h"}, std::nullopt, 5}};
  r.skipped = {{4, "nur drei Antworten", "Was?"}};
  tj::content::skipRepeats(r);
  ASSERT_EQ(r.accepted.size(), 2u);
  EXPECT_EQ(r.accepted[1].line, 3);
  ASSERT_EQ(r.skipped.size(), 2u);
  EXPECT_EQ(r.skipped[0].line, 4);
  EXPECT_EQ(r.skipped[1].line, 5);
  EXPECT_EQ(r.skipped[1].reason, "steht schon in Zeile 2");
  EXPECT_EQ(r.skipped[1].question, "wie heißt die  Hauptstadt");
}

TEST(ContentFairness, RankOfNumericAnswers) {
  struct Case {
    Question q;
    int rank;  // -1: not a numeric question
  };
  const Case cases[] = {
      {{"7 mal 8?", {"54", "48", "63"}, "56"}, 2},
      {{"Nullen einer Milliarde?", {"sechs", "acht", "zwölf"}, "neun"}, 2},
      {{"Einwohner?", {"10.000", "9.500", "100.000"}, "1.000"}, 0},
      {{"Länge?", {"2,5 km", "3 km", "12 km"}, "25 km"}, 3},
      {{"Wie alt?", {"einundzwanzig", "dreihundert", "zweitausendzwölf"}, "neunzehn"}, 0},
      {{"Wie viele?", {"zwanzig", "dreißig", "vierzig"}, "neunundneunzig"}, 3},
      {{"Wie viele?", {"eine Million", "zwei Millionen", "500.000"}, "3 Millionen"}, 3},
      {{"Mixed units", {"3 Tage", "4 Wochen", "5 Tage"}, "6 Tage"}, -1},
      {{"Not all numbers", {"drei", "vier", "viele"}, "zwei"}, -1},
      {{"Equal values", {"sechs", "6", "7"}, "8"}, -1},
      {{"Date", {"14. Juli", "4. Juli", "1. Mai"}, "3. Oktober"}, -1},
      {{"Beyond double", {"1", "2", "3"}, std::string(400, '9')}, -1},
  };
  for (const Case& c : cases) {
    const auto f = tj::content::measureFairness({c.q});
    EXPECT_EQ(f.numericCount, c.rank < 0 ? 0 : 1) << c.q.text;
    if (c.rank >= 0) {
      EXPECT_EQ(f.rankShare[static_cast<std::size_t>(c.rank)], 1.0) << c.q.text;
    }
  }
  // A tie for the longest answer counts as that share of a question.
  const auto f = tj::content::measureFairness({{"?", {"aa", "b", "c"}, "dd"}, {"?", {"a", "b", "c"}, "long"}});
  EXPECT_DOUBLE_EQ(f.longestShare, (0.5 + 1.0) / 2);
}

}  // namespace
