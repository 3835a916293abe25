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

// Player 1 (Anna, 10 litres, field 3) switches "Vorlesen" on, rolls a 4 and answers the
// easy question with button `answer` (the right one is 0), or for -1 draws the card "+5L".
Heard turn(int answer) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"Wo geht die Sonne auf?", "im Westen", "im Norden", "im Süden", "im Osten"}});
  setCard(h, "+5L");
  openBoard(h);
  h.g().PositionSpieler1 = 3;
  h.v().ErsterZugSpieler1 = h.v().ErsterZugSpieler2 = answer < 0 ? kTrue : kFalse;
  h.random.queue({0.6f, answer < 0 ? 0.05f : 0.5f, 0.0f});  // roll, card or question, right answer's slot
  h.loop.menu("frmSpielfeld", "Vorlesen").click("frmSpielfeld", "cmdWuerfel");
  if (answer < 0)
    h.loop.click("frmAktion", "cmdWeiter");
  else
    h.loop.click("frmLevel", "cmdLeicht")
        .click("frmFragenLeicht", "cmdAntwort(" + std::to_string(answer) + ")")
        .click("frmFragenLeicht", "cmdWeiter");
  h.loop.drain();
  return h.speaker.heard;
}

TEST(ReadAloud, eachStepOfATurnIsReadOnceInTheOrderItHappens) {
  const std::string roll = "Anna würfelt 4 und fährt 4 Felder bis Feld 7. Noch 6 Liter im Tank.";
  const std::string level = roll + " Leichte Frage für 2 Liter oder schwere Frage für 4 Liter?";
  const std::string question =  // numbered as the buttons stand: left to right, top to bottom
      "Frage für 2 Liter: Wo geht die Sonne auf? Antwort 1: im Osten. Antwort 2: im Norden. Antwort 3: im Süden. "
      "Antwort 4: im Westen.";
  EXPECT_EQ(turn(0), (Heard{"Anna ist dran.", level, question,
                            "Richtig! Anna bekommt 2 Liter und hat jetzt 8 Liter im Tank.", "Ben ist dran."}));
  EXPECT_EQ(turn(2), (Heard{"Anna ist dran.", level, question, "Falsch, keine Tankpunkte. Richtig war: im Osten.",
                            "Ben ist dran."}));
  EXPECT_EQ(turn(-1), (Heard{"Anna ist dran.", roll + " Aktionskarte: Titel +5L. Text zu +5L Dann hat Anna 11 Liter im Tank.",
                             "Ben ist dran."}));
}

TEST(ReadAloud, skipAndWinnerAreRead) {
  BoardHarness h;
  h.startGame(0.0f);
  h.g().AussetzenSpieler1 = kTrue;
  h.loop.menu("frmSpielfeld", "Vorlesen").click("frmSpielfeld", "cmdWuerfel").click("frmAussetzen", "cmdWeiter");
  h.place(2, 44);
  h.random.queue({0.95f});
  h.loop.click("frmSpielfeld", "cmdWuerfeln2").click("frmGewonnen", "cmdEnde");
  h.loop.drain();
  const Heard& heard = h.speaker.heard;
  EXPECT_NE(std::find(heard.begin(), heard.end(), "Anna muss einmal aussetzen."), heard.end());
  EXPECT_EQ(heard.back(), "Bert würfelt 6 und fährt 6 Felder bis ins Ziel. Noch 4 Liter im Tank. Bert hat gewonnen!");
}

// Off (the start), nothing reaches the voice; on reads the step at hand again; off stops.
TEST(ReadAloud, theSwitchGatesTheVoiceAndOnReadsTheCurrentStep) {
  Harness h;
  openBoard(h);
  EXPECT_FALSE(h.app.speechOn());
  h.loop.menu("frmSpielfeld", "Vorlesen").menu("frmSpielfeld", "Vorlesen");
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
  for (int i = 0; i < 2; ++i) h.app.dispatch([&] { h.app.speechUnavailable("kein Sprachdienst"); });
  h.loop.drain();
  EXPECT_EQ(h.loop.messages().size(), 1u);
  EXPECT_FALSE(h.app.speechOn());
  EXPECT_EQ(h.warnings, (std::vector<std::string>(2, "Vorlesen nicht möglich: kein Sprachdienst")));
}

// Keys 1 to 4 answer with the button read as that number; other keys, and any key after
// the answer, do nothing.
TEST(QuestionKeys, digitsOneToFourAnswerWithTheButtonInReadingOrder) {
  for (int key = '0'; key <= '5'; ++key) {
    Harness h;
    setQuestions(h, "tabFragen_leicht", {{"Wie?", "falsch1", "falsch2", "falsch3", "richtig"}});
    openBoard(h);
    showFromBoard(h, "frmFragenLeicht");
    bool used = false, again = true;
    int right = -1;
    h.loop.then([&](ScriptLoop& l) {
      FrmFragen& q = h.form<FrmFragenLeicht>();
      right = q.RichtigeAntwort.value();
      used = l.app().pressScreenKey(q, key);
      again = l.app().pressScreenKey(q, '1');
    });
    h.loop.click("frmFragenLeicht", "cmdWeiter");
    h.loop.drain();
    const bool digit = key >= '1' && key <= '4';
    EXPECT_EQ(used, digit) << char(key);
    EXPECT_FALSE(again && digit) << "no second answer";
    if (digit) {
      EXPECT_EQ(h.sounds.played.back(), key - '1' == right ? Sound::Right : Sound::Wrong) << char(key);
    }
  }
}

}  // namespace
}  // namespace tj::testing
