// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/winner/frm_gewonnen.h"
#include "test_board_support.h"

namespace tj::testing {
namespace {

// r values that give each roll of the die.
float rFor(int roll) {
  static const float kR[] = {0.0f, 0.05f, 0.2f, 0.4f, 0.6f, 0.8f, 0.95f};
  return kR[roll];
}

// A game whose first turn is player `player`'s.
struct Turn : ::testing::Test {
  BoardHarness h;
  FrmSpielfeld* b = nullptr;
  void start(int player) {
    h.startGame(player == 1 ? 0.0f : 0.5f);
    b = &h.board();
  }
  // Clicks the player's die button with `roll` and closes the dialog that follows, if any.
  void roll(int player, int roll, const char* dialog = "frmLevel") {
    h.random.queue({rFor(roll)});
    h.loop.click("frmSpielfeld", player == 1 ? "cmdWuerfel" : "cmdWuerfeln2");
    if (dialog) h.loop.click(dialog, "cmdOk");
    h.loop.drain();
  }
};

// The die button reseeds before it draws the roll, drives the fuel rule's steps and shows
// them and the fuel left; with an empty tank the car stays and a question still follows.
TEST_F(Turn, dieButtonReseedsRollsAndDrives) {
  struct Case {
    int tank, roll;
    const char* steps;
    const char* tankLabel;
    int position;
  };
  const Case cases[] = {{10, 6, "6", "4", 6}, {4, 6, "4", "0", 4}, {0, 5, "0", "0", 0}};
  for (const Case& c : cases) {
    BoardHarness fresh;
    fresh.startGame(0.0f);
    FrmSpielfeld& bb = fresh.board();
    fresh.g().TankSpieler1 = c.tank;
    bb.lblTank.setCaption(Str(c.tank));
    fresh.random.queue({rFor(c.roll)});
    fresh.random.calls.clear();
    fresh.loop.click("frmSpielfeld", "cmdWuerfel").click("frmLevel", "cmdOk");
    fresh.loop.drain();
    EXPECT_EQ(fresh.random.calls.substr(0, 2), "Rd") << "a fresh seed for every roll";
    EXPECT_EQ(bb.lblBewegung.Caption(), c.steps) << "tank " << c.tank << ", roll " << c.roll;
    EXPECT_EQ(bb.lblTank.Caption(), c.tankLabel) << "tank " << c.tank << ", roll " << c.roll;
    EXPECT_EQ(fresh.g().PositionSpieler1, c.position);
    EXPECT_EQ(bb.lblErgebnis.Caption(), Str(c.roll));
    EXPECT_EQ(visibleCars(bb, 1), std::vector<int>{c.position});
    EXPECT_EQ(fresh.count("frmLevel"), 1) << "a question follows every move that does not win";
    EXPECT_TRUE(bb.cmdWuerfeln2.Visible());
  }
}

// Player 2's click changes only player 2's values and hands the turn to player 1; the die
// face is the file of the roll and names the number for screen readers.
TEST_F(Turn, playerTwoTouchesOnlyPlayerTwo) {
  start(2);
  roll(2, 4);
  EXPECT_EQ(h.g().PositionSpieler2, 4);
  EXPECT_EQ(h.g().TankSpieler2, 6);
  EXPECT_EQ(b->lblTank2.Caption(), "6");
  EXPECT_EQ(b->lblBewegung2.Caption(), "4");
  EXPECT_EQ(b->lblErgebnis2.Caption(), "4");
  EXPECT_EQ(h.g().TankSpieler1, 10);
  EXPECT_EQ(b->lblBewegung.Caption(), "0");
  EXPECT_EQ(h.g().AktiverSpieler, kSpieler2);
  EXPECT_EQ(h.random.calls.substr(h.random.calls.size() - 2), "Rd") << "reseeded before player 2's roll";
  EXPECT_EQ(h.v().SpielerAmZug, 1);
  EXPECT_TRUE(b->cmdWuerfel.Visible());
  EXPECT_EQ(b->lblAktiverSpieler.Caption(), "Anna ist dran!");
  EXPECT_EQ(b->imgWuerfel.picture(), Picture::file("/spiel/wuerfel/w4.gif", 71, 33));
  EXPECT_EQ(b->imgWuerfel.accessibleName, "Würfel: 4");
  EXPECT_EQ(b->imgSpieler1(0).Top(), track::kSpots[0].top) << "the cars no longer share field 0";
}

// A die face that cannot be read: the die shows the number as text, one line names the
// file for the maintainer, and the game goes on with the question.
TEST_F(Turn, missingDieFaceShowsTheNumber) {
  start(1);
  h.pictures.missing = {"/spiel/wuerfel/w4.gif"};
  roll(1, 4);
  EXPECT_EQ(b->imgWuerfel.picture(), Picture::text("4"));
  EXPECT_EQ(b->imgWuerfel.accessibleName, "Würfel: 4");
  ASSERT_EQ(h.warnings.size(), 1u);
  EXPECT_NE(h.warnings[0].find("w4.gif"), std::string::npos) << h.warnings[0];
  EXPECT_EQ(h.g().PositionSpieler1, 4);
  EXPECT_EQ(h.count("frmLevel"), 1);
  roll(2, 4);
  EXPECT_EQ(b->imgWuerfel.picture(), Picture::text("4"));
  EXPECT_EQ(h.warnings.size(), 1u) << "the same unreadable file is named once";
}

// A pending skip costs one turn: the notice names the player whose button was pressed
// ("Einmal aussetzen " + name + " !"), then the flag is cleared and the turn passes; no
// roll, fuel or die face changes. With both flags set, each player sits out in turn.
TEST_F(Turn, bothPlayersSitOutInTurn) {
  start(1);
  h.g().AussetzenSpieler1 = kTrue;
  h.g().AussetzenSpieler2 = kTrue;
  const int draws = h.random.draws;
  std::vector<std::string> notices;
  auto readNotice = [&](ScriptLoop& s) {
    notices.push_back(s.element("frmAussetzen", "lblHeadline")->Caption());
    EXPECT_EQ(s.app().race.state().SpielGestartet, 1);
  };
  h.loop.click("frmSpielfeld", "cmdWuerfel").then(readNotice).click("frmAussetzen", "cmdWeiter");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_EQ(h.g().AussetzenSpieler1, kFalse);
    EXPECT_EQ(h.g().AussetzenSpieler2, kTrue);
    EXPECT_EQ(h.v().SpielerAmZug, 2);
    EXPECT_TRUE(b->cmdWuerfeln2.Visible());
    EXPECT_FALSE(b->cmdWuerfel.Visible());
  });
  h.loop.click("frmSpielfeld", "cmdWuerfeln2").then(readNotice).click("frmAussetzen", "cmdWeiter");
  h.loop.drain();
  EXPECT_EQ(notices, (std::vector<std::string>{"Einmal aussetzen Anna !", "Einmal aussetzen Bert !"}));
  EXPECT_EQ(h.g().AussetzenSpieler2, kFalse);
  EXPECT_EQ(h.v().SpielerAmZug, 1);
  EXPECT_TRUE(b->cmdWuerfel.Visible());
  EXPECT_EQ(b->lblAktiverSpieler.Caption(), "Anna ist dran!");
  EXPECT_EQ(h.random.draws, draws) << "no roll and no new start player";
  EXPECT_EQ(h.v().WurfSpieler1, 0);
  EXPECT_TRUE(b->imgWuerfel.picture().empty());
  EXPECT_EQ(h.g().TankSpieler1, 10);
  EXPECT_FALSE(h.app.forms.isLoaded("frmAussetzen"));
}

