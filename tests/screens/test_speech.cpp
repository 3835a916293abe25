// SPDX-License-Identifier: GPL-3.0-or-later
// "Vorlesen": what the game reads aloud at each step, the switch, a voice that cannot
// speak, and the number keys of the question dialog.
#include <gtest/gtest.h>

#include "screens/question/frm_fragen.h"
#include "test_board_support.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

using Heard = std::vector<std::string>;

// Player 1 (Anna, 10 litres, field 3) switches "Vorlesen" on and rolls a 4; `dialog` is
// what the roll opens, `steps` what the players then do in it.
Heard turn(const char* dialog, std::function<void(ScriptLoop&)> steps, int roll = 4) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"Wo geht die Sonne auf?", "im Westen", "im Norden", "im Süden", "im Osten"}});
  setCard(h, "+5L");
  openBoard(h);
  h.g().PositionSpieler1 = 3;
  h.loop.menu("frmSpielfeld", "Vorlesen");
  const bool card = std::string(dialog) == "frmAktion";
  h.v().ErsterZugSpieler1 = h.v().ErsterZugSpieler2 = card ? kTrue : kFalse;
  // The roll, the field event (a card, when allowed, below 0.1), then the right answer's slot.
  h.random.queue({(roll - 0.5f) / 6, card ? 0.05f : 0.5f, 0.0f});
  h.loop.click("frmSpielfeld", "cmdWuerfel");
  steps(h.loop);
  h.loop.drain();
  return h.speaker.heard;
}

TEST(ReadAloud, eachStepOfATurnIsReadOnceInTheOrderItHappens) {
  const std::string roll = "Anna würfelt 4 und fährt 4 Felder bis Feld 7. Noch 6 Liter im Tank.";
  const std::string question =
      "Frage für 2 Liter: Wo geht die Sonne auf? Antwort 1: im Osten. Antwort 2: im Norden. Antwort 3: im Süden. "
      "Antwort 4: im Westen.";
  const struct {
    const char* what;
    const char* dialog;
    std::function<void(ScriptLoop&)> steps;
    Heard want;
  } cases[] = {
      {"easy question answered right",
       "frmLevel",
       [](ScriptLoop& l) { l.click("frmLevel", "cmdLeicht").click("frmFragenLeicht", "cmdAntwort(0)").click("frmFragenLeicht", "cmdWeiter"); },
       {"Anna ist dran.", roll + " Leichte Frage für 2 Liter oder schwere Frage für 4 Liter?", question,
        "Richtig! Anna bekommt 2 Liter und hat jetzt 8 Liter im Tank.", "Ben ist dran."}},
      {"answered wrong",
       "frmLevel",
       [](ScriptLoop& l) { l.click("frmLevel", "cmdLeicht").click("frmFragenLeicht", "cmdAntwort(2)").click("frmFragenLeicht", "cmdWeiter"); },
       {"Anna ist dran.", roll + " Leichte Frage für 2 Liter oder schwere Frage für 4 Liter?", question,
        "Falsch, keine Tankpunkte. Richtig war: im Osten.", "Ben ist dran."}},
      {"action card with the fuel it leaves",
       "frmAktion",
       [](ScriptLoop& l) { l.click("frmAktion", "cmdWeiter"); },
       {"Anna ist dran.", roll + " Aktionskarte: Titel +5L. Text zu +5L Dann hat Anna 11 Liter im Tank.", "Ben ist dran."}},
  };
  for (const auto& c : cases) EXPECT_EQ(turn(c.dialog, c.steps), c.want) << c.what;
}

TEST(ReadAloud, skipAndWinnerAreRead) {
  BoardHarness h;
  h.startGame(0.0f);
  h.loop.menu("frmSpielfeld", "Vorlesen");
  h.g().AussetzenSpieler1 = kTrue;
  h.loop.click("frmSpielfeld", "cmdWuerfel").click("frmAussetzen", "cmdWeiter");
  h.place(2, 44);
  h.random.queue({0.95f});
  h.loop.click("frmSpielfeld", "cmdWuerfeln2").click("frmGewonnen", "cmdEnde");
  h.loop.drain();
  const Heard& heard = h.speaker.heard;
  EXPECT_EQ(heard.back(), "Bert würfelt 6 und fährt 6 Felder bis ins Ziel. Noch 4 Liter im Tank. Bert hat gewonnen!");
  EXPECT_NE(std::find(heard.begin(), heard.end(), "Anna muss einmal aussetzen."), heard.end());
}

// Off (the start), nothing reaches the voice; on reads the step at hand again; off stops.
TEST(ReadAloud, theSwitchGatesTheVoiceAndOnReadsTheCurrentStep) {
  Harness h;
  openBoard(h);
  EXPECT_FALSE(h.app.speechOn());
  EXPECT_EQ(h.speaker.heard, Heard{});
  h.loop.menu("frmSpielfeld", "Vorlesen");
  h.loop.menu("frmSpielfeld", "Vorlesen");
  h.loop.drain();
  EXPECT_EQ(h.speaker.heard, (Heard{"Anna ist dran.", ""}));
  EXPECT_FALSE(h.form<FrmSpielfeld>().menus().at(0).items.at(1).Checked());
}

// A voice that cannot speak: one German message for the switching on, the switch off, the
// game on; a report that arrives after the players switched off shows nothing.
TEST(ReadAloud, withoutAVoiceThePlayersAreToldOnceAndTheSwitchTurnsOff) {
  Harness h;
  openBoard(h);
  h.loop.menu("frmSpielfeld", "Vorlesen");
  h.loop.drain();
  h.loop.ok("Vorlesen geht auf diesem Computer nicht: Es fehlt der Sprachdienst oder eine deutsche Stimme. "
            "Das Spiel geht ohne Vorlesen weiter.");
  h.app.dispatch([&] { h.app.speechUnavailable("kein Sprachdienst"); });
  h.app.dispatch([&] { h.app.speechUnavailable("kein Sprachdienst"); });
  h.loop.drain();
  EXPECT_EQ(h.loop.messages().size(), 1u);
  EXPECT_FALSE(h.app.speechOn());
  EXPECT_EQ(h.warnings, (std::vector<std::string>(2, "Vorlesen nicht möglich: kein Sprachdienst")));
}

// Keys 1 to 4 answer with the button read as that number; other keys and keys after the
// answer do nothing.
TEST(QuestionKeys, digitsOneToFourAnswerWithTheButtonInReadingOrder) {
  for (int key = '0'; key <= '5'; ++key) {
    Harness h;
    setQuestions(h, "tabFragen_leicht", {{"Wie?", "falsch1", "falsch2", "falsch3", "richtig"}});
    h.random.queue({0.5f});
    openBoard(h);
    showFromBoard(h, "frmFragenLeicht");
    bool used = false, again = true;
    int right = -1;
    h.loop.then([&](ScriptLoop& l) {
      FrmFragen* q = &h.form<FrmFragenLeicht>();
      right = q->RichtigeAntwort.value();
      used = l.app().pressScreenKey(*q, key);
      again = l.app().pressScreenKey(*q, '1');
    });
    h.loop.click("frmFragenLeicht", "cmdWeiter");
    h.loop.drain();
    const bool digit = key >= '1' && key <= '4';
    EXPECT_EQ(used, digit) << char(key);
    EXPECT_FALSE(again && digit) << "no second answer";
    if (!digit) continue;
    const int slot = key - '1';
    EXPECT_EQ(h.sounds.played.back(), slot == right ? Sound::Right : Sound::Wrong) << char(key);
  }
}

}  // namespace
}  // namespace tj::testing
