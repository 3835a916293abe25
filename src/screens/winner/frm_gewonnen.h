// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/screen.h"

namespace tj {

// The winner screen: congratulates the winner (the move that won writes lblGewonnen before
// showing it) and offers a new game or the end of the program. It closes only through
// its two buttons.
class FrmGewonnen final : public Screen {
 public:
  static constexpr const char* kName = "frmGewonnen";
  explicit FrmGewonnen(App& app);

  Element& lblGewonnen;
  Element& Picture1;
  Element& lblWeiter;
  Element& cmdNeu;
  Element& cmdEnde;

 private:
  void cmdNeu_Click();
  void cmdEnde_Click();
};

}  // namespace tj
