// SPDX-License-Identifier: GPL-3.0-or-later
// Player setup: the drive-out of the chosen car and the hand-over to the board.
#include <gtest/gtest.h>

#include "screens/start/frm_start.h"
#include "test_setup_support.h"

namespace tj::testing {
namespace {

// Each car drives 200 twips left per tick until its right edge is at or left of the
// screen's edge: blue 44, yellow 49, red 39, white 34 ticks, for either player.
TEST(SetupDriveOut, ticksToLeaveTheScreenPerColour) {
  const int expected[FrmAuswahl::kFarben] = {44, 49, 39, 34};
  for (int spieler = 1; spieler <= 2; ++spieler) {
    for (int farbe = 0; farbe < FrmAuswahl::kFarben; ++farbe) {
      SCOPED_TRACE(::testing::Message() << kFarbWort[farbe] << spieler);
      SetupRun r;
      if (spieler == 2) r.toCarTwo((farbe + 1) % FrmAuswahl::kFarben);
      else r.enterNames();
      r.clickCar(spieler, farbe);
      Element& car = r.setup().autoBild(spieler, farbe);
      for (int n = 1; n < expected[farbe]; ++n) {
        r.h.app.tick(r.setup().tmrRausFahren);
        ASSERT_TRUE(car.Visible()) << "left the screen early, after tick " << n;
        ASSERT_EQ(car.Left(), kStartLeft[farbe] - 200.0f * static_cast<float>(n));
        ASSERT_EQ(car.Top(), kStartTop[farbe]);
        ASSERT_EQ(car.Width(), track::kCarWidth);
      }
      ASSERT_GT(car.Left() + car.Width(), 0);
      if (spieler == 1) {
        r.h.app.tick(r.setup().tmrRausFahren);
        EXPECT_FALSE(car.Visible());
        EXPECT_FALSE(r.setup().tmrRausFahren.TimerEnabled());
        EXPECT_LE(car.Left() + car.Width(), 0);
        EXPECT_GT(car.Left() + car.Width(), -200);
      } else {
        r.h.app.tick(r.setup().tmrRausFahren);
        EXPECT_FALSE(r.setupLoaded()) << "player 2's drive-out ends with the hand-over";
      }
    }
  }
}

// The end test reads Left + Width after the step: a sum of exactly 0 ends the drive-out,
// any positive sum lets the car go on.
TEST(SetupDriveOut, rightEdgeExactlyAtTheScreenEdgeEndsTheDriveOut) {
  struct Case {
    float leftBefore;
    bool ends;
  };
  for (Case c : {Case{-864, false}, Case{-865, true}, Case{-760, false}, Case{-1000, true}}) {
    SCOPED_TRACE(c.leftBefore);
    SetupRun r;
    r.enterNames();
    r.clickCar(1, 3);
    Element& white = r.setup().imgAuto4Sp1;
    white.setLeft(c.leftBefore);
    r.h.app.tick(r.setup().tmrRausFahren);
    EXPECT_EQ(white.Left(), c.leftBefore - 200);
    EXPECT_EQ(white.Visible(), !c.ends);
    EXPECT_EQ(r.setup().tmrRausFahren.TimerEnabled(), !c.ends);
    EXPECT_EQ(r.setup().autoBild(2, 0).Visible(), c.ends);
  }
}

// The white car of player 1 from its place: after 33 ticks Left is -960 (sum 105) and it
// goes on; the 34th tick brings it to -1160 and ends the drive-out.
TEST_F(SetupTest, whiteCarEndsOnItsThirtyFourthTick) {
  enterNames();
  clickCar(1, 3);
  Element& car = setup().imgAuto4Sp1;
  for (int n = 0; n < 33; ++n) h.app.tick(setup().tmrRausFahren);
  EXPECT_EQ(car.Left(), -960);
  EXPECT_TRUE(car.Visible());
  h.app.tick(setup().tmrRausFahren);
  EXPECT_EQ(car.Left(), -1160);
  EXPECT_FALSE(car.Visible());
}

// Only the eight exact keys move a car; any other key makes a tick do nothing.
TEST_F(SetupTest, tickWithAnUnknownKeyChangesNothing) {
  enterNames();
  clickCar(1, 0);
  h.app.tick(setup().tmrRausFahren);
  for (const char* key : {"Rot1", "", "blau3", "blau", "blau1 ", "BLAU1", "rot 1", "weiß1"}) {
    SCOPED_TRACE(key);
    setup().GewaehltesAuto = key;
    const std::string before = snapshot(setup());
    const std::string boardBefore = snapshot(board());
    h.app.tick(setup().tmrRausFahren);
    EXPECT_EQ(snapshot(setup()), before);
    EXPECT_EQ(snapshot(board()), boardBefore);
    EXPECT_EQ(setup().GewaehltesAuto, key);
  }
}

// A click on the moving car runs its handler again: pictures loaded again, same key,
// timer on, and the car drives on from where it is.
TEST_F(SetupTest, clickOnTheMovingCarLetsItDriveOnFromWhereItIs) {
  enterNames();
  clickCar(1, 0);
  for (int n = 0; n < 5; ++n) h.app.tick(setup().tmrRausFahren);
  Element& car = setup().imgAuto1SP1;
  ASSERT_EQ(car.Left(), 6680);
  const int probes = h.pictures.probes;
  clickCar(1, 0);
  EXPECT_EQ(h.pictures.probes - probes, FrmSpielfeld::kFelder);
  EXPECT_EQ(setup().GewaehltesAuto, "blau1");
  EXPECT_EQ(car.Left(), 6680);
  EXPECT_TRUE(setup().tmrRausFahren.TimerEnabled());
  for (int f = 1; f < FrmAuswahl::kFarben; ++f) EXPECT_FALSE(setup().autoBild(1, f).Visible());
  h.app.tick(setup().tmrRausFahren);
  EXPECT_EQ(car.Left(), 6480);
  EXPECT_EQ(driveOut() + 6, 44) << "the click adds no ticks";
}

// After player 1's drive-out, player 2 sees the three other colours at their places and
// the instruction names player 2; player 1's taken colour is not offered.
TEST(SetupDriveOut, playerTwoIsOfferedOnlyTheOtherThreeColours) {
  for (int taken = 0; taken < FrmAuswahl::kFarben; ++taken) {
    SCOPED_TRACE(kFarbWort[taken]);
    SetupRun r;
    r.toCarTwo(taken);
    FrmAuswahl& s = r.setup();
    for (int f = 0; f < FrmAuswahl::kFarben; ++f) {
      EXPECT_FALSE(s.autoBild(1, f).Visible()) << f;
      EXPECT_EQ(s.autoBild(2, f).Visible(), f != taken) << f;
      EXPECT_EQ(s.autoBild(2, f).Left(), kStartLeft[f]) << f;
      EXPECT_EQ(s.autoBild(2, f).Top(), kStartTop[f]) << f;
      if (f == taken) {
        EXPECT_FALSE(r.h.app.click(s.autoBild(2, f))) << "the taken car cannot be clicked";
      }
    }
    EXPECT_EQ(s.lblAnweisung.Caption(), "Bitte wähle dein Auto aus, Ben!");
    EXPECT_FALSE(s.tmrRausFahren.TimerEnabled());
    EXPECT_EQ(s.GewaehltesAuto, std::string(kFarbWort[taken]) + "1") << "kept until player 2 clicks";
  }
}

// The end of player 2's drive-out: every car hidden, setup hidden, board shown, setup
// unloaded; names and track pictures are untouched by the drive-out itself.
TEST_F(SetupTest, playerTwosDriveOutHandsOverToTheBoard) {
  toCarTwo(2);
  clickCar(2, 0);
  const std::string tracks = [&] {
    std::string t;
    for (int i = 0; i < FrmSpielfeld::kFelder; ++i)
      t += board().imgSpieler1(i).picture().ref + "|" + board().imgSpieler2(i).picture().ref + "\n";
    return t;
  }();
  for (int n = 0; n < 43; ++n) h.app.tick(setup().tmrRausFahren);
  EXPECT_TRUE(setupLoaded());
  EXPECT_FALSE(board().Visible());
  h.app.tick(setup().tmrRausFahren);
  EXPECT_FALSE(setupLoaded());
  EXPECT_TRUE(board().Visible());
  EXPECT_EQ(h.app.forms.top(), &board());
  EXPECT_EQ(h.g().SpielGestartet, 1) << "showing the board activated it";
  EXPECT_EQ(h.g().NameSpieler1, "Anna");
  EXPECT_EQ(h.g().NameSpieler2, "Ben");
  std::string after;
  for (int i = 0; i < FrmSpielfeld::kFelder; ++i)
    after += board().imgSpieler1(i).picture().ref + "|" + board().imgSpieler2(i).picture().ref + "\n";
  EXPECT_EQ(after, tracks);
  // A new game loads the setup afresh: name 1, all cars back in their places.
  FrmAuswahl& fresh = setup();
  EXPECT_EQ(fresh.lblAnweisung.Caption(), "Bitte gib den Namen von Spieler 1 ein!");
  EXPECT_EQ(fresh.GewaehltesAuto, "");
  EXPECT_EQ(fresh.imgAuto1SP2.Left(), 7680);
}

// The whole first setup as players do it, from program start: the countdown opens the
// setup; two names (one by click, one by Enter), two cars, both drive out on the 10 ms
// timer; then the board is visible with the first turn announced, the setup unloaded
// and the start screen gone.
TEST(SetupScript, wholeSetupFromTheCountdownToTheBoard) {
  Harness h;
  h.random.queue({0.7f});  // the board's draw of the start player: player 2
  ScriptLoop& s = h.loop;
  auto visible = [&](const char* screen, const char* element) {
    return [&h, screen, element] {
      Element* e = h.loop.element(screen, element);
      return e && e->Visible();
    };
  };
  int64_t carOneClicked = 0;
  int64_t carTwoClicked = 0;
  int64_t carOneGone = 0;
  s.wait(4000);  // the tick at 4000 ms opens the setup modally; the next steps run inside it
  s.then([&](ScriptLoop& l) {
    EXPECT_EQ(l.now(), 4000);
    EXPECT_TRUE(h.form<FrmAuswahl>().isModal());
    EXPECT_TRUE(h.app.forms.isLoaded(FrmStart::kName));
  });
  s.type("frmAuswahl", "txtName", "Jürgen").click("frmAuswahl", "cmdName1Weiter");
  s.type("frmAuswahl", "txtName", "Ayşe").key("frmAuswahl", "txtName", 13);
  s.then([&](ScriptLoop& l) { carOneClicked = l.now(); }).click("frmAuswahl", "imgAuto3SP1");
  s.waitUntil(visible("frmAuswahl", "imgAuto1SP2"), 1000, "player 2's cars");
  s.then([&](ScriptLoop& l) {
    carOneGone = l.now();
    EXPECT_EQ(h.form<FrmAuswahl>().lblAnweisung.Caption(), "Bitte wähle dein Auto aus, Ayşe!");
    EXPECT_FALSE(h.form<FrmAuswahl>().imgAuto3SP2.Visible());
  });
  s.then([&](ScriptLoop& l) { carTwoClicked = l.now(); }).click("frmAuswahl", "imgAuto4SP2");
  s.waitUntil([&] { return h.app.forms.isLoaded(FrmSpielfeld::kName) && h.form<FrmSpielfeld>().Visible(); }, 1000,
              "board shown");
  s.then([&](ScriptLoop& l) {
    EXPECT_EQ(l.now() - carTwoClicked, 340) << "white: 34 ticks of 10 ms";
    EXPECT_FALSE(h.app.forms.isLoaded(FrmAuswahl::kName));
    EXPECT_FALSE(h.app.forms.isLoaded(FrmStart::kName));
    FrmSpielfeld& b = h.form<FrmSpielfeld>();
    EXPECT_EQ(b.lblSpieler1Name.Caption(), "Jürgen");
    EXPECT_EQ(b.lblSpieler2Name.Caption(), "Ayşe");
    EXPECT_EQ(b.lblAktiverSpieler.Caption(), "Ayşe ist dran!");
    EXPECT_TRUE(b.cmdWuerfeln2.Visible());
    EXPECT_FALSE(b.cmdWuerfel.Visible());
    EXPECT_EQ(b.imgSpieler1(0).picture().ref, h.app.AppPath("\\autos\\rotes auto rechts.gif"));
    EXPECT_EQ(b.imgSpieler2(45).picture().ref, h.app.AppPath("\\autos\\weisses auto links.gif"));
    l.app().dispatch([&] { l.app().forms.UnloadForms(); });
  });
  s.runMain();
  EXPECT_EQ(carOneGone - carOneClicked, 390) << "red: 39 ticks of 10 ms";
  EXPECT_EQ(h.g().NameSpieler1, "Jürgen");
  EXPECT_EQ(h.g().NameSpieler2, "Ayşe");
  EXPECT_TRUE(h.app.ended());
}

}  // namespace
}  // namespace tj::testing
