// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/winner/frm_gewonnen.h"
#include "test_board_support.h"

namespace tj::testing {
namespace {

float top(int field) { return static_cast<float>(track::kSpots.at(static_cast<std::size_t>(field)).top); }

// Loading sets the start values: 10 litres each and shown, both cars on field 0, player 1's
// step and roll labels "0" while player 2's stay empty, no die face, nothing drawn yet.
TEST(BoardLoad, startValues) {
  BoardHarness h;
  FrmSpielfeld& b = h.board();
  EXPECT_EQ(h.g().TankSpieler1, 10);
  EXPECT_EQ(h.g().TankSpieler2, 10);
  EXPECT_EQ(b.lblTank.Caption(), "10");
  EXPECT_EQ(b.lblTank2.Caption(), "10");
  EXPECT_EQ(b.lblBewegung.Caption(), "0");
  EXPECT_EQ(b.lblErgebnis.Caption(), "0");
  EXPECT_EQ(b.lblBewegung2.Caption(), "");
  EXPECT_EQ(b.lblErgebnis2.Caption(), "");
  EXPECT_EQ(visibleCars(b, 1), std::vector<int>{0});
  EXPECT_EQ(visibleCars(b, 2), std::vector<int>{0});
  EXPECT_TRUE(b.imgWuerfel.picture().empty());
  EXPECT_EQ(h.g().BelohnungLeicht, 2);
  EXPECT_EQ(h.g().BelohnungSchwer, 4);
  EXPECT_EQ(h.random.draws, 0);
}

// The first activation draws the cars on field 0 apart (player 1 250 twips down, player 2
// 250 up), draws the start player after a reseed, and shows exactly that player's die
// button and name.
TEST(BoardActivation, firstActivationDrawsStartPlayer) {
  struct Case {
    float r;
    int player;
  };
  for (const Case c : {Case{0.5f, 2}, Case{0.0f, 1}}) {
    BoardHarness h;
    h.startGame(c.r);
    FrmSpielfeld& b = h.board();
    EXPECT_EQ(h.v().SpielerAmZug, c.player) << c.r;
    EXPECT_EQ(h.random.calls, "Rd");
    EXPECT_EQ(h.g().SpielGestartet, 1);
    EXPECT_EQ(b.cmdWuerfel.Visible(), c.player == 1);
    EXPECT_EQ(b.cmdWuerfeln2.Visible(), c.player == 2);
    EXPECT_EQ(b.lblAktiverSpieler.Caption(), (c.player == 1 ? "Anna" : "Bert") + std::string(" ist dran!"));
    EXPECT_EQ(b.imgSpieler1(0).Top(), top(0) + 250);
    EXPECT_EQ(b.imgSpieler2(0).Top(), top(0) - 250);
  }
}

// Once the start player is drawn, reactivation (after any dialog) re-announces the same
// player and draws nothing, whatever the next random value would say.
TEST(BoardActivation, laterActivationNeverRedraws) {
  BoardHarness h;
  h.startGame(0.0f);
  const int draws = h.random.draws;
  h.random.queue({0.9f});
  h.loop.menu("frmSpielfeld", "Anleitung").click("frmAnleitung", "cmdOk");
  h.loop.drain();
  EXPECT_EQ(h.count("frmAnleitung"), 1);
  EXPECT_EQ(h.v().SpielerAmZug, 1);
  EXPECT_TRUE(h.board().cmdWuerfel.Visible());
  EXPECT_EQ(h.random.draws, draws);
  EXPECT_EQ(h.board().imgSpieler1(0).Top(), top(0) + 250) << "the shift is redone, not added";
}

// Drawing the cars apart undoes the last shift and then draws two cars on one field 250
// twips apart: calling it twice changes nothing, and a car leaving the shared field
// restores both pictures there.
TEST(CarShift, undoThenRedo) {
  BoardHarness h;
  h.startGame(0.0f);
  FrmSpielfeld& b = h.board();
  h.app.race.separateCars();
  EXPECT_EQ(b.imgSpieler1(0).Top(), top(0) + 250);
  EXPECT_EQ(b.imgSpieler2(0).Top(), top(0) - 250);
  EXPECT_EQ(h.g().VerschiebungAktiv, kTrue);

  h.place(1, 12);
  h.place(2, 12);
  h.app.race.separateCars();
  EXPECT_EQ(b.imgSpieler1(0).Top(), top(0));
  EXPECT_EQ(b.imgSpieler2(0).Top(), top(0));
  EXPECT_EQ(b.imgSpieler1(12).Top(), top(12) + 250);
  EXPECT_EQ(b.imgSpieler2(12).Top(), top(12) - 250);

  h.place(1, 15);
  h.app.race.separateCars();
  EXPECT_EQ(b.imgSpieler1(12).Top(), top(12));
  EXPECT_EQ(b.imgSpieler2(12).Top(), top(12));
  EXPECT_EQ(b.imgSpieler1(15).Top(), top(15));
  EXPECT_EQ(h.g().VerschiebungAktiv, kFalse);
  for (int i = 0; i < FrmSpielfeld::kFelder; ++i) {
    EXPECT_EQ(b.imgSpieler1(i).Top(), top(i)) << i;
    EXPECT_EQ(b.imgSpieler2(i).Top(), top(i)) << i;
  }
}

// A new game restores the start values, hides all cars but the two on field 0 and shows
// the setup over the board; it keeps the names, AktiverSpieler, SpielEnde and the shift
// state, so the next activation first restores the old field, then shifts field 0.
TEST(BoardReset, restoresStartValuesKeepsNamesAndShift) {
  BoardHarness h;
  h.log->names = {{"Anna", "Bert"}, {"Carla", "Dirk"}};
  h.startGame(0.0f);
  FrmSpielfeld& b = h.board();
  GameState& g = h.g();
  h.place(1, 20);
  h.place(2, 20);
  h.app.race.separateCars();
  g.TankSpieler1 = 3;
  g.TankSpieler2 = 0;
  g.AussetzenSpieler2 = kTrue;
  g.AktiverSpieler = kSpieler2;
  g.BelohnungSchwer = 9;
  g.SpielEnde = kTrue;
  h.v().WurfSpieler1 = 5;
  h.v().WurfSpieler2 = 6;
  h.v().ErsterZugSpieler1 = kTrue;
  h.v().SchritteSpieler2 = 4;
  b.lblBewegung2.setCaption("4");
  b.imgWuerfel.setPicture(Picture::file("/spiel/wuerfel/w5.gif", 86, 86));
  h.random.queue({0.7f});

  // "neues Spiel": the setup waits over the board, then the script runs.
  h.loop.click("frmGewonnen", "cmdNeu");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_EQ(h.app.forms.top()->name(), "frmAuswahl");
    EXPECT_EQ(g.TankSpieler2, 10);
    EXPECT_EQ(b.lblTank.Caption(), "10");
    EXPECT_EQ(b.lblTank2.Caption(), "10");
    EXPECT_EQ(g.PositionSpieler1, 0);
    EXPECT_EQ(g.PositionSpieler2, 0);
    EXPECT_EQ(visibleCars(b, 1), std::vector<int>{0});
    EXPECT_EQ(visibleCars(b, 2), std::vector<int>{0});
    for (Element* e : {&b.lblBewegung, &b.lblErgebnis, &b.lblBewegung2, &b.lblErgebnis2}) EXPECT_EQ(e->Caption(), "0");
    EXPECT_EQ(h.v().WurfSpieler2, 0);
    EXPECT_EQ(h.v().SchritteSpieler2, 0);
    EXPECT_EQ(g.AussetzenSpieler2, kFalse);
    EXPECT_EQ(h.v().ErsterZugSpieler1, kFalse);
    EXPECT_EQ(g.BelohnungSchwer, 4);
    EXPECT_EQ(g.SpielGestartet, 0);
    EXPECT_TRUE(b.imgWuerfel.picture().empty());
    EXPECT_EQ(g.NameSpieler1, "Anna");
    EXPECT_EQ(g.AktiverSpieler, kSpieler2);
    EXPECT_EQ(g.SpielEnde, kTrue);
    EXPECT_EQ(g.VerschiebungAktiv, kTrue);
    EXPECT_EQ(g.VerschiebungFeldSpieler1, 20);
    EXPECT_EQ(b.imgSpieler1(20).Top(), top(20) + 250) << "still shifted until the next activation";
  });
  h.loop.click("frmAuswahl", "cmdFertig");
  h.app.dispatch([&] { h.form<FrmGewonnen>().ShowModal(); });
  EXPECT_EQ(b.imgSpieler1(20).Top(), top(20));
  EXPECT_EQ(b.imgSpieler2(20).Top(), top(20));
  EXPECT_EQ(b.imgSpieler1(0).Top(), top(0) + 250);
  EXPECT_EQ(b.imgSpieler2(0).Top(), top(0) - 250);
  EXPECT_EQ(h.v().SpielerAmZug, 2) << "a new start player was drawn";
  EXPECT_EQ(b.lblAktiverSpieler.Caption(), "Dirk ist dran!");
}

// The menu: "Beenden" unloads every screen, also a hidden but loaded dialog.
TEST(BoardMenu, beendenEndsTheProgram) {
  BoardHarness h;
  h.startGame(0.0f);
  h.app.forms.get("frmLevel");  // loaded, never shown
  h.loop.menu("frmSpielfeld", "Beenden");
  h.loop.drain();
  EXPECT_FALSE(h.app.forms.anyLoaded());
  EXPECT_TRUE(h.app.ended());
}

}  // namespace
}  // namespace tj::testing
