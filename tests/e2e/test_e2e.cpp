// SPDX-License-Identifier: GPL-3.0-or-later
// One whole program run in the real Qt front end, clicked like a person: the countdown,
// the setup, turns with right and wrong answers, an action card, the instructions, the
// winner screen, "neues Spiel", a second setup and race, and "Ende". The program's loop
// must then end by itself with exit code 0.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTextBrowser>

#include "game/race.h"
#include "qt_driver.h"
#include "screens/board/frm_spielfeld.h"
#include "screens/question/frm_fragen.h"

namespace tj::testing {
namespace {

constexpr uint32_t kSeed = 7;

struct Players {
  QString one, two;
  const char* car1;  // the image clicked by player 1
  const char* car2;
  const char* file1;  // the picture its track shows, facing right
  const char* file2;
  const char* taken;  // player 1's colour among player 2's images
};

// What one race of the turn loop saw.
struct Tally {
  int rightAnswers = 0;
  int wrongAnswers = 0;
  int cards = 0;
  int skips = 0;
  int instructions = 0;
  int boardChecks = 0;
};

class EndToEnd {
 public:
  EndToEnd() : random_(kSeed), game_(TJ_BIN_DIR, &random_), d_(game_) {}

  int run() {
    countdown();
    setup({"Anna", "Jörg Müller", "imgAuto3SP1", "imgAuto1SP2", "rotes auto rechts.gif", "blaues auto rechts.gif",
           "imgAuto3SP2"},
          true);
    race(true);
    winnerAndNext("cmdNeu");
    setup({"Carla", "Dirk", "imgAuto2SP1", "imgAuto4SP2", "gelbes auto rechts.gif", "weisses auto rechts.gif",
           "imgAuto2SP2"},
          false);
    race(false);
    winnerAndNext("cmdEnde");
    return d_.run();
  }
  QtDriver& driver() { return d_; }
  Tally tally;

 private:
  App& app() { return game_.app(); }
  GameState& g() { return game_.app().g; }

  void countdown() {
    d_.waitText("frmStart", "lblStart", "Tank Jagd ");
    for (const char* n : {"3", "2", "1"}) d_.waitText("frmStart", "lblCountdown", n);
  }

  // Names (one confirmed with the button, one with Enter after an empty try), then the
  // cars; each drives out before the next choice shows.
  void setup(const Players& p, bool emptyNameTry) {
    d_.waitText("frmAuswahl", "lblAnweisung", "Bitte gib den Namen von Spieler 1 ein!");
    d_.check("Namensfeld leer und Weiter sichtbar", [] {
      return QtDriver::text("frmAuswahl", "txtName").empty() && QtDriver::shows("frmAuswahl", "cmdName1Weiter") &&
             !QtDriver::shows("frmAuswahl", "cmdName2Weiter");
    });
    d_.type("frmAuswahl", "txtName", p.one).click("frmAuswahl", "cmdName1Weiter");
    d_.waitText("frmAuswahl", "lblAnweisung", "Bitte gib den Namen von Spieler 2 ein!");
    if (emptyNameTry) d_.click("frmAuswahl", "cmdName2Weiter").ok("Bitte gib einen Namen ein!");
    d_.type("frmAuswahl", "txtName", p.two).pressReturn("frmAuswahl", "txtName");
    d_.waitText("frmAuswahl", "lblAnweisung", "Bitte wähle dein Auto aus, " + p.one.toStdString() + "!");
    d_.check("vier Autos für Spieler 1, keins für Spieler 2, kein Namensfeld", [] {
      int one = 0, two = 0;
      for (const char* c : {"imgAuto1SP1", "imgAuto2SP1", "imgAuto3SP1", "imgAuto4Sp1"}) one += QtDriver::shows("frmAuswahl", c);
      for (const char* c : {"imgAuto1SP2", "imgAuto2SP2", "imgAuto3SP2", "imgAuto4SP2"}) two += QtDriver::shows("frmAuswahl", c);
      return one == 4 && two == 0 && !QtDriver::shows("frmAuswahl", "txtName");
    });
    d_.click("frmAuswahl", p.car1);
    d_.waitText("frmAuswahl", "lblAnweisung", "Bitte wähle dein Auto aus, " + p.two.toStdString() + "!");
    d_.check("Spieler 2 sieht die drei übrigen Autos", [taken = p.taken] {
      int shown = 0;
      for (const char* c : {"imgAuto1SP2", "imgAuto2SP2", "imgAuto3SP2", "imgAuto4SP2"}) shown += QtDriver::shows("frmAuswahl", c);
      return shown == 3 && !QtDriver::shows("frmAuswahl", taken);
    });
    d_.click("frmAuswahl", p.car2);
    d_.when(
        "Brett oben, Auswahl fort", [] { return !QtDriver::window("frmAuswahl") && QtDriver::topScreen() == "frmSpielfeld"; },
        [] {});
    d_.check("Namen auf dem Brett", [p] { return QtDriver::text("frmSpielfeld", "lblSpieler1Name") == p.one.toStdString(); });
    d_.check("Brett: Namen, volle Tanks, beide Autos am Start in ihren Farben", [this, p] {
      FrmSpielfeld& b = app().form<FrmSpielfeld>();
      auto ends = [](const std::string& s, const std::string& e) { return s.size() >= e.size() && s.ends_with(e); };
      return QtDriver::text("frmSpielfeld", "lblSpieler2Name") == p.two.toStdString() &&
             QtDriver::text("frmSpielfeld", "lblTank") == "10" && QtDriver::text("frmSpielfeld", "lblTank2") == "10" &&
             QtDriver::shows("frmSpielfeld", "imgSpieler1(0)") && QtDriver::shows("frmSpielfeld", "imgSpieler2(0)") &&
             ends(b.imgSpieler1(0).picture().ref, p.file1) && ends(b.imgSpieler2(0).picture().ref, p.file2) &&
             !QtDriver::window("frmAuswahl");
    });
  }

