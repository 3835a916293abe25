// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/record_dialog.h"

namespace tj {

// The action card: a random card of the store with its title, text and picture. Its
// effect on the active player is applied only when the player presses "Weiter".
class FrmAktion final : public RecordDialog {
 public:
  static constexpr const char* kName = "frmAktion";
  explicit FrmAktion(App& app);

  void Form_Load() override;

  Element& frmAktion;  // the frame that holds the card
  Element& lblAktionstxt;
  Element& lblAktion;
  Element& imgAktion;
  Element& lblBildnr;
  Element& lblEreignis;
  Element& cmdWeiter;

 private:
  void cmdWeiter_Click();
  void loadCardPicture();
};

}  // namespace tj
