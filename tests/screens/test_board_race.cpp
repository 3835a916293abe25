// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "test_board_support.h"

namespace tj::testing {
namespace {

// Plays whatever the top screen asks for: the visible die button, the dialog's button,
// the setup's; the winner screen gets "neues Spiel" until `games` races are won, then "Ende".
struct RacePlayer {
  BoardHarness& h;
  int games;
  int won = 0;
  int clicks = 0;
  std::vector<std::string> winners;

  bool operator()(ScriptLoop& s) {
    if (++clicks > 5000) return false;
    Screen* top = s.app().forms.top();
    if (!top) return false;
    const std::string& n = top->name();
    if (n == "frmSpielfeld") {
      FrmSpielfeld& b = h.board();
      EXPECT_EQ(h.g().SpielEnde, kFalse) << "a running game carries no end flag";
      return s.tryClick(n, b.cmdWuerfel.Visible() ? "cmdWuerfel" : "cmdWuerfeln2");
    }
    if (n == "frmGewonnen") {
      winners.push_back(s.element(n, "lblGewonnen")->Caption());
      return s.tryClick(n, ++won < games ? "cmdNeu" : "cmdEnde");
    }
    if (n == "frmAuswahl") return s.tryClick(n, "cmdFertig");
    if (n == "frmStart") {
      s.advance(1000);  // the countdown
      return true;
    }
    if (n == "frmAussetzen") return s.tryClick(n, "cmdWeiter");
    return s.tryClick(n, "cmdOk");
  }
};

// Checked after every step: each player's car shows on exactly one field, the one of
// min(position, 45); while the board is on top exactly one die button shows, the one
// SpielerAmZug names, with that player's name announced.
void checkBoard(BoardHarness& h) {
  if (!h.app.forms.isLoaded("frmSpielfeld")) return;
  FrmSpielfeld& b = h.board();
  if (h.app.forms.isLoaded("frmAuswahl") && b.SpielerAmZug == 0) return;
  for (int p : {1, 2}) {
    const Int16 pos = p == 1 ? h.g().PositionSpieler1 : h.g().PositionSpieler2;
    ASSERT_EQ(visibleCars(b, p), std::vector<int>{race::shownField(pos, 45)}) << "player " << p;
  }
  if (h.app.forms.top() == &b) {
    const bool one = b.SpielerAmZug == 1;
    ASSERT_NE(b.cmdWuerfel.Visible(), b.cmdWuerfeln2.Visible());
    ASSERT_EQ(b.cmdWuerfel.Visible(), one);
    ASSERT_EQ(b.lblAktiverSpieler.Caption(), (one ? h.g().NameSpieler1 : h.g().NameSpieler2) + " ist dran!");
  }
}

// Whole races with stand-in dialogs (a right answer pays 4 litres): two races to the
// winner screen, "neues Spiel" in between, "Ende" after the second; no screen is left.
// The real start screen counts down first.
TEST(WholeRace, twoRacesThenEnd) {
  BoardHarness h;
  h.log->payReward = true;
  h.log->names = {{"Anna", "Bert"}, {"Carla", "Dirk"}};
  RacePlayer player{h, 2};
  h.loop.agent = [&](ScriptLoop& s) { return player(s); };
  h.loop.afterEach = [&] { checkBoard(h); };
  h.loop.runMain();
  EXPECT_TRUE(h.app.ended());
  ASSERT_EQ(player.winners.size(), 2u);
  EXPECT_EQ(player.winners[0].rfind("Super ", 0), 0u);
  EXPECT_TRUE(player.winners[1] == "Super Carla, DU hast GEWONNEN !" || player.winners[1] == "Super Dirk, DU hast GEWONNEN !")
      << player.winners[1];
  EXPECT_EQ(h.count("frmAuswahl"), 2);
  EXPECT_GT(h.count("frmLevel"), 10);
  EXPECT_EQ(h.g().SpielEnde, kTrue) << "\"Ende\" ends the winning handler before it clears the flag";
}

}  // namespace
}  // namespace tj::testing
