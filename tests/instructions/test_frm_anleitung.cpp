// SPDX-License-Identifier: GPL-3.0-or-later
// The instructions screen in the scripted game.
#include <gtest/gtest.h>

#include <sstream>

#include "screens/all_screens.h"
#include "screens/board/frm_spielfeld.h"
#include "screens/instructions/frm_anleitung.h"
#include "screens/rich_document.h"
#include "stored_document.h"
#include "support/script_loop.h"

namespace tj::testing {
namespace {

// A board stand-in: the menu item that opens the instructions and the two die buttons,
// announced the way the board does on activation (a draw only while no game started).
struct BoardStandIn : Screen {
  explicit BoardStandIn(App& app)
      : Screen(app, "frmSpielfeld",
               WindowSpec{WindowSpec::Kind::Maximised, "", 15360, 11520, Color::buttonFace(), true, "", ""}),
        cmdWuerfel(add("cmdWuerfel", ElementKind::Button, 0, 0, 100, 100)),
        cmdWuerfeln2(add("cmdWuerfeln2", ElementKind::Button, 200, 0, 100, 100)) {
    addMenu(Menu{"Hilfe",
                 {MenuItem{"Anleitung", "Anleitung", [this] { this->app().forms.get("frmAnleitung").ShowModal(); }}}});
  }
  void Form_Activate() override {
    if (app().race.state().SpielGestartet == 0) {
      ++draws;
      app().race.markStarted();
    }
    cmdWuerfel.setVisible(SpielerAmZug == 1);
    cmdWuerfeln2.setVisible(SpielerAmZug != 1);
  }
  Element& cmdWuerfel;
  Element& cmdWuerfeln2;
  int SpielerAmZug = 2;
  int draws = 0;
};

struct Instructions : ::testing::Test {
  ScriptLoop loop;
  ScriptRandom random;
  FakePictures pictures;
  std::vector<std::string> warnings;
  int documentReads = 0;
  std::string stored = storedAnleitung();
  App app{services()};
  Services services() {
    Services s{loop,
               random,
               pictures,
               "/spiel",
               "/usr/share/tankjagd",
               [this](const std::string& w) { warnings.push_back(w); }};
    s.storedText = [this](const std::string& name) {
      ++documentReads;
      return name == FrmAnleitung::kDocument ? stored : std::string();
    };
    return s;
  }
  Instructions() {
    loop.attach(app);
    defineScreens(app.forms);
    app.forms.define("frmSpielfeld", [](App& a) { return std::make_unique<BoardStandIn>(a); });
  }
  BoardStandIn& board() { return static_cast<BoardStandIn&>(app.forms.get("frmSpielfeld")); }
  void showBoard() {
    app.dispatch([this] { board().Show(); });
  }
};

std::string snapshot(const GameState& g) {
  std::ostringstream s;
  s << g.NameSpieler1 << '|' << g.NameSpieler2 << '|' << Str(g.TankSpieler1) << '|' << Str(g.TankSpieler2) << '|'
    << Str(g.PositionSpieler1) << '|' << Str(g.PositionSpieler2) << '|' << Str(g.AussetzenSpieler1) << '|'
    << Str(g.AussetzenSpieler2) << '|' << g.AktiverSpieler << '|' << Str(g.BelohnungLeicht) << '|'
    << Str(g.BelohnungSchwer) << '|' << Str(g.SpielEnde) << '|' << Str(g.VerschiebungFeldSpieler1) << '|'
    << Str(g.VerschiebungFeldSpieler2) << '|' << Str(g.VerschiebungAktiv);
  return s.str();
}

void midGame(GameState& g) {
  g.NameSpieler1 = "Anna";
  g.NameSpieler2 = "Ben";
  g.TankSpieler1 = 7;
  g.TankSpieler2 = 3;
  g.PositionSpieler1 = 12;
  g.PositionSpieler2 = 19;
  g.AussetzenSpieler1 = kTrue;
  g.AktiverSpieler = "spieler1";
  g.BelohnungLeicht = 2;
  g.BelohnungSchwer = 4;
  g.VerschiebungFeldSpieler2 = 19;
  g.VerschiebungAktiv = kFalse;  // the cars stand apart
  g.SpielGestartet = 1;
}

std::string boardSnapshot(const BoardVars& b) {
  std::ostringstream s;
  for (Int16 v : {b.WurfSpieler1, b.WurfSpieler2, b.VerbrauchProFeld, b.SchritteSpieler1, b.SchritteSpieler2,
                  b.ZielFeld, b.SpielerAmZug, b.ErsterZugSpieler1, b.ErsterZugSpieler2})
    s << Str(v) << '|';
  return s.str();
}

// The same with the real board: its menu opens the instructions, and after "Ausblenden"
// its reactivation announces the same player, with every variable as it was.
TEST_F(Instructions, realBoardKeepsItsTurnAcrossTheInstructions) {
  app.forms.define("frmSpielfeld", [](App& a) { return std::make_unique<FrmSpielfeld>(a); });
  app.race.setView([this] { return &app.form<FrmSpielfeld>(); });
  auto& b = app.form<FrmSpielfeld>();
  BoardVars& v = app.race.vars();
  app.dispatch([&] { b.Show(); });
  for (int who : {1, 2}) {
    SCOPED_TRACE("player " + std::to_string(who) + " is due");
    midGame(app.race.state());
    app.dispatch([&] {
      v.SpielerAmZug = who;
      v.WurfSpieler1 = 4;
      v.ErsterZugSpieler1 = kTrue;
      b.SpielerReihenfolge();
    });
    const std::string before = snapshot(app.race.state()) + boardSnapshot(v);
    const int drawsBefore = random.draws;
    loop.menu("frmSpielfeld", "Anleitung").click("frmAnleitung", "cmdWeg");
    loop.drain();
    EXPECT_FALSE(app.forms.isLoaded("frmAnleitung"));
    EXPECT_EQ(snapshot(app.race.state()) + boardSnapshot(v), before);
    EXPECT_EQ(random.draws, drawsBefore) << "no new start player is drawn";
    EXPECT_EQ(b.cmdWuerfel.Visible(), who == 1);
    EXPECT_EQ(b.cmdWuerfeln2.Visible(), who == 2);
  }
}

// Activation marks the game as started, so the board's reactivation draws nobody.
TEST_F(Instructions, activationSetsSpielGestartet) {
  app.dispatch([this] { app.forms.get("frmAnleitung").Show(); });
  EXPECT_EQ(Str(app.race.state().SpielGestartet), "1");
}

// Each opening reads the stored document anew and starts from the designed layout.
TEST_F(Instructions, eachOpeningReadsTheDocumentAnew) {
  showBoard();
  for (int i = 0; i < 2; ++i) loop.menu("frmSpielfeld", "Anleitung").click("frmAnleitung", "cmdWeg");
  loop.drain();
  EXPECT_EQ(documentReads, 2);
  auto& f = app.form<FrmAnleitung>();
  ASSERT_TRUE(f.rtfAnleitung.document);
  EXPECT_EQ(f.rtfAnleitung.document->paragraphs.size(), 45u);
  EXPECT_EQ(f.window().title, "Spielanleitung");
}

// The light-yellow text stands out on the box's background.
TEST_F(Instructions, documentBackgroundContrastsWithTheText) {
  auto& f = app.form<FrmAnleitung>();
  const Color back = f.rtfAnleitung.BackColor();
  const Color text = f.rtfAnleitung.document->textColor;
  ASSERT_EQ(back.system, Color::System::None);
  auto luminance = [](const Color& c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; };
  EXPECT_GT(luminance(text) - luminance(back), 150);
}

// Without its stored document the screen still opens, with an empty box, and the
// maintainer gets one line.
TEST_F(Instructions, missingDocumentShowsAnEmptyBox) {
  stored.clear();
  showBoard();
  loop.menu("frmSpielfeld", "Anleitung").click("frmAnleitung", "cmdWeg");
  loop.drain();
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_FALSE(app.forms.isLoaded("frmAnleitung"));
}

}  // namespace
}  // namespace tj::testing
