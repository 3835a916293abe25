// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/screen.h"

namespace tj {

// The skip notice: names the player whose die button was pressed while a skip was pending.
// It asks the race whose turn it is when it loads; "Weiter" unloads it, the die turn then
// clears the flag and passes the turn.
class FrmAussetzen final : public Screen {
 public:
  static constexpr const char* kName = "frmAussetzen";
  explicit FrmAussetzen(App& app);

  void Form_Load() override;

  Element& lblHeadline;
  Element& imgAussetzen;
  Element& cmdWeiter;
};

}  // namespace tj
