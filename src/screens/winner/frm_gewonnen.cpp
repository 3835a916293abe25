// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/winner/frm_gewonnen.h"

#include "screens/app.h"
#include "screens/review/frm_rueckblick.h"
#include "screens/setup/frm_auswahl.h"

namespace tj {

namespace {
constexpr Color kMarine = Color::rgb(0, 0, 128);

WindowSpec winnerWindow() { return WindowSpec::dialog("", 7725, 8940, kPastelYellow, "Gewonnen"); }

void button(Element& b, int tab) {
  b.setBackColor(kCream);
  b.font = Font{"MS Sans Serif", 12, true};
  b.tabIndex = tab;
}
}  // namespace

FrmGewonnen::FrmGewonnen(App& app)
    : Screen(app, kName, winnerWindow()),
      lblGewonnen(add("lblGewonnen", ElementKind::Label, 0, 240, 7695, 375, "Super, DU hast GEWONNEN !!!")),
      Picture1(add("Picture1", ElementKind::Picture, 360, 960, 6975, 6135)),
      lblWeiter(add("lblWeiter", ElementKind::Label, 1800, 7320, 4215, 375, "Möchtet ihr weiter spielen?")),
      cmdNeu(add("cmdNeu", ElementKind::Button, 360, 8040, 2235, 495, "neues Spiel")),
      cmdEnde(add("cmdEnde", ElementKind::Button, 5130, 8040, 2235, 495, "Ende")),
      cmdRueckblick(add("cmdRueckblick", ElementKind::Button, 2745, 8040, 2235, 495, "Rückblick")) {
  lblGewonnen.alignment = Align::Center;
  lblGewonnen.transparent = true;
  lblGewonnen.setForeColor(kMarine);
  lblGewonnen.font = Font{"Tahoma", 14.25f, true};
  Picture1.setPicture(Picture::stored("gewonnen.gif", 461, 409));
  Picture1.accessibleName = "Siegerpokal";
  Picture1.tabIndex = 3;
  lblWeiter.setBackColor(kPastelYellow);
  lblWeiter.setForeColor(kMarine);
  lblWeiter.font = Font{"Tahoma", 14.25f, true};
  button(cmdEnde, 0);  // has the focus when the screen opens
  button(cmdNeu, 1);
  button(cmdRueckblick, 2);
  cmdNeu.Click = [this] { cmdNeu_Click(); };
  cmdRueckblick.Click = [this] { this->app().screen<FrmRueckblick>().ShowModal(); };
  cmdEnde.Click = [this] { cmdEnde_Click(); };
}

// The start values of a new game, then the player setup over the board. Returns only when
// the new setup has ended and the board has drawn the new start player.
void FrmGewonnen::cmdNeu_Click() {
  App& a = app();
  Unload();
  a.race.newGame();
  a.screen<FrmAuswahl>().ShowModal();
}

void FrmGewonnen::cmdEnde_Click() { app().forms.UnloadForms(); }

}  // namespace tj
