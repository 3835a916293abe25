// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/all_screens.h"

#include "screens/action/frm_aktion.h"
#include "screens/app.h"
#include "screens/board/frm_spielfeld.h"
#include "screens/instructions/frm_anleitung.h"
#include "screens/level/frm_level.h"
#include "screens/question/frm_fragen.h"
#include "screens/review/frm_rueckblick.h"
#include "screens/setup/frm_auswahl.h"
#include "screens/skip/frm_aussetzen.h"
#include "screens/start/frm_start.h"
#include "screens/topics/frm_themen.h"
#include "screens/winner/frm_gewonnen.h"

namespace tj {

namespace {
template <class T>
void defineScreen(Forms& forms) {
  forms.define(T::kName, [](App& app) { return std::make_unique<T>(app); });
}
}  // namespace

void defineScreens(Forms& forms) {
  defineScreen<FrmStart>(forms);
  defineScreen<FrmLevel>(forms);
  defineScreen<FrmFragenLeicht>(forms);
  defineScreen<FrmFragenSchwer>(forms);
  defineScreen<FrmAktion>(forms);
  defineScreen<FrmAnleitung>(forms);
  defineScreen<FrmAuswahl>(forms);
  defineScreen<FrmSpielfeld>(forms);
  defineScreen<FrmGewonnen>(forms);
  defineScreen<FrmAussetzen>(forms);
  defineScreen<FrmRueckblick>(forms);
  defineScreen<FrmThemen>(forms);
  // The race shows itself on the board, which its first report loads. A stand-in board
  // that is no RaceView sees no reports.
  forms.app().race.setView([&forms] { return dynamic_cast<RaceView*>(&forms.get(FrmSpielfeld::kName)); });
}

}  // namespace tj
