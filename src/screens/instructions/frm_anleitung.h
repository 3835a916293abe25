// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/screen.h"

namespace tj {

// The instructions: the stored document in a read-only rich-text box and a button that
// closes the screen. Shown modally from the board; each opening reads the document anew.
class FrmAnleitung final : public Screen {
 public:
  static constexpr const char* kName = "frmAnleitung";
  static constexpr const char* kDocument = "anleitung.rtf";  // stored with the program
  explicit FrmAnleitung(App& app);

  void Form_Activate() override;

  Element& rtfAnleitung;
  Element& cmdWeg;

 private:
  void cmdWeg_Click();
};

}  // namespace tj
