// SPDX-License-Identifier: GPL-3.0-or-later
// Bad data never ends the game: the dialog that needed the record tells the players what
// is wrong with which file, closes without effect, and the next player's turn follows.
#include <gtest/gtest.h>

#include "screens/level/frm_level.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

struct Turn {
  Harness h;
  TempFolder folder;
  std::filesystem::path file = folder / "mdbZielflagge.mdb";
  FrmSpielfeld& board = openBoard(h, 1);
  explicit Turn(const BadData& bad) {
    bad.make(file);
    useDatabaseFile(h, file);
  }
  // The message shown, which must name the file.
  void expectMessage() {
    ASSERT_EQ(h.loop.messages().size(), 1u);
    EXPECT_NE(h.loop.messages()[0].text.find("mdbZielflagge.mdb"), std::string::npos) << h.loop.messages()[0].text;
  }
  // Player 2's die button shows, and player 2 can play on.
  void expectNextTurn() {
    EXPECT_TRUE(board.cmdWuerfeln2.Visible());
    EXPECT_FALSE(board.cmdWuerfel.Visible());
    EXPECT_EQ(board.lblAktiverSpieler.Caption(), "Ben ist dran!");
    EXPECT_TRUE(h.app.forms.acceptsInput(board));
  }
};

const std::vector<std::string> kQuestionRow{"'Frage?'", "'f1'", "'f2'", "'f3'", "'richtig'"};

TEST(QuestionBadData, everyFaultEndsTheQuestionWithoutEffect) {
  for (const BadData& bad : badDataCases("tabFragen_leicht", kQuestionFields, kQuestionRow)) {
    SCOPED_TRACE(bad.what);
    Turn t(bad);
    t.h.random.queue({0.2f, 0.2f});  // player 1 rolls 2, later player 2 rolls 2
    t.h.loop.click("frmSpielfeld", "cmdWuerfel");
    t.h.loop.click("frmLevel", "cmdLeicht");
    t.h.loop.ok();
    t.h.loop.drain();
    t.expectMessage();
    EXPECT_FALSE(t.h.app.forms.isLoaded("frmFragenLeicht"));
    EXPECT_FALSE(t.h.form<FrmLevel>().Visible());
    EXPECT_EQ(t.h.g().TankSpieler1, 8) << "two litres for the drive, no reward";
    EXPECT_EQ(t.h.g().PositionSpieler1, 2);
    t.expectNextTurn();
    // The game goes on: player 2's turn brings the level dialog again.
    t.h.loop.click("frmSpielfeld", "cmdWuerfeln2");
    t.h.loop.then([&](ScriptLoop& s) { EXPECT_EQ(s.app().forms.top()->name(), "frmLevel"); });
    t.h.loop.click("frmLevel", "cmdLeicht").ok();
    t.h.loop.drain();
    EXPECT_TRUE(t.board.cmdWuerfel.Visible());
  }
}

TEST(ActionBadData, everyFaultEndsTheCardWithoutEffect) {
  const std::vector<std::string> row{"'+10L'", "'Titel'", "'Text'", "'7'"};
  for (const BadData& bad : badDataCases("tabAktion", kCardFields, row)) {
    SCOPED_TRACE(bad.what);
    Turn t(bad);
    t.h.v().ErsterZugSpieler1 = kTrue;
    t.h.v().ErsterZugSpieler2 = kTrue;
    t.h.g().AktiverSpieler = "spieler1";
    t.h.random.queue({0.2f, 0.0f});  // player 1 rolls 2 and draws a card
    t.h.loop.click("frmSpielfeld", "cmdWuerfel").ok();
    t.h.loop.drain();
    t.expectMessage();
    EXPECT_FALSE(t.h.app.forms.isLoaded("frmAktion"));
    EXPECT_EQ(t.h.g().TankSpieler1, 8) << "two litres for the drive, no card";
    EXPECT_EQ(t.h.g().TankSpieler2, 10);
    EXPECT_EQ(t.h.g().PositionSpieler1, 2);
    t.expectNextTurn();
  }
}

}  // namespace
}  // namespace tj::testing
