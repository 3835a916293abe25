// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/race.h"
#include "screens/board/frm_spielfeld.h"
#include "support/harness.h"

namespace tj::testing {

// What the stand-ins saw: which dialogs were loaded, in order.
struct StandInLog {
  std::vector<std::string> loads;
  std::vector<std::pair<std::string, std::string>> names{{"Anna", "Bert"}};  // one pair per setup
  int setups = 0;
};

// A dialog with one button "cmdOk" that marks the game as started and unloads itself.
struct DialogStandIn : Screen {
  DialogStandIn(App& app, const std::string& name, StandInLog& log) : Screen(app, name, WindowSpec{}), log(log) {
    add("cmdOk", ElementKind::Button, 0, 0, 10, 10, "OK").Click = [this] { ok(); };
  }
  void Form_Load() override { log.loads.push_back(name()); }
  void ok() {
    app().race.markStarted();
    Unload();
  }
  StandInLog& log;
};

// A setup screen: "cmdFertig" gives the race the next pair of names and red and blue cars,
// hides itself, hands over to the board and unloads.
struct SetupStandIn : Screen {
  SetupStandIn(App& app, StandInLog& log) : Screen(app, "frmAuswahl", WindowSpec{}), log(log) {
    add("cmdFertig", ElementKind::Button, 0, 0, 10, 10, "Fertig").Click = [this] { fertig(); };
  }
  void Form_Load() override { log.loads.push_back(name()); }
  void fertig() {
    const auto& [n1, n2] = log.names.at(static_cast<std::size_t>(log.setups) % log.names.size());
    ++log.setups;
    RaceGame& race = app().race;
    race.setName(1, n1);
    race.setName(2, n2);
    race.chooseCar(1, 2);
    race.chooseCar(2, 0);
    Hide();
    race.setupDone();
    Unload();
  }
  StandInLog& log;
};

// A harness whose level, card and setup screens are stand-ins.
struct BoardHarness : Harness {
  std::shared_ptr<StandInLog> log = std::make_shared<StandInLog>();
  BoardHarness() {
    for (const char* n : {"frmLevel", "frmAktion", "frmAnleitung"})
      app.forms.define(n, [l = log, n](App& a) { return std::make_unique<DialogStandIn>(a, n, *l); });
    app.forms.define("frmAuswahl", [l = log](App& a) { return std::make_unique<SetupStandIn>(a, *l); });
  }
  FrmSpielfeld& board() { return form<FrmSpielfeld>(); }
  // The setup runs over nothing and hands over to the board; `r` draws the start player.
  void startGame(float r) {
    random.queue({r});
    app.dispatch([this] { app.forms.get("frmAuswahl").Show(); });
    loop.click("frmAuswahl", "cmdFertig");
    loop.drain();
  }
  int count(const std::string& screen) const {
    return static_cast<int>(std::count(log->loads.begin(), log->loads.end(), screen));
  }
  // Puts player `p`'s car on `field` the way a move leaves it (only that picture visible).
  void place(int p, int position) {
    FrmSpielfeld& b = board();
    Int16& pos = p == 1 ? g().PositionSpieler1 : g().PositionSpieler2;
    for (int i = 0; i < FrmSpielfeld::kFelder; ++i) (p == 1 ? b.imgSpieler1(i) : b.imgSpieler2(i)).setVisible(false);
    pos = position;
    const int f = race::shownField(pos, v().ZielFeld);
    (p == 1 ? b.imgSpieler1(f) : b.imgSpieler2(f)).setVisible(true);
  }
};

// The fields whose pictures of one player are visible.
inline std::vector<int> visibleCars(FrmSpielfeld& b, int p) {
  std::vector<int> out;
  for (int i = 0; i < FrmSpielfeld::kFelder; ++i)
    if ((p == 1 ? b.imgSpieler1(i) : b.imgSpieler2(i)).Visible()) out.push_back(i);
  return out;
}

}  // namespace tj::testing
