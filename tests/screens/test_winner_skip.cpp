// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/skip/frm_aussetzen.h"
#include "screens/winner/frm_gewonnen.h"
#include "test_board_support.h"

namespace tj::testing {
namespace {

// The winner screen opens with the focus on "Ende".
TEST(WinnerScreen, opensWithFocusOnEnde) {
  BoardHarness h;
  h.startGame(0.0f);
  FrmGewonnen& w = h.form<FrmGewonnen>();
  h.app.dispatch([&] {
    w.Show();
    EXPECT_EQ(w.focus(), &w.cmdEnde);
  });
}

// The skip notice reads "Einmal aussetzen " + the name of the player SpielerAmZug names +
// " !", marks the game as started and leaves the skip flag to the die turn.
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
  }
}

}  // namespace
}  // namespace tj::testing