  // Plays turns until the winner screen shows; the instructions once in the first race.
  void race(bool withInstructions) {
    d_.loop(
        "Züge bis zum Sieg", [] { return QtDriver::window("frmGewonnen") != nullptr; },
        [this, withInstructions] { turn(withInstructions); }, 120000);
  }

  void turn(bool withInstructions) {
    const std::string top = d_.topScreen();
    if (top == "frmSpielfeld") return board(withInstructions);
    if (top == "frmLevel") {
      (void)d_.clickNow(top, (tally.rightAnswers + tally.wrongAnswers) % 3 == 0 ? "cmdSchwer" : "cmdLeicht");
    } else if (top == "frmFragenLeicht" || top == "frmFragenSchwer") {
      question(top);
    } else if (top == "frmAktion") {
      card();
    } else if (top == "frmAussetzen") {
      skip();
    } else if (top == "frmAnleitung") {
      instructions();
    }
  }

  // The board as the players see it: names, fuel, one car per player where its position
  // says, the announced player's die button and no other.
  void board(bool withInstructions) {
    FrmSpielfeld& b = app().form<FrmSpielfeld>();
    ++tally.boardChecks;
    const bool one = b.SpielerAmZug == 1;
    const std::string name = one ? g().NameSpieler1 : g().NameSpieler2;
    if (QtDriver::text("frmSpielfeld", "lblAktiverSpieler") != name + " ist dran!") d_.fail("falscher Spieler angesagt");
    if (QtDriver::shows("frmSpielfeld", "cmdWuerfel") != one || QtDriver::shows("frmSpielfeld", "cmdWuerfeln2") == one)
      d_.fail("falscher Würfelknopf sichtbar");
    if (QtDriver::text("frmSpielfeld", "lblTank") != Str(g().TankSpieler1) ||
        QtDriver::text("frmSpielfeld", "lblTank2") != Str(g().TankSpieler2))
      d_.fail("Tankanzeige passt nicht zum Tank");
    carsShown(1, g().PositionSpieler1);
    carsShown(2, g().PositionSpieler2);
    if (withInstructions && tally.instructions == 0 && tally.boardChecks >= 4) {
      ++tally.instructions;
      QAction* a = QtDriver::window("frmSpielfeld")->findChild<QAction*>("Anleitung");
      if (!a) return d_.fail("Menüpunkt Anleitung fehlt");
      return a->trigger();
    }
    (void)d_.clickNow("frmSpielfeld", one ? "cmdWuerfel" : "cmdWuerfeln2");
  }

  void carsShown(int p, Int16 position) {
    const int want = race::shownField(position, 45);
    for (int i = 0; i < FrmSpielfeld::kFelder; ++i) {
      const std::string n = (p == 1 ? "imgSpieler1(" : "imgSpieler2(") + std::to_string(i) + ")";
      if (QtDriver::shows("frmSpielfeld", n) != (i == want))
        d_.fail("Auto von Spieler " + std::to_string(p) + ": Feld " + std::to_string(i) + " falsch gezeigt");
    }
  }

