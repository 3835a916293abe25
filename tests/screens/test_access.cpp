// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard alone and a screen reader: whole programs played only through the focused
// control (Enter on it, arrows to move on), with every spoken text checked against the
// game's state at that step.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "screens/question/frm_fragen.h"
#include "screens/setup/frm_auswahl.h"
#include "screens/spoken.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

const std::string kLongName = "Jürgen-Maximilian von Habsburg-Lothringen";

// Contrast of two colours as the accessibility guidelines define it: 1 (the same) to 21.
double contrast(Color a, Color b) {
  const auto luminance = [](Color c) {
    c = resolved(c);
    const auto channel = [](uint8_t v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Plays by keyboard: types names into a focused name box, presses Enter on whatever has
// the focus, and uses the arrow keys (the screen's tab order) to reach another car, the
// right or a wrong answer, or "neues Spiel". It never touches an unfocused control.
struct KeyboardPlayer {
  Harness& h;
  int names = 0, answers = 0, wins = 0, cards = 0, skips = 0;
  std::vector<std::string> faults;

  void check(bool ok, const std::string& what, const Element& f) {
    if (!ok) faults.push_back(what + " — " + f.screen().name() + "." + f.name() + ": " + f.Description());
  }
  void arrow(Screen& s, int step) { s.SetFocus(*s.nextFocus(s.focus(), step)); }
  // Every text shown stands out from what lies behind it: at least 3:1, the guidelines' floor
  // for large and bold print (the level dialog's bold headline, white on light blue, has 3.3:1).
  void readable(const Screen& s) {
    for (const auto& e : s.elements()) {
      if ((e->kind() != ElementKind::Label && e->kind() != ElementKind::CheckBox) || !e->Visible() ||
          e->Caption().empty())
        continue;
      const Color back = !e->transparent ? e->BackColor()
                         : e->container  ? e->container->BackColor()
                                         : s.window().background;
      check(contrast(e->ForeColor(), back) >= 3.0, "Text kaum lesbar: " + e->Caption(), *e);
    }
  }

  bool act(ScriptLoop& loop) {
    Screen& top = *h.app.forms.top();
    for (const auto& e : top.elements())
      if (e->TimerEnabled()) return loop.advance(100), true;  // countdown or drive-out
    Element* f = top.focus();
    if (!f) return faults.push_back("nichts hat den Fokus auf " + top.name()), false;
    readable(top);
    const GameState& g = h.g();
    std::smatch m;
    const std::string& d = f->Description();
    if (top.name() == FrmAuswahl::kName && f->kind() == ElementKind::TextBox) {
      h.app.typeText(*f, ++names % 2 ? kLongName : "Ben");
      return h.app.pressKey(*f, 13);
    }
    if (top.name() == FrmAuswahl::kName) {
      bool eins = false;
      for (int farbe = 0; farbe < FrmAuswahl::kFarben; ++farbe) eins |= f == &h.form<FrmAuswahl>().autoBild(1, farbe);
      check(d.starts_with("Bitte wähle dein Auto aus, " + (eins ? g.NameSpieler1 : g.NameSpieler2) + "!"),
            "Auto ohne Anweisung", *f);
      arrow(top, -1);  // the last car, reached backwards
    } else if (top.name() == FrmSpielfeld::kName) {
      const auto& b = static_cast<FrmSpielfeld&>(top);
      const std::string& amZug = h.v().SpielerAmZug == 1 ? g.NameSpieler1 : g.NameSpieler2;
      check(f == (h.v().SpielerAmZug == 1 ? &b.cmdWuerfel : &b.cmdWuerfeln2), "Fokus nicht auf dem Würfel", *f);
      const std::string stand = "Stand: " + g.NameSpieler1 + " " + Str(g.TankSpieler1) + " Liter, Feld " +
                                Str(g.PositionSpieler1) + "; " + g.NameSpieler2 + " " + Str(g.TankSpieler2) +
                                " Liter, Feld " + Str(g.PositionSpieler2) + ".";
      check(d.starts_with(amZug + " ist dran") && d.ends_with(stand), "Zug oder Stand falsch", *f);
    } else if (top.name() == "frmLevel" || top.name() == "frmAktion" || top.name() == "frmGewonnen") {
      const bool eins = g.AktiverSpieler == kSpieler1;
      const std::regex roll(
          "^(.+) würfelt [1-6](?:, hat kein Benzin und bleibt auf| und fährt [1-6] Felde?r?"
          "(?:, so weit das Benzin reicht,)? bis) (?:Feld (\\d+)|ins Ziel)\\. (?:Noch (\\d+) Liter im Tank\\. )?.*");
      check(std::regex_match(d, m, roll) && m[1] == (eins ? g.NameSpieler1 : g.NameSpieler2) &&
                (m[2].matched ? m[2] == Str(eins ? g.PositionSpieler1 : g.PositionSpieler2)
                              : top.name() == "frmGewonnen") &&
                (m[3].matched ? m[3] == Str(eins ? g.TankSpieler1 : g.TankSpieler2)
                              : (eins ? g.TankSpieler1 : g.TankSpieler2) == 0),
            "Wurf falsch angesagt", *f);
      if (top.name() == "frmLevel" && f->name() != "cmdSchwer")
        arrow(top, 1);  // "Schwer" pays enough fuel to reach the goal
      if (top.name() == "frmAktion")
        ++cards, check(d.find("Aktionskarte: Titel ") != std::string::npos, "Karte fehlt", *f);
      if (top.name() == "frmGewonnen" && wins++ == 0) arrow(top, 1);  // "neues Spiel" once, then "Ende"
    } else if (top.name().starts_with("frmFragen")) {
      auto& q = static_cast<FrmFragen&>(top);
      if (!q.cmdWeiter.Visible()) {
        // The question label, read with the dialog, holds the answers; each answer only its place.
        const std::string question = q.lblFrage.spokenName();
        int place = 0;
        while (place < 4 && f != &q.cmdAntwort(place)) ++place;
        check(question.find(q.lblFrage.Caption()) != std::string::npos &&
                  question.find("Antwort 4: " + q.cmdAntwort(3).Caption() + ".") != std::string::npos &&
                  f->spokenName() == "Antwort " + Str(place + 1) + " von 4: " + f->Caption() && d.empty(),
              "Frage oder Antworten fehlen", *f);
        // The first question is answered wrong on purpose; the rest right, so the race ends.
        const bool wrong = answers++ == 0;
        while ((top.focus() == &q.cmdAntwort(q.RichtigeAntwort.value())) == wrong) arrow(top, 1);
      } else {
        const int right = q.RichtigeAntwort.value();
        const bool won = q.cmdAntwort(right).mark() == Mark::Right;
        const Element* wrong = nullptr;
        for (int i = 0; i < 4; ++i)
          if (q.cmdAntwort(i).mark() == Mark::Wrong) wrong = &q.cmdAntwort(i);
        check(won && (wrong == nullptr) == d.starts_with("Richtig!"), "Markierung falsch", *f);
        const Int16 tank = g.AktiverSpieler == kSpieler1 ? g.TankSpieler1 : g.TankSpieler2;
        check(wrong ? d.find("Richtig war: " + q.cmdAntwort(right).Caption() + ".") != std::string::npos &&
                          wrong->spokenName().ends_with("(falsch gewählt)")
                    : d.find("hat jetzt " + Str(tank) + " Liter") != std::string::npos,
              "Ergebnis falsch angesagt", *f);
      }
    } else if (top.name() == "frmAussetzen") {
      ++skips;
      check(d.find("muss einmal aussetzen") != std::string::npos, "Aussetzen nicht angesagt", *f);
    }
    if (loop.eventsRun() > 20000) return faults.push_back("kein Ende nach 20000 Ereignissen"), false;
    if (!h.app.click(*top.focus())) return faults.push_back("Eingabe auf " + top.focus()->name() + " unmöglich"), false;
    return true;
  }
};

TEST(Keyboard, wholeProgramFromCountdownToEndeByFocusedControlsAlone) {
  int cards = 0, skips = 0;
  for (uint32_t seed : {1u, 7u, 42u}) {
    Harness h;
    h.random.state = seed;
    setQuestions(h, "tabFragen_leicht", {{"Wie viele Räder hat ein Auto?", "drei", "fünf", "sechs", "vier"}});
    setQuestions(h, "tabFragen_schwer", {{"Was ist ein Boxenstopp?", "Pause", "Unfall", "Ziel", "Halt zum Tanken"}});
    setCards(h, {{"P", "Titel Panne", "Einmal aussetzen.", "1"}, {"+5L", "Titel Tanken", "Fünf Liter mehr.", "2"}});
    KeyboardPlayer p{h, 0, 0, 0, 0, 0, {}};
    h.loop.agent = [&p](ScriptLoop& l) { return p.faults.empty() && p.act(l); };
    try {
      h.loop.runMain();
    } catch (const ScriptStall& s) {
      ADD_FAILURE() << "seed " << seed << ": " << s.message;
    }
    for (const std::string& f : p.faults) ADD_FAILURE() << "seed " << seed << ": " << f;
    EXPECT_EQ(p.wins, 2) << seed;
    EXPECT_GT(p.answers, 2) << seed;
    EXPECT_EQ(p.names, 4) << seed;
    cards += p.cards;
    skips += p.skips;
  }
  EXPECT_GT(cards, 0);
  EXPECT_GT(skips, 0);
}

TEST(Keyboard, tabOrderSkipsHiddenAndDisabledAndWrapsBothWays) {
  Harness h;
  openBoard(h);
  FrmFragen& dummy = h.form<FrmFragenLeicht>();
  dummy.cmdAntwort(1).setEnabled(false);
  dummy.cmdWeiter.setVisible(false);
  const struct {
    Element* from;
    int step;
    Element* want;
  } cases[] = {{nullptr, 1, &dummy.cmdAntwort(0)},
               {nullptr, -1, &dummy.cmdAntwort(3)},
               {&dummy.cmdAntwort(0), 1, &dummy.cmdAntwort(2)},
               {&dummy.cmdAntwort(2), -1, &dummy.cmdAntwort(0)},
               {&dummy.cmdAntwort(3), 1, &dummy.cmdAntwort(0)},
               {&dummy.cmdAntwort(0), -1, &dummy.cmdAntwort(3)}};
  for (const auto& c : cases)
    EXPECT_EQ(dummy.nextFocus(c.from, c.step), c.want) << (c.from ? c.from->name() : "nullptr") << " " << c.step;
}

TEST(Spoken, rollSaysFieldsFuelAndWhereTheCarStands) {
  const struct {
    int roll, fields, fuel, field;
    const char* want;
  } cases[] = {
      {4, 4, 6, 4, "Anna würfelt 4 und fährt 4 Felder bis Feld 4. Noch 6 Liter im Tank."},
      {1, 1, 9, 1, "Anna würfelt 1 und fährt 1 Feld bis Feld 1. Noch 9 Liter im Tank."},
      {6, 2, 0, 9, "Anna würfelt 6 und fährt 2 Felder, so weit das Benzin reicht, bis Feld 9. Der Tank ist leer."},
      {5, 0, 0, 9, "Anna würfelt 5, hat kein Benzin und bleibt auf Feld 9."},
      {3, 3, 2, 45, "Anna würfelt 3 und fährt 3 Felder bis ins Ziel. Noch 2 Liter im Tank."},
  };
  for (const auto& c : cases) EXPECT_EQ(spoken::roll("Anna", c.roll, c.fields, c.fuel, c.field, 45), c.want);
}

}  // namespace
}  // namespace tj::testing
