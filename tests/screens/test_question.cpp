// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/level/frm_level.h"
#include "screens/question/frm_fragen.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

constexpr Color kResting = Color::rgb(128, 128, 255);

std::array<std::string, 4> buttonTexts(FrmFragen& f) {
  return {f.cmdAntwort(0).Caption(), f.cmdAntwort(1).Caption(), f.cmdAntwort(2).Caption(), f.cmdAntwort(3).Caption()};
}

// The slot drawn for the right answer decides the layout; the draw for the record comes
// first, and the generator is reseeded for the record and for every answer label.
TEST(QuestionDialog, spreadsTheAnswersByTheDrawnSlot) {
  const std::array<std::array<std::string, 4>, 4> expected{{
      {"richtig", "falsch2", "falsch3", "falsch1"},
      {"falsch1", "richtig", "falsch3", "falsch2"},
      {"falsch1", "falsch2", "richtig", "falsch3"},
      {"falsch1", "falsch2", "falsch3", "richtig"},
  }};
  for (int slot = 0; slot < 4; ++slot) {
    Harness h;
    setQuestions(h, "tabFragen_leicht", {{"Wie?", "falsch1", "falsch2", "falsch3", "richtig"}});
    h.random.queue({0.5f, 0.25f * static_cast<float>(slot) + 0.01f});
    FrmFragen& f = h.form<FrmFragenLeicht>();
    EXPECT_EQ(buttonTexts(f), expected[static_cast<std::size_t>(slot)]) << "slot " << slot;
    EXPECT_EQ(f.Zufallsplatz, slot);
    EXPECT_EQ(f.RichtigeAntwort, slot);
    EXPECT_EQ(f.lblFrage.Caption(), "Wie?");
    EXPECT_EQ(f.Label1(3).Caption(), "richtig");
    EXPECT_EQ(f.Label1(0).Caption(), "falsch1");
    EXPECT_EQ(h.random.draws, 2);
    EXPECT_EQ(h.random.reseeds, 5);
    EXPECT_EQ(h.g().SpielGestartet, 1);
  }
}

// k = Int(r * n + 1): r = 0 takes the first record, r just below 1 the last, never n + 1.
TEST(QuestionDialog, drawsTheRecordFromR) {
  const std::vector<std::vector<std::string>> three{
      {"F1", "a", "b", "c", "d"}, {"F2", "a", "b", "c", "d"}, {"F3", "a", "b", "c", "d"}};
  const std::tuple<float, std::vector<std::vector<std::string>>, std::string> cases[] = {
      {0.0f, three, "F1"},
      {0.99999994f, three, "F3"},
      {0.0f, {three[1]}, "F2"},
  };
  for (const auto& [r, records, frage] : cases) {
    Harness h;
    setQuestions(h, "tabFragen_schwer", records);
    h.random.queue({r, 0.0f});
    EXPECT_EQ(h.form<FrmFragenSchwer>().lblFrage.Caption(), frage) << "r = " << r << ", n = " << records.size();
  }
}

struct AnswerCase {
  bool hard;
  std::string player;
  bool right;
};

