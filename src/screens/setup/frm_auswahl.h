// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "game/int16.h"
#include "screens/screen.h"

namespace tj {

// The player setup: both players type their names, then each picks a car, which drives
// off the screen to the left. The end of player 2's drive-out shows the board and
// unloads this screen. Tells the race both names and both car colours, which the board
// shows on its labels and track; changes no visibility or position on the board.
class FrmAuswahl final : public Screen {
 public:
  static constexpr const char* kName = "frmAuswahl";
  static constexpr int kFarben = 4;  // blue, yellow, red, white
  explicit FrmAuswahl(App& app);

  void Form_Load() override;

  Element& lblAnweisung;
  Element& txtName;   // player 1's name
  Element& txtName2;  // player 2's, in the same place: a screen reader hears the new box
  Element& cmdName1Weiter;
  Element& cmdName2Weiter;
  Element& imgAuto1SP1;
  Element& imgAuto1SP2;
  Element& imgAuto2SP1;
  Element& imgAuto2SP2;
  Element& imgAuto3SP1;
  Element& imgAuto3SP2;
  Element& imgAuto4Sp1;
  Element& imgAuto4SP2;
  Element& tmrRausFahren;

  // The name box shown now: player 1's, then player 2's.
  Element& nameBox() { return txtName2.Visible() ? txtName2 : txtName; }
  // The car image of `spieler` (1 or 2) in colour `farbe` (0 blue .. 3 white).
  Element& autoBild(int spieler, int farbe);

  std::string GewaehltesAuto;  // car choice key of the car clicked last ("blau1" .. "weiss2")
  Int16 Schrittweite;          // twips the moving car drives per tick

 private:
  void cmdName1Weiter_Click();
  void cmdName2Weiter_Click();
  void txtName_KeyPress(int& KeyAscii);
  void imgAuto1SP1_Click();
  void imgAuto2SP1_Click();
  void imgAuto3SP1_Click();
  void imgAuto4Sp1_Click();
  void imgAuto1SP2_Click();
  void imgAuto2SP2_Click();
  void imgAuto3SP2_Click();
  void imgAuto4SP2_Click();
  void tmrRausFahren_Timer();

  Element& addAuto(const std::string& elementName, int farbe);

  // Shared by the eight car handlers: the car of colour `farbe` for player `spieler`.
  void AutoGewaehlt(int spieler, int farbe);
  void NameFehlt();
  // Shows the instruction and has the name box and the cars say it to a screen reader.
  void Anweisung(const std::string& text);
  void RausFahrenEndeSpieler1(int farbe);
  void RausFahrenEndeSpieler2();

  std::array<Element*, kFarben> autosSP1_{};
  std::array<Element*, kFarben> autosSP2_{};
};

}  // namespace tj
