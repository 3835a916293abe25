// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/screen.h"

namespace tj {

// The choice of the question level. Shown modally by the board after a move; it hides
// itself (and stays loaded) before it opens the easy or the hard question.
class FrmLevel final : public Screen {
 public:
  static constexpr const char* kName = "frmLevel";
  explicit FrmLevel(App& app);

  void Form_Activate() override;

  Element& lblHeadline;
  Element& cmdLeicht;
  Element& cmdSchwer;

 private:
  void cmdLeicht_Click();
  void cmdSchwer_Click();
  template <class Question>
  void ask();
};

}  // namespace tj
