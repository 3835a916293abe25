// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/level/frm_level.h"
#include "screens/question/frm_fragen.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

// "Leicht" opens the easy and "Schwer" the hard question, whatever came before; the level
// dialog is hidden but stays loaded meanwhile, and neither it nor the board takes clicks.
TEST(LevelDialog, opensTheChosenQuestionAndStaysLoaded) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"leicht?", "1", "2", "3", "R"}});
  setQuestions(h, "tabFragen_schwer", {{"schwer?", "1", "2", "3", "R"}});
  FrmSpielfeld& board = openBoard(h, 1);
  h.g().AktiverSpieler = "spieler2";
  const std::pair<const char*, const char*> choices[] = {{"cmdSchwer", "frmFragenSchwer"},
                                                         {"cmdLeicht", "frmFragenLeicht"},
                                                         {"cmdLeicht", "frmFragenLeicht"},
                                                         {"cmdSchwer", "frmFragenSchwer"}};
  for (auto [button, dialog] : choices) {
    showFromBoard(h, "frmLevel");
    h.loop.click("frmLevel", button).then([&, dialog = std::string(dialog)](ScriptLoop& s) {
      EXPECT_EQ(s.app().forms.top()->name(), dialog);
      const bool hard = dialog == "frmFragenSchwer";
      EXPECT_EQ(s.app().forms.isLoaded(hard ? "frmFragenLeicht" : "frmFragenSchwer"), false);
      EXPECT_EQ(static_cast<FrmFragen&>(s.app().forms.get(dialog)).lblFrage.Caption(), hard ? "schwer?" : "leicht?");
      EXPECT_TRUE(s.app().forms.isLoaded("frmLevel"));
      EXPECT_FALSE(h.form<FrmLevel>().Visible());
      EXPECT_FALSE(s.tryClick("frmLevel", "cmdLeicht"));
      EXPECT_FALSE(s.tryClick("frmLevel", "cmdSchwer"));
      EXPECT_FALSE(s.tryClick("frmSpielfeld", "cmdWuerfel"));
      EXPECT_FALSE(s.app().chooseMenu(board, "Anleitung"));
    });
    h.loop.click(dialog, "cmdAntwort(0)").click(dialog, "cmdWeiter");
    h.loop.then([&](ScriptLoop&) {
      EXPECT_EQ(h.g().SpielGestartet, 1);
      EXPECT_TRUE(h.app.forms.isLoaded("frmLevel"));
      EXPECT_FALSE(h.form<FrmLevel>().Visible());
    });
  }
  h.loop.drain();
  // The board is usable again without a further click on the level dialog.
  EXPECT_TRUE(h.app.forms.acceptsInput(board));
  EXPECT_TRUE(board.cmdWuerfel.Visible());
  EXPECT_EQ(board.lblAktiverSpieler.Caption(), "Anna ist dran!");
}

}  // namespace
}  // namespace tj::testing
