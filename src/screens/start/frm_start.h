// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/int16.h"
#include "screens/screen.h"

namespace tj {

// The start screen: the title and a countdown, then the player setup.
class FrmStart final : public Screen {
 public:
  static constexpr const char* kName = "frmStart";
  explicit FrmStart(App& app);

  Element& lblStart;
  Element& lblCountdown;
  Element& Timer;

  Int16 Zaehler;  // countdown ticks so far

 private:
  void Timer_Timer();
};

}  // namespace tj
