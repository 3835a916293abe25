// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/start/frm_start.h"

#include "screens/app.h"
#include "screens/setup/frm_auswahl.h"

namespace tj {

namespace {
WindowSpec startWindow() { return WindowSpec::maximised(15360, 11520, Color::highlight(), "Tank Jagd"); }

void titleLook(Element& e, bool underline) {
  e.font = Font{"Modern", 72, true, true, underline};
  e.setBackColor(Color::highlight());
  e.setForeColor(kCream);
  e.wordWrap = false;
}
}  // namespace

FrmStart::FrmStart(App& app)
    : Screen(app, kName, startWindow()),
      lblStart(add("lblStart", ElementKind::Label, 4320, 1440, 6495, 1575, "Tank Jagd ")),
      lblCountdown(add("lblCountdown", ElementKind::Label, 4320, 6000, 6495, 1575)),
      Timer(addTimer("Timer", 1000, true)) {
  titleLook(lblStart, true);
  titleLook(lblCountdown, false);
  lblCountdown.alignment = Align::Center;
  Timer.Timer = [this] { Timer_Timer(); };
}

void FrmStart::Timer_Timer() {
  lblCountdown.setCaption(Str(3 - Zaehler));
  Zaehler += 1;
  if (Zaehler == 4) {
    Timer.setTimerEnabled(false);
    app().screen<FrmAuswahl>().ShowModal();
    Unload();
  }
}

}  // namespace tj
