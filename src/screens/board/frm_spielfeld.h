// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "game/race_game.h"
#include "game/track.h"
#include "screens/screen.h"

namespace tj {

// The race board: the track with both players' cars, the die buttons, the fuel labels,
// the turn announcement and the menu. Loaded once per run. It shows what the race reports
// and runs the die turn: the race rolls, drives and pays, the board opens the screens that
// follow a move.
class FrmSpielfeld final : public Screen, public RaceView {
 public:
  static constexpr const char* kName = "frmSpielfeld";
  static constexpr int kFelder = track::kFieldCount;
  explicit FrmSpielfeld(App& app);

  void Form_Load() override;
  void Form_Activate() override;

  // Shows the die button of the player on turn and says whose turn it is.
  void SpielerReihenfolge();

  // The car every field shows until a car colour is chosen, and when its picture cannot be read.
  static Picture platzhalterAuto();

  Element& imgSpieler1(int i) { return *imgSpieler1_.at(static_cast<std::size_t>(i)); }
  Element& imgSpieler2(int i) { return *imgSpieler2_.at(static_cast<std::size_t>(i)); }
  // Player 1's car on field i for 1, player 2's for any other number.
  Element& imgSpieler(int spieler, int i);

  Element& imgHintergrund;
  Element& lblSpieler1Name;
  Element& lblSpieler2Name;
  Element& lblAktiverSpieler;
  Element& cmdWuerfel;
  Element& cmdWuerfeln2;
  Element& imgWuerfel;
  Element& lblHeadlineTank;
  Element& lblTank;
  Element& lblTankInhalt2;
  Element& lblTank2;
  Element& lblErgebnis;
  Element& lblErgebnis2;
  Element& lblHeadlineBewegung;
  Element& lblBewegung;
  Element& Label3;
  Element& lblBewegung2;
  Element& lblUeberholt;

  // What the race shows here.
  void nameSet(int player, const std::string& name) override;
  void tankShown(int player, Int16 fuel) override;
  void carShown(int player, int field, bool visible) override;
  void carShifted(int player, int field, int twips) override;
  void rollShown(int player, Int16 roll) override;
  void stepsShown(int player, Int16 steps) override;
  void dieCleared() override;
  void carChosen(int player, int colour) override;
  void setupDone() override;

 private:
  void cmdWuerfel_Click() { Wuerfeln(1); }
  void cmdWuerfeln2_Click() { Wuerfeln(2); }
  void Wuerfeln(int spieler);
  void ZeigeWuerfel(int wurf);
  void Gewonnen(const std::string& name);
  void Feldereignis();

  void Beenden_Click();
  void Anleitung_Click();

  std::array<Element*, kFelder> imgSpieler1_{};
  std::array<Element*, kFelder> imgSpieler2_{};
};

}  // namespace tj
