// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/record_dialog.h"
#include "screens/text_box.h"

namespace tj {

// The boxes that show a card's text and title, placed in the card's frame.
inline const TextBox kCardTextBox{
    .left = 600, .top = 840, .width = 3135, .height = 1575, .font = {"Comic Sans MS", 12, false, true}};
inline const TextBox kCardTitleBox{
    .left = 600, .top = 2400, .width = 3135, .height = 735, .font = {"Comic Sans MS", 14.25f, false, true}};

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
