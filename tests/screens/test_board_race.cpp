// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>

#include "test_board_support.h"

namespace tj::testing {
namespace {

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


// Plays the real screens: the setup (names, cars, drive-outs), the level choice ("Schwer"),
// the right answer of every question, every action card; "neues Spiel" once, then "Ende".
struct RealPlayer {
  Harness& h;
  int games;
  int won = 0;
  int clicks = 0;
  std::vector<std::string> winners;
  std::map<std::string, int> dialogs;

  bool visible(ScriptLoop& s, const std::string& screen, const std::string& e) {
    Element* el = s.element(screen, e);
    return el && el->Visible() && el->Enabled();
  }
  bool operator()(ScriptLoop& s) {
    if (++clicks > 20000) return false;
    Screen* top = s.app().forms.top();
    if (!top) return false;
    const std::string n = top->name();
    if (n == "frmStart") {
      s.advance(1000);
      return true;
    }
    if (n == "frmAuswahl") {
      Element* timer = s.element(n, "tmrRausFahren");
      if (timer && timer->TimerEnabled()) {
        s.advance(10);
        return true;
      }
      if (visible(s, n, "cmdName1Weiter")) {
        s.app().typeText(*s.element(n, "txtName"), won == 0 ? "Anna" : "Carla");
        return s.tryClick(n, "cmdName1Weiter");
      }
      if (visible(s, n, "cmdName2Weiter")) {
        s.app().typeText(*s.element(n, "txtName"), won == 0 ? "Bert" : "Dirk");
        return s.tryClick(n, "cmdName2Weiter");
      }
      for (const auto& e : top->elements())
        if (e->kind() == ElementKind::Picture && e->Click && s.tryClick(n, e->name())) return true;
      return false;
    }
    if (n == "frmSpielfeld") {
      Element* w1 = s.element(n, "cmdWuerfel");
      return s.tryClick(n, w1->Visible() ? "cmdWuerfel" : "cmdWuerfeln2");
    }
    if (n == "frmGewonnen") {
      winners.push_back(s.element(n, "lblGewonnen")->Caption());
      return s.tryClick(n, ++won < games ? "cmdNeu" : "cmdEnde");
    }
    if (n == "frmLevel") return s.tryClick(n, "cmdSchwer");
    if (n == "frmFragenLeicht" || n == "frmFragenSchwer") {
      for (int i = 0; i < 4; ++i) {
        const std::string b = "cmdAntwort(" + std::to_string(i) + ")";
        if (visible(s, n, b) && s.element(n, b)->Caption() == "richtig") return s.tryClick(n, b);
      }
      return s.tryClick(n, "cmdWeiter");
    }
    if (n == "frmAktion" || n == "frmAussetzen") ++dialogs[n];
    if (n == "frmAktion" || n == "frmAussetzen") return s.tryClick(n, "cmdWeiter");
    return false;
  }
};

// The whole program with every real screen: two races to the winner screen, a new setup
// in between, "Ende" after the second, and no screen left loaded.
TEST(WholeRace, realScreensTwoRacesThenEnd) {
  BoardHarness h;  // only for the check below; its stand-ins are replaced by the real screens
  defineScreens(h.app.forms);
  const std::vector<std::vector<std::string>> questions{{"Frage?", "falsch1", "falsch2", "falsch3", "richtig"}};
  for (const char* t : {"tabFragen_leicht", "tabFragen_schwer"})
    h.tables[t] = [t, questions] {
      data::TableSnapshot snap{{"Frage", "Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"}, {}};
      for (const auto& r : questions)
        for (const auto& c : r) snap.cells.emplace_back(c);
      return data::Recordset("test.mdb", t, std::move(snap));
    };
  h.tables["tabAktion"] = [] {
    data::TableSnapshot snap{{"Aktionskürzel", "Aktion", "Aktionstext", "Bildnr"}, {}};
    for (const char* code : {"+10L", "-5L", "+2", "-4", "P"})
      for (const std::string c : {std::string(code), std::string("Titel"), std::string("Text"), std::string("1")})
        snap.cells.emplace_back(c);
    return data::Recordset("test.mdb", "tabAktion", std::move(snap));
  };
  h.loop.autoOk = true;
  RealPlayer player{h, 2};
  h.loop.agent = [&](ScriptLoop& s) { return player(s); };
  h.loop.afterEach = [&] { checkBoard(h); };
  h.loop.runMain();
  EXPECT_TRUE(h.app.ended());
  ASSERT_EQ(player.winners.size(), 2u);
  EXPECT_GT(player.clicks, 100) << "both setups and dozens of turns were played";
  EXPECT_TRUE(player.winners[0] == "Super Anna, DU hast GEWONNEN !" || player.winners[0] == "Super Bert, DU hast GEWONNEN !")
      << player.winners[0];
  EXPECT_TRUE(player.winners[1] == "Super Carla, DU hast GEWONNEN !" || player.winners[1] == "Super Dirk, DU hast GEWONNEN !")
      << player.winners[1];
}

}  // namespace
}  // namespace tj::testing
