// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-game soak: random but legal players play complete games through every real screen
// and the shipped question database; after every event the board's invariants are checked.
//
//   test_soak <games>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "game/race.h"
#include "screens/all_screens.h"
#include "screens/board/frm_spielfeld.h"
#include "screens/question/frm_fragen.h"
#include "screens/setup/frm_auswahl.h"
#include "support/script_loop.h"

namespace tj::testing {
namespace {

uint64_t gGames = 300;

// A broken invariant. No std::exception: no handler of the game may swallow it.
struct SoakFailure {
  std::string message;
};

// Names a player may type: umlauts, blanks only, emoji, markup, quotes, very long.
std::string randomName(std::mt19937& rnd) {
  static const std::vector<std::string> fixed{"Anna",       "Jörg Müller", "   ",       "🚗💨 Flitzer",    "<b>fett</b>",
                                              "&amp; &lt;", "%s %n {0}",   "Tab\tName", "\\autos\\..\\x"};
  static const std::vector<std::string> pieces{"a", "Z", "ä", "ß", " ", "😀", "<", ">", "&", "€", "9", "\xc3\xa9"};
  std::uniform_int_distribution<int> kind(0, 9);
  const int k = kind(rnd);
  if (k < 6) return fixed[std::uniform_int_distribution<std::size_t>(0, fixed.size() - 1)(rnd)];
  const std::size_t len = k == 9 ? 300 + rnd() % 700 : 1 + rnd() % 24;
  std::string name;
  for (std::size_t i = 0; i < len; ++i) name += pieces[rnd() % pieces.size()];
  return name;
}

struct Counts {
  uint64_t games = 0;  // won or ended by "Beenden" from the board's menu
  uint64_t cards = 0;
};

// One run of the program: from the countdown until "Ende", "Beenden" or a closed window.
class SoakRun {
 public:
  SoakRun(uint32_t seed, Counts& counts) : agentRnd_(seed ^ 0x9e3779b9u), counts_(counts), app_(services()) {
    random_.state = seed;  // the game's generator: a failing run can be replayed from its seed
    loop_.attach(app_);
    defineScreens(app_.forms);
    loop_.autoOk = true;
    // The loop checks after its own ticks; the agent's actions are checked here.
    loop_.agent = [this](ScriptLoop& s) {
      const bool acted = act(s);
      check();
      return acted;
    };
    loop_.afterEach = [this] { check(); };
  }

  void run(uint64_t gamesWanted) {
    gamesWanted_ = gamesWanted;
    loop_.runMain();
    if (app_.forms.anyLoaded()) fail("das Programm ist zu Ende, aber ein Bildschirm ist noch geladen");
    check();
  }

