// SPDX-License-Identifier: GPL-3.0-or-later
// Player setup: the drive-out of the chosen car and the hand-over to the board.
#include <gtest/gtest.h>

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
      if (spieler == 2)
        r.toCarTwo((farbe + 1) % FrmAuswahl::kFarben);
      else
        r.enterNames();
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
  // A screen reader names each car on the board by its player: player 1 drives red, player 2 blue.
  int named[2] = {0, 0};
  for (const auto& e : h.app.forms.get(FrmSpielfeld::kName).elements()) {
    for (const int spieler : {1, 2}) {
      if (e->accessibleName != "Auto Spieler " + std::to_string(spieler)) continue;
      ++named[spieler - 1];
      EXPECT_NE(e->picture().ref.find(kFarbDatei[spieler == 1 ? 2 : 0]), std::string::npos) << e->name();
    }
  }
  EXPECT_GT(named[0], 0);
  EXPECT_EQ(named[0], named[1]);
  // A new game loads the setup afresh: name 1, all cars back in their places.
  FrmAuswahl& fresh = setup();
  EXPECT_EQ(fresh.lblAnweisung.Caption(), "Bitte gib den Namen von Spieler 1 ein!");
  EXPECT_EQ(fresh.GewaehltesAuto, "");
  EXPECT_EQ(fresh.imgAuto1SP2.Left(), 7680);
}

}  // namespace
}  // namespace tj::testing
