// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/topics/frm_themen.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

// Questions "F1".. of `table`, one per topic given ("" for none), with the field "Thema".
void setTopicQuestions(Harness& h, const std::string& table, const std::vector<std::string>& topics) {
  std::vector<std::string> fields = kQuestionFields;
  fields.emplace_back("Thema");
  std::vector<std::vector<std::string>> records;
  for (const std::string& t : topics)
    records.push_back({"F" + std::to_string(records.size() + 1), "a", "b", "c", "d", t});
  h.tables[table] = [=] { return memoryTable(table, fields, records); };
}

struct TopicsHarness : Harness {
  TopicsHarness() {
    setTopicQuestions(*this, "tabFragen_leicht", {"Erdkunde", "Sport", "Erdkunde", ""});
    setTopicQuestions(*this, "tabFragen_schwer", {"Sport", "Kunst"});
    openBoard(*this);
  }
  FrmThemen& themen() { return form<FrmThemen>(); }
};

// Each topic of both levels with its counts, in order of appearance and all ticked at
// first; "Übernehmen" excludes the unticked ones, and the list shows that choice next time; Esc
// cancels like "Abbrechen".
TEST(Topics, listsTopicsWithCountsAndKeepsTheChoice) {
  TopicsHarness h;
  h.loop.menu("frmSpielfeld", "Themen");
  h.loop.then([&](ScriptLoop&) {
    const std::vector<std::string> expected{
        "Erdkunde (2 leichte, 0 schwere Fragen)", "Sport (1 leichte, 1 schwere Fragen)",
        "Ohne Thema (1 leichte, 0 schwere Fragen)", "Kunst (0 leichte, 1 schwere Fragen)"};
    ASSERT_EQ(h.themen().topicCount(), 4);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(h.themen().chkThema(i).Caption(), expected[static_cast<std::size_t>(i)]);
      EXPECT_TRUE(h.themen().chkThema(i).Value());
    }
  });
  h.loop.click("frmThemen", "chkThema(0)").click("frmThemen", "cmdUebernehmen");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_EQ(h.app.race.topicChoice(), TopicChoice{{"Erdkunde"}});
    EXPECT_FALSE(h.app.forms.isLoaded(FrmThemen::kName));
  });
  h.loop.menu("frmSpielfeld", "Themen");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_FALSE(h.themen().chkThema(0).Value());
    EXPECT_TRUE(h.themen().chkThema(1).Value());
  });
  h.loop.click("frmThemen", "chkThema(2)");
  h.loop.then([&](ScriptLoop&) { EXPECT_TRUE(h.app.pressCancel(h.themen())) << "Esc cancels"; });
  h.loop.drain();
  EXPECT_FALSE(h.app.forms.isLoaded(FrmThemen::kName));
  EXPECT_EQ(h.app.race.topicChoice(), TopicChoice{{"Erdkunde"}});
}

// A choice that leaves a level without questions is refused, naming the level; the window
// and the old choice stay. "Alle wählen" ticks every topic again.
TEST(Topics, refusesAChoiceThatEmptiesALevel) {
  TopicsHarness h;
  h.loop.menu("frmSpielfeld", "Themen");
  h.loop.click("frmThemen", "chkThema(1)").click("frmThemen", "chkThema(3)").click("frmThemen", "cmdUebernehmen");
  h.loop.ok("Mit dieser Wahl gibt es keine schweren Fragen. Bitte wähle auch ein Thema mit schweren Fragen.");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_TRUE(h.app.forms.isLoaded(FrmThemen::kName));
    EXPECT_EQ(h.app.race.topicChoice(), TopicChoice{});
  });
  h.loop.click("frmThemen", "cmdAlle");
  h.loop.then([&](ScriptLoop&) {
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(h.themen().chkThema(i).Value()) << i;
  });
  h.loop.click("frmThemen", "cmdAbbrechen");
  h.loop.drain();
}

// A set without topics, or one that cannot be read, is told instead of a choice.
TEST(Topics, aSetWithoutTopicsOrUnreadableSaysSo) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"F1", "a", "b", "c", "d"}});
  setQuestions(h, "tabFragen_schwer", {{"F2", "a", "b", "c", "d"}});
  openBoard(h);
  h.loop.menu("frmSpielfeld", "Themen");
  h.loop.ok("Die Fragen dieses Fragensatzes haben keine Themen. Es wird aus allen Fragen gefragt.");
  h.loop.then([&](ScriptLoop& s) {
    EXPECT_FALSE(h.app.forms.isLoaded(FrmThemen::kName));
    h.tables.erase("tabFragen_schwer");
    s.menu("frmSpielfeld", "Themen");
    s.ok("Die Tabelle „tabFragen_schwer“ fehlt.\n\nDie Themen können nicht gewählt werden. Das Spiel geht weiter.");
  });
  h.loop.drain();
  EXPECT_FALSE(h.app.forms.isLoaded(FrmThemen::kName));
}

}  // namespace
}  // namespace tj::testing