 private:
  Services services() {
    Services s{loop_, random_, pictures_, "/spiel", "", [](const std::string&) {}};
    // As the real program opens them: afresh whenever the file has changed.
    s.openTable = [this](std::string_view table) { return tables_.open(TJ_SHIPPED_DB, table); };
    s.storedText = [](const std::string&) {
      std::ifstream in(TJ_INSTRUCTIONS_RTF, std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return s;
  }

  [[noreturn]] void fail(const std::string& what) {
    Screen* top = app_.forms.top();
    throw SoakFailure{what + " (Ereignis " + std::to_string(loop_.eventsRun()) +
                      ", oben: " + (top ? top->name() : "nichts") + ")"};
  }

  bool chance(double p) { return std::bernoulli_distribution(p)(agentRnd_); }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(agentRnd_); }
  bool visible(const std::string& screen, const std::string& name) {
    Element* e = loop_.element(screen, name);
    return e && e->Visible() && e->Enabled();
  }
  // Every action the agent chooses must be one a person can do.
  bool click(const std::string& screen, const std::string& name) {
    if (!loop_.tryClick(screen, name)) fail("Klick auf " + screen + "." + name + " nicht möglich");
    return true;
  }

  // ---- the agent -------------------------------------------------------------------------

  bool act(ScriptLoop& s) {
    Screen* top = app_.forms.top();
    if (!top) fail("kein Bildschirm sichtbar, aber das Programm läuft");
    const std::string& n = top->name();
    if (n == "frmStart") return startScreen(s);
    if (n == "frmAuswahl") return setup(s);
    if (n == "frmSpielfeld") return board();
    if (n == "frmLevel") return click(n, chance(0.5) ? "cmdLeicht" : "cmdSchwer");
    if (n == "frmFragenLeicht" || n == "frmFragenSchwer") return question(n);
    if (n == "frmAktion") {
      ++counts_.cards;
      return click(n, "cmdWeiter");
    }
    if (n == "frmAussetzen") return click(n, "cmdWeiter");
    if (n == "frmAnleitung") return click(n, "cmdWeg");
    if (n == "frmGewonnen") return winner();
    fail("unbekannter Bildschirm " + n);
  }

  // Closing a full-screen window ends the program the way its frame's close button does.
  bool closeWindow() {
    app_.dispatch([this] { app_.forms.UnloadForms(); });
    return true;
  }

  bool startScreen(ScriptLoop& s) {
    if (chance(0.002)) return closeWindow();
    s.advance(1 + pick(1500));
    return true;
  }

  bool setup(ScriptLoop& s) {
    const std::string n = FrmAuswahl::kName;
    auto& form = app_.form<FrmAuswahl>();
    if (chance(0.001)) return closeWindow();
    std::vector<std::string> cars;
    for (int sp : {1, 2})
      for (int farbe = 0; farbe < FrmAuswahl::kFarben; ++farbe)
        if (form.autoBild(sp, farbe).Visible()) cars.push_back(form.autoBild(sp, farbe).name());
    const auto anyCar = [&] { return cars[static_cast<std::size_t>(pick(static_cast<int>(cars.size())))]; };
    if (form.tmrRausFahren.TimerEnabled()) {
      // The car drives out; now and then the player clicks a car once more.
      if (!cars.empty() && chance(0.05)) return click(n, anyCar());
      s.advance(10 * (1 + pick(30)));
      return true;
    }
    for (const char* weiter : {"cmdName1Weiter", "cmdName2Weiter"})
      if (visible(n, weiter)) return enterName(n, weiter);
    if (cars.empty()) fail("Auswahl ohne Namensfeld, fahrendes Auto oder wählbares Auto");
    return click(n, anyCar());
  }

  bool enterName(const std::string& n, const char* weiter) {
    Element& box = static_cast<FrmAuswahl&>(app_.forms.get(n)).nameBox();
    if (!app_.typeText(box, chance(0.03) ? std::string() : randomName(agentRnd_))) fail("Namensfeld nicht erreichbar");
    if (chance(0.3)) {
      if (!app_.pressKey(box, 13)) fail("Eingabetaste im Namensfeld nicht möglich");
      return true;
    }
    return click(n, weiter);
  }

  bool board() {
    const std::string n = FrmSpielfeld::kName;
    if (chance(0.001)) {
      ++counts_.games;
      if (!app_.chooseMenu(app_.form<FrmSpielfeld>(), "Beenden")) fail("Menü Beenden nicht erreichbar");
      return true;
    }
    if (chance(0.01)) {
      if (!app_.chooseMenu(app_.form<FrmSpielfeld>(), "Anleitung")) fail("Menü Anleitung nicht erreichbar");
      return true;
    }
    return click(n, visible(n, "cmdWuerfel") ? "cmdWuerfel" : "cmdWuerfeln2");
  }

  bool question(const std::string& n) {
    auto& q = static_cast<FrmFragen&>(app_.forms.get(n));
    if (q.cmdWeiter.Visible()) return click(n, "cmdWeiter");
    const int right = q.RichtigeAntwort.value();
    if (right < 0 || right > 3) fail("RichtigeAntwort außerhalb 0..3: " + std::to_string(right));
    int answer = right;
    if (chance(0.4)) answer = (right + 1 + pick(3)) % 4;
    return click(n, "cmdAntwort(" + std::to_string(answer) + ")");
  }

  bool winner() {
    ++counts_.games;
    const bool more = counts_.games < gamesWanted_ && chance(0.7);
    return click("frmGewonnen", more ? "cmdNeu" : "cmdEnde");
  }

  // ---- the invariants ---------------------------------------------------------------------

  void check() {
    const GameState& g = app_.race.state();
    if (g.TankSpieler1 < 0 || g.TankSpieler2 < 0)
      fail("Tank unter 0: " + Str(g.TankSpieler1) + " / " + Str(g.TankSpieler2));
    checkDialogs();
    checkMessages();
    if (!app_.forms.isLoaded(FrmSpielfeld::kName)) return;
    auto& b = app_.form<FrmSpielfeld>();
    if (!b.Visible()) return;
    checkCars(b, 1, g.PositionSpieler1);
    checkCars(b, 2, g.PositionSpieler2);
    if (app_.forms.top() == &b) checkDie(b);
  }

  void checkCars(FrmSpielfeld& b, int p, Int16 position) {
    const int want = race::shownField(position, 45);
    int shown = 0;
    for (int i = 0; i < FrmSpielfeld::kFelder; ++i) {
      if (!(p == 1 ? b.imgSpieler1(i) : b.imgSpieler2(i)).Visible()) continue;
      ++shown;
      if (i != want)
        fail("Auto von Spieler " + std::to_string(p) + " auf Feld " + std::to_string(i) + ", Position " +
             Str(position));
    }
    if (shown != 1)
      fail("Auto von Spieler " + std::to_string(p) + " auf " + std::to_string(shown) + " Feldern sichtbar");
  }

  void checkDie(FrmSpielfeld& b) {
    const bool one = app_.race.vars().SpielerAmZug == 1;
    if (b.cmdWuerfel.Visible() != one || b.cmdWuerfeln2.Visible() == one)
      fail("sichtbarer Würfelknopf passt nicht zu SpielerAmZug " + Str(app_.race.vars().SpielerAmZug));
  }

  void checkDialogs() {
    int open = 0;
    for (const char* d : {"frmFragenLeicht", "frmFragenSchwer", "frmAktion"}) open += app_.forms.isLoaded(d) ? 1 : 0;
    if (open > 1) fail(std::to_string(open) + " Frage- oder Kartendialoge gleichzeitig geladen");
  }

  // The only message a player may meet with the shipped database is the missing name.
  void checkMessages() {
    const auto& m = loop_.messages();
    for (; messagesSeen_ < m.size(); ++messagesSeen_)
      if (m[messagesSeen_].text != "Bitte gib einen Namen ein!") fail("unerwartete Meldung: " + m[messagesSeen_].text);
  }

  ScriptLoop loop_;
  ScriptRandom random_;
  FakePictures pictures_;
  data::TableCache tables_;
  std::mt19937 agentRnd_;
  Counts& counts_;
  App app_;
  uint64_t gamesWanted_ = 0;
  std::size_t messagesSeen_ = 0;
};

TEST(Soak, randomGamesThroughEveryScreen) {
  ASSERT_TRUE(std::ifstream(TJ_SHIPPED_DB).good()) << "Datenbank fehlt: " << TJ_SHIPPED_DB;
  Counts counts;
  for (uint32_t seed = 20240601; counts.games < gGames; ++seed) {
    try {
      SoakRun(seed, counts).run(gGames);
    } catch (const SoakFailure& f) {
      FAIL() << "Lauf mit Startwert " << seed << ": " << f.message;
    } catch (const ScriptStall& s) {
      FAIL() << "Lauf mit Startwert " << seed << " hängt: " << s.message;
    }
  }
  EXPECT_GT(counts.cards, 0u) << "some action cards are drawn";
}

}  // namespace
}  // namespace tj::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) tj::testing::gGames = std::strtoull(argv[1], nullptr, 10);
  return RUN_ALL_TESTS();
}
