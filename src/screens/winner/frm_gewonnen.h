// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/screen.h"

namespace tj {

// The winner screen: congratulates the winner (the move that won writes lblGewonnen before
// showing it) and offers a new game, the end of the program, or a look back at the game's
// questions over it. It closes only through "neues Spiel" and "Ende".
class FrmGewonnen final : public Screen {
 public:
  static constexpr const char* kName = "frmGewonnen";
  explicit FrmGewonnen(App& app);

  Element& lblGewonnen;
  Element& Picture1;
  Element& lblWeiter;
  Element& cmdNeu;
  Element& cmdEnde;
  Element& cmdRueckblick;

 private:
  void cmdNeu_Click();
  void cmdEnde_Click();
};

}  // namespace tj