// Right and wrong answers in both dialogs for both players and an unknown key: colours,
// fuel, the board's labels at once, the message, and the dialog closed by "weiter spielen!".
TEST(QuestionDialog, answersColourPayAndTell) {
  const AnswerCase cases[] = {
      {false, "spieler1", true}, {true, "spieler2", true}, {false, "spieler2", false}, {true, "niemand", true}};

  for (const AnswerCase& c : cases) {
    SCOPED_TRACE((c.hard ? "schwer " : "leicht ") + c.player + (c.right ? " richtig" : " falsch"));
    Harness h;
    const std::string table = c.hard ? "tabFragen_schwer" : "tabFragen_leicht";
    const std::string dialog = c.hard ? "frmFragenSchwer" : "frmFragenLeicht";
    setQuestions(h, table, {{"Frage?", "f1", "f2", "f3", "r"}});
    FrmSpielfeld& board = openBoard(h, 2);
    h.g().TankSpieler1 = 3;
    h.g().TankSpieler2 = 8;
    h.g().AktiverSpieler = c.player;
    const int reward = c.hard ? 4 : 2;
    h.random.queue({0.0f, 0.6f});  // record 1, right answer on button 2; the wrong one on 1
    const int clicked = c.right ? 2 : 1;

    showFromBoard(h, "frmLevel");
    h.loop.click("frmLevel", c.hard ? "cmdSchwer" : "cmdLeicht");
    h.loop.click(dialog, "cmdAntwort(" + std::to_string(clicked) + ")");
    h.loop.then([&](ScriptLoop& s) {
      auto& f = static_cast<FrmFragen&>(s.app().forms.get(dialog));
      const int tank1 = c.right && c.player == "spieler1" ? 3 + reward : 3;
      const int tank2 = c.right && c.player == "spieler2" ? 8 + reward : 8;
      EXPECT_EQ(h.g().TankSpieler1, tank1);
      EXPECT_EQ(h.g().TankSpieler2, tank2);
      // Only the active player's label is written, before the player goes on.
      EXPECT_EQ(board.lblTank.Caption(), c.right && c.player == "spieler1" ? Str(tank1) : "10");
      EXPECT_EQ(board.lblTank2.Caption(), c.right && c.player == "spieler2" ? Str(tank2) : "10");
      EXPECT_EQ(f.cmdAntwort(2).BackColor(), kGreen);
      EXPECT_EQ(f.cmdAntwort(1).BackColor(), c.right ? kResting : kRed);
      EXPECT_EQ(f.cmdAntwort(0).BackColor(), kResting);
      EXPECT_EQ(f.cmdAntwort(3).BackColor(), kResting);
      EXPECT_EQ(f.lblTankbelohnung.Caption(),
                c.right ? "Super gemacht! Du erhältst " + std::to_string(reward) + " Tankpunkte. Weiter so!!!"
                        : "Schade, du erhältst leider keine Tankpunkte");
      EXPECT_TRUE(f.cmdWeiter.Visible());
      for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(f.cmdAntwort(i).Enabled()) << i;
        EXPECT_FALSE(s.tryClick(dialog, "cmdAntwort(" + std::to_string(i) + ")")) << "one answer per showing";
      }
    });
    h.loop.click(dialog, "cmdWeiter");
    h.loop.drain();
    EXPECT_FALSE(h.app.forms.isLoaded(dialog));
    EXPECT_TRUE(board.cmdWuerfeln2.Visible());
  }
}

TEST(QuestionDialog, opensFreshEveryTime) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"A?", "1", "2", "3", "R"}, {"B?", "1", "2", "3", "R"}});
  openBoard(h);
  h.g().AktiverSpieler = "spieler1";
  h.random.queue({0.0f, 0.0f, 0.9f, 0.9f});
  for (int round = 0; round < 2; ++round) {
    showFromBoard(h, "frmLevel");
    h.loop.click("frmLevel", "cmdLeicht");
    h.loop.then([&, round](ScriptLoop&) {
      auto& f = h.form<FrmFragenLeicht>();
      EXPECT_EQ(f.lblFrage.Caption(), round == 0 ? "A?" : "B?");
      EXPECT_EQ(f.lblTankbelohnung.Caption(), "");
      EXPECT_FALSE(f.cmdWeiter.Visible());
      for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.cmdAntwort(i).BackColor(), kResting);
        EXPECT_TRUE(f.cmdAntwort(i).Enabled());
      }
    });
    h.loop.click("frmFragenLeicht", "cmdAntwort(1)");  // slots 0 and 3: a wrong answer both times
    h.loop.click("frmFragenLeicht", "cmdWeiter");
  }
  h.loop.drain();
  EXPECT_EQ(h.g().TankSpieler1, 10);
}

// Fuel that would pass 32767 stays there.
TEST(QuestionDialog, rewardHoldsAtTheLimit) {
  Harness h;
  setQuestions(h, "tabFragen_schwer", {{"?", "1", "2", "3", "R"}});
  FrmSpielfeld& board = openBoard(h);
  h.g().AktiverSpieler = "spieler2";
  h.g().TankSpieler2 = 32765;
  h.random.queue({0.0f, 0.0f});
  showFromBoard(h, "frmLevel");
  h.loop.click("frmLevel", "cmdSchwer").click("frmFragenSchwer", "cmdAntwort(0)").click("frmFragenSchwer", "cmdWeiter");
  h.loop.drain();
  EXPECT_EQ(h.g().TankSpieler2, 32767);
  EXPECT_EQ(board.lblTank2.Caption(), "32767");
}

}  // namespace
}  // namespace tj::testing
