// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "game/game_state.h"
#include "game/track.h"
#include "screens/screen.h"

namespace tj {

// The race board: the track with both players' cars, the die buttons, the fuel labels,
// the turn announcement and the menu. Loaded once per run; its variables are BoardVars.
class FrmSpielfeld final : public Screen, public BoardVars {
 public:
  static constexpr const char* kName = "frmSpielfeld";
  static constexpr int kFelder = track::kFieldCount;
  explicit FrmSpielfeld(App& app);

  void Form_Load() override;
  void Form_Activate() override;

  // Public procedures other screens call.
  void Spieler1Verschiebung();
  void SpielerReihenfolge();
  void cmdReset_Click();
  void UnloadForms();
  // Adds `liter` to the player's (1 or 2) tank, held at the 16-bit limit, and shows it.
  void Tanken(int spieler, int liter);

  // The car every field shows until a car colour is chosen, and when its picture cannot be read.
  static Picture platzhalterAuto();
  // What a right easy and a right hard answer pay from the start of a game (the question
  // editor's preview pays the same).
  static void startRewards(GameState& g);

  // What the last roll did, for the screen reader of the dialog that follows it.
  std::string LetzteAnsage;

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
  Element& cmdReset;
  Element& cmdBewegung;
  Element& cmTank;
  Element& Command1;

 private:
  // One player's side of the board: the values and elements the die turn and the move
  // act on. The two die handlers and the two move procedures differ only in these.
  struct Seite {
    int nummer;  // 1 or 2
    Flag& aussetzen;
    Int16& wurf;
    Int16& schritte;
    Int16& tank;
    Int16& position;
    const std::string& name;
    const std::string& schluessel;  // player key for AktiverSpieler
    Element& lblErgebnis;
    Element& lblBewegung;
    Element& lblTank;
    std::array<Element*, kFelder>& autos;
  };
  Seite seite(int spieler);
  Element& auto_(Seite& s, Int16 position);

  void cmdWuerfel_Click() { Wuerfeln(1); }
  void cmdWuerfeln2_Click() { Wuerfeln(2); }
  void Wuerfeln(int spieler);
  void ZeigeWuerfel(int wurf);
  void FahrenUndZahlen(Seite& s);
  void BewegeSpieler1() { BewegeSpieler(1); }
  void BewegeSpieler2() { BewegeSpieler(2); }
  void BewegeSpieler(int spieler);
  void Feldereignis();
  void Startwerte();

  void cmdBewegung_Click();
  void cmTank_Click();
  void Command1_Click();
  void Beenden_Click();
  void Anleitung_Click();

  std::array<Element*, kFelder> imgSpieler1_{};
  std::array<Element*, kFelder> imgSpieler2_{};
};

}  // namespace tj