// Each player's first field event is a question even when the draw would give a card;
// afterwards a card (n <= 10) comes only while both cars stand on field 40 or lower, and
// no value is drawn once a car has passed field 40.
TEST_F(Turn, fieldEventsQuestionFirstThenCardsOnlyUpToField40) {
  start(1);
  roll(1, 3);  // first event of player 1
  roll(2, 3);  // first event of player 2
  EXPECT_EQ(h.count("frmLevel"), 2);
  EXPECT_EQ(h.v().ErsterZugSpieler1, kTrue);
  EXPECT_EQ(h.v().ErsterZugSpieler2, kTrue);

  // 9 + 3 = 12 while player 2 stands on 40: n = 7 gives the card.
  h.place(1, 9);
  h.place(2, 40);
  h.random.queue({rFor(3), 0.06f});
  h.loop.click("frmSpielfeld", "cmdWuerfel").click("frmAktion", "cmdOk");
  h.loop.drain();
  EXPECT_EQ(h.count("frmAktion"), 1);
  EXPECT_EQ(h.random.values.size(), 0u);

  // Player 2 drives 40 -> 42: nothing is drawn for the event.
  const int draws = h.random.draws;
  roll(2, 2);
  EXPECT_EQ(h.random.draws, draws + 1) << "only the roll";
  EXPECT_EQ(h.count("frmLevel"), 3);
}

