// SPDX-License-Identifier: GPL-3.0-or-later
// What the setup tests share: the setup screen shown over a loaded app, the actions a
// player takes on it, and a printable snapshot of a screen to compare whole states.
#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "screens/board/frm_spielfeld.h"
#include "screens/setup/frm_auswahl.h"
#include "support/harness.h"

namespace tj::testing {

// Every element's drawn state, one line each, and whether the screen shows.
inline std::string snapshot(const Screen& s) {
  std::ostringstream o;
  for (const auto& e : s.elements())
    o << e->name() << " '" << e->Caption() << "' vis=" << e->Visible() << " en=" << e->Enabled() << " @" << e->Left()
      << "," << e->Top() << " " << e->Width() << "x" << e->Height() << " pic=" << e->picture().ref
      << " timer=" << e->TimerEnabled() << "\n";
  o << "visible=" << s.Visible() << "\n";
  return o.str();
}

inline const char* const kFarbWort[FrmAuswahl::kFarben] = {"blau", "gelb", "rot", "weiss"};
inline const char* const kFarbDatei[FrmAuswahl::kFarben] = {"blaues auto", "gelbes auto", "rotes auto", "weisses auto"};
inline constexpr float kStartLeft[FrmAuswahl::kFarben] = {7680, 8640, 6600, 5640};
inline constexpr float kStartTop[FrmAuswahl::kFarben] = {4440, 3480, 5400, 6360};

// An action a person could not take (hidden, disabled or covered element): the test stops.
struct Impossible : std::logic_error {
  using std::logic_error::logic_error;
};

// The setup screen shown (modeless) in a scripted app with every screen defined.
struct SetupRun {
  Harness h;
  FrmAuswahl& setup() { return h.form<FrmAuswahl>(); }
  FrmSpielfeld& board() { return h.form<FrmSpielfeld>(); }
  bool boardLoaded() { return h.app.forms.isLoaded(FrmSpielfeld::kName); }
  bool setupLoaded() { return h.app.forms.isLoaded(FrmAuswahl::kName); }

  SetupRun() {
    h.app.dispatch([this] { setup().Show(); });
  }

  // A person types `name` into the name box (replacing its text).
  void type(const std::string& name) {
    if (!h.app.typeText(setup().nameBox(), name)) throw Impossible("name box unusable");
  }
  // Confirms the name box by the visible "Weiter" button, or by Enter.
  void confirm(int spieler, bool byEnter) {
    if (byEnter) {
      if (!h.app.pressKey(setup().nameBox(), 13)) throw Impossible("Enter in the name box impossible");
    } else {
      Element& b = spieler == 1 ? setup().cmdName1Weiter : setup().cmdName2Weiter;
      if (!h.app.click(b)) throw Impossible(b.name() + " not clickable");
    }
  }
  void enterName(int spieler, const std::string& name, bool byEnter = false) {
    type(name);
    confirm(spieler, byEnter);
  }
  void enterNames(const std::string& a = "Anna", const std::string& b = "Ben") {
    enterName(1, a);
    enterName(2, b);
  }
  void clickCar(int spieler, int farbe) {
    Element& car = setup().autoBild(spieler, farbe);
    if (!h.app.click(car)) throw Impossible(car.name() + " not clickable");
  }
  // Ticks the drive-out timer while it runs; returns the number of ticks (at most `limit`).
  int driveOut(int limit = 1000) {
    int ticks = 0;
    while (ticks < limit && setupLoaded() && setup().tmrRausFahren.TimerEnabled()) {
      h.app.tick(setup().tmrRausFahren);
      ++ticks;
    }
    return ticks;
  }
  // Player 1's car `farbe` chosen and driven out: player 2's choice is on screen.
  void toCarTwo(int farbe = 2) {
    enterNames();
    clickCar(1, farbe);
    driveOut();
  }
  std::string carFile(int farbe, bool rechts) {
    return h.app.AppPath(std::string("\\autos\\") + kFarbDatei[farbe] + (rechts ? " rechts.gif" : " links.gif"));
  }
};

struct SetupTest : ::testing::Test, SetupRun {};

}  // namespace tj::testing
