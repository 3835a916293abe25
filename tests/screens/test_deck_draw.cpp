// SPDX-License-Identifier: GPL-3.0-or-later
// The draw of a question or card record through the real store: a database file read by
// the same cache the program uses, the race's decks and the scripted generator.
#include <gtest/gtest.h>

#include <set>

#include "screens/record_dialog.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

// Writes `n` easy questions "F1".."Fn" (with topics when given, one per question).
void writeEasy(const std::filesystem::path& file, int n, const std::vector<std::string>& topics = {}) {
  std::filesystem::remove(file);
  std::vector<std::string> fields = kQuestionFields;
  if (!topics.empty()) fields.emplace_back("Thema");
  std::string sql = createTable("tabFragen_leicht", fields);
  for (int i = 1; i <= n; ++i) {
    std::vector<std::string> row{"'F" + std::to_string(i) + "'", "'a'", "'b'", "'c'", "'d'"};
    if (!topics.empty()) row.push_back("'" + topics[static_cast<std::size_t>(i - 1)] + "'");
    sql += insertRow("tabFragen_leicht", row);
  }
  runSql(file, sql);
}

struct StoreHarness : Harness {
  TempFolder folder;
  std::filesystem::path file = folder / "mdbZielflagge.mdb";
  data::TableCache cache;
  StoreHarness() {
    tables["tabFragen_leicht"] = [this] { return cache.open(file, "tabFragen_leicht"); };
  }
  std::string draw() { return drawRecord(app, DeckId::Easy).field("Frage"); }
  // The questions of `n` draws, each with one reseed and one value of the generator.
  std::vector<std::string> draws(int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
      random.calls.clear();
      out.push_back(draw());
      EXPECT_EQ(random.calls, "Rd") << "draw " << i;
    }
    return out;
  }
};

std::size_t distinct(const std::vector<std::string>& v) { return std::set<std::string>(v.begin(), v.end()).size(); }

// Fifteen draws from fifteen records give each record once, whatever the generator says;
// the next round gives each once more and does not start with the last one of the first.
TEST(DeckDraw, noRecordTwiceBeforeAllWereAsked) {
  for (const uint32_t seed : {1u, 7u, 4242u, 99999u}) {
    StoreHarness h;
    h.random.state = seed;
    writeEasy(h.file, 15);
    const std::vector<std::string> first = h.draws(15);
    const std::vector<std::string> second = h.draws(15);
    EXPECT_EQ(distinct(first), 15u) << "seed " << seed;
    EXPECT_EQ(distinct(second), 15u) << "seed " << seed;
    EXPECT_NE(second.front(), first.back()) << "seed " << seed;
  }
}

// "neues Spiel" keeps the deck; a changed file starts it anew: after five draws the file
// gains a record, and the next sixteen draws give all sixteen.
TEST(DeckDraw, goesOnAcrossNewGamesAndStartsAnewWithAChangedFile) {
  StoreHarness h;
  writeEasy(h.file, 15);
  std::vector<std::string> seen = h.draws(5);
  h.app.race.newGame();
  for (const std::string& q : h.draws(10)) seen.push_back(q);
  EXPECT_EQ(distinct(seen), 15u);

  StoreHarness changed;
  writeEasy(changed.file, 15);
  changed.draws(5);
  writeEasy(changed.file, 16);
  EXPECT_EQ(distinct(changed.draws(16)), 16u);
}

// The topic choice limits the draws; questions of other topics wait for a later choice.
TEST(DeckDraw, followsTheChosenTopics) {
  StoreHarness h;
  writeEasy(h.file, 6, {"Erdkunde", "Sport", "Erdkunde", "Sport", "Erdkunde", "Sport"});
  openDeck(h.app, DeckId::Easy);
  ASSERT_EQ(h.app.race.chooseTopics(TopicChoice{{"Sport"}}), std::nullopt);
  const std::vector<std::string> drawn = h.draws(6);
  EXPECT_EQ(std::set<std::string>(drawn.begin(), drawn.end()), (std::set<std::string>{"F1", "F3", "F5"}));
  ASSERT_EQ(h.app.race.chooseTopics({}), std::nullopt);
  const std::vector<std::string> all = h.draws(3);
  EXPECT_EQ(std::set<std::string>(all.begin(), all.end()), (std::set<std::string>{"F2", "F4", "F6"}));
}

}  // namespace
}  // namespace tj::testing