// A win by overshoot: 43 + 4 = 47 is shown on field 45, the winner screen opens with
// "Super " + name + ", DU hast GEWONNEN !", no field event follows; "neues Spiel" runs a
// new setup, and the newly drawn start player stands (the winner's opponent is not
// forced on the new game); SpielEnde is False when the handler has ended.
TEST_F(Turn, winByOvershootThenNewGameKeepsDrawnStartPlayer) {
  h.log->names = {{"Anna", "Bert"}, {"Carla", "Dirk"}};
  start(1);
  h.place(1, 43);
  h.random.queue({rFor(4), 0.0f});  // the roll, then the new game's draw: player 1 again
  h.loop.click("frmSpielfeld", "cmdWuerfel");
  h.loop.then([&](ScriptLoop& s) {
    EXPECT_EQ(s.app().forms.top()->name(), "frmGewonnen");
    EXPECT_EQ(s.element("frmGewonnen", "lblGewonnen")->Caption(), "Super Anna, DU hast GEWONNEN !");
    EXPECT_EQ(h.g().PositionSpieler1, 47);
    EXPECT_EQ(h.g().TankSpieler1, 6);
    EXPECT_EQ(visibleCars(*b, 1), std::vector<int>{45});
    EXPECT_EQ(h.g().SpielEnde, kTrue);
  });
  h.loop.click("frmGewonnen", "cmdNeu").click("frmAuswahl", "cmdFertig");
  h.loop.drain();
  EXPECT_EQ(h.count("frmLevel"), 0);
  EXPECT_EQ(h.count("frmAktion"), 0);
  EXPECT_FALSE(h.app.forms.isLoaded("frmGewonnen"));
  EXPECT_EQ(h.g().SpielEnde, kFalse);
  EXPECT_EQ(h.v().SpielerAmZug, 1);
  EXPECT_TRUE(b->cmdWuerfel.Visible());
  EXPECT_FALSE(b->cmdWuerfeln2.Visible());
  EXPECT_EQ(b->lblAktiverSpieler.Caption(), "Carla ist dran!");
  EXPECT_EQ(b->lblTank.Caption(), "10");
  EXPECT_EQ(visibleCars(*b, 1), std::vector<int>{0});
  EXPECT_EQ(visibleCars(*b, 2), std::vector<int>{0});
  EXPECT_EQ(b->imgSpieler1(0).Top(), track::kSpots[0].top + 250);
  EXPECT_EQ(b->imgSpieler2(0).Top(), track::kSpots[0].top - 250);
  EXPECT_EQ(b->imgSpieler1(45).Top(), track::kSpots[45].top);

  // A later activation announces the same drawn player.
  h.loop.menu("frmSpielfeld", "Anleitung").click("frmAnleitung", "cmdOk");
  h.loop.drain();
  EXPECT_EQ(b->lblAktiverSpieler.Caption(), "Carla ist dran!");
}

// Exactly on the goal: 40 + 5 = 45 wins too; "Ende" closes every screen and nothing of
// the move goes on afterwards.
TEST_F(Turn, exactGoalThenEndClosesEverything) {
  start(2);
  h.place(2, 40);
  h.app.forms.get("frmLevel");  // hidden but loaded, as after a question
  h.random.queue({rFor(5)});
  h.loop.click("frmSpielfeld", "cmdWuerfeln2");
  h.loop.then([&](ScriptLoop& s) {
    EXPECT_EQ(s.element("frmGewonnen", "lblGewonnen")->Caption(), "Super Bert, DU hast GEWONNEN !");
    EXPECT_EQ(h.g().PositionSpieler2, 45);
  });
  h.loop.click("frmGewonnen", "cmdEnde");
  h.loop.drain();
  EXPECT_FALSE(h.app.forms.anyLoaded());
  EXPECT_TRUE(h.app.ended());
}

}  // namespace
}  // namespace tj::testing
