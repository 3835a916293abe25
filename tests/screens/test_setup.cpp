// SPDX-License-Identifier: GPL-3.0-or-later
// Player setup: names and the choice of cars.
#include <gtest/gtest.h>

#include "screens/winner/frm_gewonnen.h"
#include "test_setup_support.h"

namespace tj::testing {
namespace {

// A loaded setup asks for player 1's name with the name box focused; nothing else shows.
TEST_F(SetupTest, opensAskingForPlayerOnesNameWithTheNameBoxFocused) {
  FrmAuswahl& s = setup();
  EXPECT_EQ(s.lblAnweisung.Caption(), "Bitte gib den Namen von Spieler 1 ein!");
  EXPECT_EQ(s.focus(), &s.txtName);
  EXPECT_TRUE(s.txtName.Visible());
  EXPECT_TRUE(s.cmdName1Weiter.Visible());
  EXPECT_FALSE(s.cmdName2Weiter.Visible());
  for (int sp = 1; sp <= 2; ++sp)
    for (int f = 0; f < FrmAuswahl::kFarben; ++f) EXPECT_FALSE(s.autoBild(sp, f).Visible()) << sp << f;
  EXPECT_FALSE(s.tmrRausFahren.TimerEnabled());
  EXPECT_FALSE(boardLoaded()) << "the board loads only when player 1's name is confirmed";
}

// An empty name, by click or by Enter, for either player: the message box, then the
// focus back in the name box; the screen, the names and the board stay as they were.
TEST(SetupNames, emptyNameOnlyShowsTheMessageAndRefocusesTheNameBox) {
  struct Case {
    int spieler;
    bool byEnter;
  };
  for (Case c : {Case{1, false}, Case{1, true}, Case{2, false}, Case{2, true}}) {
    SCOPED_TRACE(::testing::Message() << "player " << c.spieler << (c.byEnter ? " by Enter" : " by click"));
    SetupRun r;
    FrmAuswahl& s = r.setup();
    if (c.spieler == 2) r.enterName(1, "Anna");
    Element& weiter = c.spieler == 1 ? s.cmdName1Weiter : s.cmdName2Weiter;
    s.SetFocus(weiter);  // where a mouse click leaves it
    const bool boardBefore = r.boardLoaded();
    const std::string before = snapshot(s);

    r.h.loop.ok("Bitte gib einen Namen ein!");
    r.confirm(c.spieler, c.byEnter);

    ASSERT_EQ(r.h.loop.messages().size(), 1u);
    EXPECT_EQ(r.h.loop.messages()[0].title,
              "HALLOOO?"
              "?!!!");
    EXPECT_EQ(s.focus(), c.spieler == 1 ? &s.txtName : &s.txtName2);
    EXPECT_EQ(snapshot(s), before);
    EXPECT_EQ(r.h.g().NameSpieler1, c.spieler == 1 ? "" : "Anna");
    EXPECT_EQ(r.h.g().NameSpieler2, "");
    EXPECT_EQ(r.boardLoaded(), boardBefore);
    if (boardBefore) {
      EXPECT_EQ(r.board().lblSpieler2Name.Caption(), "Spieler2");
    }
  }
}

// Enter with a name does exactly what a click on the visible "Weiter" does, for both
// players; the key code itself is left as it was. Other keys confirm nothing.
TEST(SetupNames, enterWithANameEqualsTheClick) {
  auto run = [](bool byEnter) {
    SetupRun r;
    std::string trace;
    auto record = [&] {
      trace +=
          snapshot(r.setup()) + "N1=" + r.h.g().NameSpieler1 + " N2=" + r.h.g().NameSpieler2 + " board=" +
          (r.boardLoaded() ? r.board().lblSpieler1Name.Caption() + "|" + r.board().lblSpieler2Name.Caption() : "-") +
          "\n";
    };
    r.enterName(1, "Anna", byEnter);
    record();
    r.enterName(2, "Ben", byEnter);
    record();
    return trace;
  };
  EXPECT_EQ(run(true), run(false));

  SetupRun r;
  r.type("Anna");
  for (int key : {13, 10, int{'a'}, 27, 0}) {
    int code = key;
    r.setup().nameBox().KeyPress(code);
    EXPECT_EQ(code, key) << "the handler never changes the key";
    if (key == 13) {
      EXPECT_EQ(r.h.g().NameSpieler1, "Anna");
      r.type("Anna");
    }
  }
  EXPECT_EQ(r.h.g().NameSpieler2, "") << "only Enter confirms";
  EXPECT_TRUE(r.setup().cmdName2Weiter.Visible());
}

// Confirming both names walks the screen from name 1 to the car choice of player 1.
TEST_F(SetupTest, confirmedNamesLeadToPlayerOnesCars) {
  FrmAuswahl& s = setup();
  enterName(1, "Anna");
  EXPECT_FALSE(s.cmdName1Weiter.Visible());
  EXPECT_TRUE(s.cmdName2Weiter.Visible());
  EXPECT_FALSE(s.txtName.Visible());
  EXPECT_TRUE(s.txtName2.Visible()) << "a box of its own, so that a screen reader hears the new prompt";
  EXPECT_EQ(s.focus(), &s.txtName2);
  EXPECT_EQ(s.txtName2.Caption(), "");
  EXPECT_EQ(s.lblAnweisung.Caption(), "Bitte gib den Namen von Spieler 2 ein!");
  enterName(2, "Ben", true);
  EXPECT_FALSE(s.txtName2.Visible());
  EXPECT_FALSE(s.cmdName1Weiter.Visible());
  EXPECT_FALSE(s.cmdName2Weiter.Visible());
  EXPECT_EQ(s.txtName.Caption(), "");
  EXPECT_EQ(s.lblAnweisung.Caption(), "Bitte wähle dein Auto aus, Anna!");
  for (int f = 0; f < FrmAuswahl::kFarben; ++f) {
    EXPECT_TRUE(s.autoBild(1, f).Visible()) << f;
    EXPECT_FALSE(s.autoBild(2, f).Visible()) << f;
  }
  EXPECT_FALSE(s.tmrRausFahren.TimerEnabled());
}

// Each confirmed name is on the board at once: the first one loads the board (its start
// values set) while it stays hidden; the board is never shown during the names.
TEST_F(SetupTest, boardCarriesEachNameAsSoonAsItIsConfirmedWhileStillHidden) {
  EXPECT_FALSE(boardLoaded());
  enterName(1, "Anna");
  ASSERT_TRUE(boardLoaded());
  EXPECT_FALSE(board().Visible());
  EXPECT_EQ(board().lblSpieler1Name.Caption(), "Anna");
  EXPECT_EQ(board().lblSpieler2Name.Caption(), "Spieler2");
  EXPECT_EQ(h.g().TankSpieler1, 10) << "the board's load handler has run";
  enterName(2, "Ben");
  EXPECT_EQ(board().lblSpieler2Name.Caption(), "Ben");
  EXPECT_FALSE(board().Visible());
  EXPECT_EQ(h.g().SpielGestartet, 0) << "the board has never been activated";
  const auto& z = h.app.forms.zOrder();
  EXPECT_EQ(std::count(z.begin(), z.end(), &board()), 0);
}

// Names as players type them come back unchanged: in the game state, on the board and
// in the instruction that names them.
TEST(SetupNames, oddNamesRoundTripUnchanged) {
  const std::string lang(10000, 'x');
  const std::vector<std::string> names{
      " ", " Ann ", "Jürgen Größe", "🚗💨 Speedy", "שלום", "<b>Tom</b>", "%s %n {0}", "a\tb", lang + "ende",
  };
  for (const std::string& n : names) {
    SCOPED_TRACE(n.substr(0, 40));
    SetupRun r;
    r.enterNames(n, n + "2");
    EXPECT_EQ(r.h.g().NameSpieler1, n);
    EXPECT_EQ(r.h.g().NameSpieler2, n + "2");
    EXPECT_EQ(r.board().lblSpieler1Name.Caption(), n);
    EXPECT_EQ(r.board().lblSpieler2Name.Caption(), n + "2");
    EXPECT_EQ(r.setup().lblAnweisung.Caption(), "Bitte wähle dein Auto aus, " + n + "!");
    r.clickCar(1, 0);
    r.driveOut();
    EXPECT_EQ(r.setup().lblAnweisung.Caption(), "Bitte wähle dein Auto aus, " + n + "2!");
  }
}

// Each of the eight cars: its key, its player's track filled with its colour by the
// direction of the track, the player's other cars hidden, itself in place, the timer on.
TEST(SetupCars, eachCarFillsItsPlayersTrackAndStartsTheDriveOut) {
  struct Run {
    int von, bis;
    bool rechts;
  };
  const Run runs[] = {{0, 15, true}, {16, 26, false}, {27, 35, true}, {36, 45, false}};
  for (int spieler = 1; spieler <= 2; ++spieler) {
    for (int farbe = 0; farbe < FrmAuswahl::kFarben; ++farbe) {
      SCOPED_TRACE(::testing::Message() << kFarbWort[farbe] << spieler);
      SetupRun r;
      r.enterNames();
      if (spieler == 2) {
        r.clickCar(1, (farbe + 1) % FrmAuswahl::kFarben);
        r.driveOut();
      }
      FrmSpielfeld& b = r.board();
      auto track = [&](int sp, int i) -> Element& { return sp == 1 ? b.imgSpieler1(i) : b.imgSpieler2(i); };
      const Picture otherTrack = track(3 - spieler, 0).picture();
      const std::string boardBefore = snapshot(b);
      const int probes = r.h.pictures.probes;

      r.clickCar(spieler, farbe);

      FrmAuswahl& s = r.setup();
      EXPECT_EQ(s.GewaehltesAuto, kFarbWort[farbe] + std::to_string(spieler));
      EXPECT_EQ(r.h.pictures.probes - probes, FrmSpielfeld::kFelder) << "every field reads its file";
      for (const Run& run : runs)
        for (int i = run.von; i <= run.bis; ++i) {
          EXPECT_EQ(track(spieler, i).picture().kind, Picture::Kind::File) << i;
          EXPECT_EQ(track(spieler, i).picture().ref, r.carFile(farbe, run.rechts)) << i;
        }
      EXPECT_EQ(track(3 - spieler, 0).picture(), otherTrack) << "the other track is untouched";
      for (int f = 0; f < FrmAuswahl::kFarben; ++f) EXPECT_EQ(s.autoBild(spieler, f).Visible(), f == farbe) << f;
      EXPECT_EQ(s.autoBild(spieler, farbe).Left(), kStartLeft[farbe]);
      EXPECT_TRUE(s.tmrRausFahren.TimerEnabled());
      // The setup changes pictures on the board, never what shows or where.
      std::string boardAfter = snapshot(b);
      auto strip = [](std::string t) {
        std::string out;
        std::istringstream in(t);
        for (std::string line; std::getline(in, line);) out += line.substr(0, line.find(" pic=")) + "\n";
        return out;
      };
      EXPECT_EQ(strip(boardAfter), strip(boardBefore));
    }
  }
}

// A car picture file that cannot be read in the second game: its fields show the
// placeholder, not the first game's car; one warning per file, and the car still drives out.
TEST_F(SetupTest, unreadableCarPictureShowsPlaceholderInTheNextGameWarnsOnceAndGoesOn) {
  toCarTwo(2);  // game 1: red for player 1
  clickCar(2, 0);
  driveOut();
  ASSERT_FALSE(setupLoaded());
  h.pictures.missing = {carFile(1, true)};
  h.loop.then([&](ScriptLoop&) {
    enterNames("Carla", "Dirk");
    clickCar(1, 1);
    for (int i = 0; i < FrmSpielfeld::kFelder; ++i)
      EXPECT_EQ(board().imgSpieler1(i).picture(),
                track::facesRight(i) ? FrmSpielfeld::platzhalterAuto() : h.app.LoadPicture(carFile(1, false)))
          << "field " << i;
    ASSERT_EQ(h.warnings.size(), 1u);
    EXPECT_NE(h.warnings[0].find("gelbes auto rechts.gif"), std::string::npos) << h.warnings[0];
    EXPECT_EQ(h.loop.messages().size(), 0u) << "no message interrupts the players";
    EXPECT_EQ(setup().GewaehltesAuto, "gelb1");
    EXPECT_EQ(driveOut(), 49);
    clickCar(2, 0);
    driveOut();
  });
  FrmGewonnen& gewonnen = h.form<FrmGewonnen>();
  h.app.dispatch([&] { gewonnen.Show(); });
  h.app.click(gewonnen.cmdNeu);
  EXPECT_FALSE(setupLoaded());
}

}  // namespace
}  // namespace tj::testing
