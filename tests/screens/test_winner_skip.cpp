// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/skip/frm_aussetzen.h"
#include "screens/winner/frm_gewonnen.h"
#include "test_board_support.h"

namespace tj::testing {
namespace {

// The winner screen: a centred dialog without title; "Ende" has the focus, then "neues
// Spiel", then the picture; the label starts with the designed text until the move writes.
TEST(WinnerScreen, layoutAndFocus) {
  BoardHarness h;
  h.startGame(0.0f);
  FrmGewonnen& w = h.form<FrmGewonnen>();
  EXPECT_EQ(w.lblGewonnen.Caption(), "Super, DU hast GEWONNEN !!!");
  EXPECT_EQ(w.window().title, "");
  EXPECT_TRUE(w.window().centred);
  EXPECT_EQ(w.window().background, Color::rgb(255, 255, 128));
  EXPECT_EQ(w.Picture1.picture(), Picture::stored("gewonnen.gif", 461, 409));
  EXPECT_EQ(w.cmdNeu.Caption(), "neues Spiel");
  EXPECT_EQ(w.lblWeiter.Caption(), "Möchtet ihr weiter spielen?");
  EXPECT_LT(w.cmdEnde.tabIndex, w.cmdNeu.tabIndex);
  EXPECT_LT(w.cmdNeu.tabIndex, w.Picture1.tabIndex);
  h.app.dispatch([&] {
    w.Show();
    EXPECT_EQ(w.focus(), &w.cmdEnde);
  });
}

// The skip notice reads "Einmal aussetzen " + the name of the player SpielerAmZug names +
// " !", marks the game as started and changes nothing else; it opens where the windowing
// system puts windows, not centred.
TEST(SkipNotice, namesThePlayerWhoseTurnItIs) {
  for (int player : {1, 2}) {
    BoardHarness h;
    h.startGame(player == 1 ? 0.0f : 0.5f);
    h.g().SpielGestartet = 0;
    h.g().AussetzenSpieler1 = kTrue;
    FrmAussetzen& n = h.form<FrmAussetzen>();
    EXPECT_EQ(n.lblHeadline.Caption(), player == 1 ? "Einmal aussetzen Anna !" : "Einmal aussetzen Bert !");
    EXPECT_EQ(h.g().SpielGestartet, 1);
    EXPECT_EQ(h.g().AussetzenSpieler1, kTrue) << "the die turn clears the flag, not the notice";
    EXPECT_FALSE(n.window().centred);
    EXPECT_EQ(n.imgAussetzen.picture(), Picture::stored("aussetzen.gif", 105, 164));
    EXPECT_FALSE(n.imgAussetzen.stretch);
  }
}

}  // namespace
}  // namespace tj::testing
