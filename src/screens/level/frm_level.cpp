// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/level/frm_level.h"

#include "screens/app.h"
#include "screens/question/frm_fragen.h"
#include "screens/spoken.h"

namespace tj {

namespace {
constexpr Color kLevelBlue = Color::rgb(128, 128, 255);

WindowSpec levelWindow() { return WindowSpec::dialog("", 3270, 2685, Color::highlight(), "Leicht oder schwer"); }

void levelButton(Element& b, int tab) {
  b.setBackColor(kLevelBlue);
  b.font = Font{"MS Sans Serif", 8.25f, true};
  b.tabIndex = tab;
}
}  // namespace

FrmLevel::FrmLevel(App& app)
    : Screen(app, kName, levelWindow()),
      lblHeadline(
          add("lblHeadline", ElementKind::Label, 240, 360, 2775, 735, "Schwierigkeitsgrad der Frage auswählen")),
      cmdLeicht(add("cmdLeicht", ElementKind::Button, 240, 1800, 1215, 495, "Leicht")),
      cmdSchwer(add("cmdSchwer", ElementKind::Button, 1800, 1800, 1215, 495, "Schwer")) {
  lblHeadline.setBackColor(kLevelBlue);
  lblHeadline.setForeColor(Color::highlightText());
  lblHeadline.font = Font{"MS Sans Serif", 12, true};
  levelButton(cmdLeicht, 0);
  levelButton(cmdSchwer, 1);
  cmdLeicht.Click = [this] { cmdLeicht_Click(); };
  cmdSchwer.Click = [this] { cmdSchwer_Click(); };
}

// The buttons tell what the roll before did and what each level pays.
void FrmLevel::Form_Activate() {
  const RaceGame& race = app().race;
  const std::string roll = spoken::lastMove(race);
  const int easy = race.reward(Level::Easy).value(), hard = race.reward(Level::Hard).value();
  const std::string text = roll + " " + spoken::level(easy, hard);
  for (Element* b : {&cmdLeicht, &cmdSchwer}) b->setDescription(text);
  app().say(roll + " " + spoken::levelAloud(easy, hard));
}

// Hiding ends this dialog's modal showing; the board goes on once the question has closed.
template <class Question>
void FrmLevel::ask() {
  Hide();
  app().form<Question>().ShowModal();
  app().race.markStarted();
}

void FrmLevel::cmdLeicht_Click() { ask<FrmFragenLeicht>(); }
void FrmLevel::cmdSchwer_Click() { ask<FrmFragenSchwer>(); }

}  // namespace tj
