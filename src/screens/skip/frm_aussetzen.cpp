// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/skip/frm_aussetzen.h"

#include "screens/app.h"
#include "screens/spoken.h"

namespace tj {

namespace {
WindowSpec skipWindow() {
  WindowSpec w = WindowSpec::dialog("", 6870, 4800, Color::highlight(), "Aussetzen");
  w.centred = false;  // where the windowing system puts new windows
  return w;
}
}  // namespace

FrmAussetzen::FrmAussetzen(App& app)
    : Screen(app, kName, skipWindow()),
      lblHeadline(add("lblHeadline", ElementKind::Label, 0, 360, 6855, 615, "Einmal Aussetzen Spieler1")),
      imgAussetzen(add("imgAussetzen", ElementKind::Picture, 2640, 1320, 1575, 2460)),
      cmdWeiter(add("cmdWeiter", ElementKind::Button, 2760, 3960, 1335, 495, "Weiter")) {
  lblHeadline.alignment = Align::Center;
  lblHeadline.transparent = true;
  lblHeadline.setForeColor(Color::highlightText());
  lblHeadline.font = Font{"MS Sans Serif", 13.5f, false};
  imgAussetzen.setPicture(Picture::stored("aussetzen.gif", 105, 164));
  imgAussetzen.accessibleName = "Aussetzen";
  cmdWeiter.tabIndex = 0;
  cmdWeiter.Click = [this] { Unload(); };
}

void FrmAussetzen::Form_Load() {
  RaceGame& race = app().race;
  race.markStarted();  // the board's reactivation after the notice draws no start player
  const std::string& name = playerName(race.state(), race.playerOnTurn());
  lblHeadline.setCaption("Einmal aussetzen " + name + " !");
  cmdWeiter.setDescription(spoken::skip(name));
  app().say(spoken::skipAloud(name));
  app().play(Sound::Skip);
}

}  // namespace tj