  // Every other question is answered wrong; the reward text and the disabled answers show.
  void question(const std::string& n) {
    if (QtDriver::shows(n, "cmdWeiter")) {
      (void)d_.clickNow(n, "cmdWeiter");
      return;
    }
    auto& q = static_cast<FrmFragen&>(app().forms.get(n));
    const int right = q.RichtigeAntwort.value();
    const bool answerRight = tally.rightAnswers <= tally.wrongAnswers;
    const int answer = answerRight ? right : (right + 1) % 4;
    if (QtDriver::text(n, "lblFrage").empty()) d_.fail("Frage ohne Text");
    if (!d_.clickNow(n, "cmdAntwort(" + std::to_string(answer) + ")")) return d_.fail("Antwort nicht klickbar");
    (answerRight ? tally.rightAnswers : tally.wrongAnswers) += 1;
    const std::string reward = n == "frmFragenLeicht" ? "2" : "4";
    const std::string expected = answerRight ? "Super gemacht! Du erhällst " + reward + " Tankpunkte. Weiter so!!!"
                                             : "Schade, du erhällst leider keine Tankpunkte";
    if (QtDriver::text(n, "lblTankbelohnung") != expected) d_.fail("Belohnungstext: " + QtDriver::text(n, "lblTankbelohnung"));
    if (QtDriver::text(n, "cmdWeiter") != "weiter spielen!") d_.fail("kein \"weiter spielen!\"");
    for (int i = 0; i < 4; ++i)
      if (QtDriver::widget(n, "cmdAntwort(" + std::to_string(i) + ")")->isEnabled()) d_.fail("Antwort noch klickbar");
  }

  void card() {
    ++tally.cards;
    auto* frame = QtDriver::widget("frmAktion", "frmAktion");
    if (!frame || frame->accessibleName() != "AAAAND ACTION!!!") d_.fail("Karte ohne Rahmen");
    if (QtDriver::text("frmAktion", "lblAktion").empty() || QtDriver::text("frmAktion", "lblAktionstxt").empty())
      d_.fail("Karte ohne Titel oder Text");
    if (QtDriver::shows("frmAktion", "lblEreignis") || QtDriver::shows("frmAktion", "lblBildnr"))
      d_.fail("Kartenkürzel sichtbar");
    (void)d_.clickNow("frmAktion", "cmdWeiter");
  }

  void skip() {
    ++tally.skips;
    const FrmSpielfeld& b = app().form<FrmSpielfeld>();
    const std::string name = b.SpielerAmZug == 1 ? g().NameSpieler1 : g().NameSpieler2;
    if (QtDriver::text("frmAussetzen", "lblHeadline") != "Einmal aussetzen " + name + " !") d_.fail("Aussetzen-Text");
    (void)d_.clickNow("frmAussetzen", "cmdWeiter");
  }

  void instructions() {
    auto* text = QtDriver::widgetAs<QTextBrowser>("frmAnleitung", "rtfAnleitung");
    if (!text || !text->toPlainText().contains("Tank")) d_.fail("Anleitung ohne Text");
    if (QtDriver::window("frmAnleitung")->windowTitle() != "Spielanleitung") d_.fail("Anleitung ohne Titel");
    if (QtDriver::text("frmAnleitung", "cmdWeg") != "Ausblenden") d_.fail("kein \"Ausblenden\"");
    (void)d_.clickNow("frmAnleitung", "cmdWeg");
  }

  // The winner screen names the player at the goal; then "neues Spiel" or "Ende".
  void winnerAndNext(const char* button) {
    d_.check("Sieger angesagt", [this] {
      const std::string winner = g().PositionSpieler1 >= 45 ? g().NameSpieler1 : g().NameSpieler2;
      return QtDriver::text("frmGewonnen", "lblGewonnen") == "Super " + winner + ", DU hast GEWONNEN !" &&
             QtDriver::text("frmGewonnen", "lblWeiter") == "Möchtet ihr weiter spielen?" &&
             QtDriver::text("frmGewonnen", "cmdNeu") == "neues Spiel" && QtDriver::text("frmGewonnen", "cmdEnde") == "Ende";
    });
    d_.click("frmGewonnen", button);
  }

  SeededRandom random_;
  RealGame game_;
  QtDriver d_;
};

TEST(EndToEnd, wholeProgramByClicksEndsWithExitCodeZero) {
  EndToEnd e2e;
  const int code = e2e.run();
  EXPECT_EQ(code, 0) << "QApplication::exec() returns 0 once the program has ended";
  for (const std::string& f : e2e.driver().failures()) ADD_FAILURE() << f;
  EXPECT_TRUE(e2e.driver().game().app().ended());
  EXPECT_FALSE(e2e.driver().game().app().forms.anyLoaded());
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  EXPECT_GT(e2e.tally.rightAnswers, 0);
  EXPECT_GT(e2e.tally.wrongAnswers, 0);
  EXPECT_GT(e2e.tally.cards, 0) << "the seed gives at least one action card";
  EXPECT_EQ(e2e.tally.instructions, 1);
  EXPECT_EQ(e2e.driver().messages(), std::vector<std::string>{"Bitte gib einen Namen ein!"});
  std::cout << "richtig " << e2e.tally.rightAnswers << ", falsch " << e2e.tally.wrongAnswers << ", Karten "
            << e2e.tally.cards << ", Aussetzen " << e2e.tally.skips << ", Brett geprüft " << e2e.tally.boardChecks
            << '\n';
}

}  // namespace
}  // namespace tj::testing
