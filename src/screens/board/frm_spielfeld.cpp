// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/board/frm_spielfeld.h"

#include "game/race.h"
#include "game/track.h"
#include "screens/app.h"
#include "screens/action/frm_aktion.h"
#include "screens/car_colours.h"
#include "screens/instructions/frm_anleitung.h"
#include "screens/level/frm_level.h"
#include "screens/review/frm_rueckblick.h"
#include "screens/skip/frm_aussetzen.h"
#include "screens/spoken.h"
#include "screens/topics/frm_themen.h"
#include "screens/winner/frm_gewonnen.h"

namespace tj {

namespace {

WindowSpec boardWindow() {
  WindowSpec w = WindowSpec::maximised(track::kBoardWidth, track::kBoardHeight, Color::highlight(), "Spielfeld");
  w.icon = "icon.png";
  return w;
}

// The names, the turn announcement and the fuel labels: light text straight on the board.
void boardLabel(Element& e) {
  e.transparent = true;
  e.setForeColor(Color::highlightText());
  e.font = Font{"MS Sans Serif", 13.5f, true};
  e.wordWrap = false;  // a name too long for its place is shortened on one line
}

}  // namespace

FrmSpielfeld::FrmSpielfeld(App& app)
    : Screen(app, kName, boardWindow()),
      imgHintergrund(add("imgHintergrund", ElementKind::Picture, -120, 1320, 15300, 9585)),
      lblSpieler1Name(add("lblSpieler1Name", ElementKind::Label, 0, 120, 2655, 495, "Spieler1")),
      lblSpieler2Name(add("lblSpieler2Name", ElementKind::Label, 12480, 120, 2775, 495, "Spieler2")),
      lblAktiverSpieler(add("lblAktiverSpieler", ElementKind::Label, 3120, 360, 3615, 615, "Wer Ist Dran?")),
      cmdWuerfel(add("cmdWuerfel", ElementKind::Button, 6960, 120, 2295, 855, "Würfeln")),
      cmdWuerfeln2(add("cmdWuerfeln2", ElementKind::Button, 6960, 120, 2295, 855, "Würfeln")),
      imgWuerfel(add("imgWuerfel", ElementKind::Picture, 9480, 0, 1290, 1290)),
      lblHeadlineTank(add("lblHeadlineTank", ElementKind::Label, 0, 720, 1455, 495, "Tankinhalt")),
      lblTank(add("lblTank", ElementKind::Label, 1560, 720, 1215, 495, "liter")),
      lblTankInhalt2(add("lblTankInhalt2", ElementKind::Label, 12480, 720, 1575, 495, "Tankinhalt")),
      lblTank2(add("lblTank2", ElementKind::Label, 14160, 720, 975, 495, "Liter")),
      lblErgebnis(add("lblErgebnis", ElementKind::Label, 240, 2520, 1215, 495)),
      lblErgebnis2(add("lblErgebnis2", ElementKind::Label, 13920, 1320, 1215, 495)),
      lblHeadlineBewegung(add("lblHeadlineBewegung", ElementKind::Label, 1560, 1440, 1215, 255, "Schritte bewegt:")),
      lblBewegung(add("lblBewegung", ElementKind::Label, 1560, 1920, 1215, 495)),
      Label3(add("Label3", ElementKind::Label, 12360, 1320, 1215, 255, "Schritte bewegt:")),
      lblBewegung2(add("lblBewegung2", ElementKind::Label, 12360, 1680, 1215, 495)),
      lblUeberholt(add("lblUeberholt", ElementKind::Label, 5520, 5880, 45, 195)) {
  imgHintergrund.setPicture(Picture::stored("hintergrund.gif", 836, 631));
  imgHintergrund.stretch = true;
  imgHintergrund.accessibleName = "Rennstrecke";
  for (Element* e :
       {&lblSpieler1Name, &lblSpieler2Name, &lblAktiverSpieler, &lblHeadlineTank, &lblTank, &lblTankInhalt2, &lblTank2})
    boardLabel(*e);
  lblAktiverSpieler.alignment = Align::Right;
  lblAktiverSpieler.wordWrap = true;  // a long name takes a second line before it is cut
  lblTank.alignment = Align::Center;
  lblTank2.alignment = Align::Center;
  lblUeberholt.transparent = true;  // an unused 3-pixel label; no speck on the track
  for (Element* b : {&cmdWuerfel, &cmdWuerfeln2}) {
    b->font = Font{"MS Sans Serif", 13.5f, true};
    b->setVisible(false);
    b->tabIndex = 0;
  }
  imgWuerfel.accessibleName = "Würfel";
  // Value holders: never shown to the players.
  for (Element* e : {&lblErgebnis, &lblErgebnis2, &lblHeadlineBewegung, &lblBewegung, &Label3, &lblBewegung2})
    e->setVisible(false);

  for (int i = 0; i < kFelder; ++i) {
    const auto [left, top] = track::kSpots[static_cast<std::size_t>(i)];
    const std::string n = "(" + std::to_string(i) + ")";
    for (int spieler : {1, 2})
      (spieler == 1 ? imgSpieler1_ : imgSpieler2_)[static_cast<std::size_t>(i)] =
          &add("imgSpieler" + Str(spieler) + n, ElementKind::Picture, static_cast<float>(left), static_cast<float>(top),
               track::kCarWidth, track::kCarHeight);
  }
  for (auto* autos : {&imgSpieler1_, &imgSpieler2_})
    for (Element* e : *autos) {
      e->setPicture(platzhalterAuto());
      e->setVisible(false);
      e->accessibleName = autos == &imgSpieler1_ ? "Auto Spieler 1" : "Auto Spieler 2";
    }

  cmdWuerfel.Click = [this] { cmdWuerfel_Click(); };
  cmdWuerfeln2.Click = [this] { cmdWuerfeln2_Click(); };
  MenuItem ton{"Ton", "Ton", [&app] { app.setSoundOn(!app.soundOn()); }};
  ton.Checked = [&app] { return app.soundOn(); };
  MenuItem vorlesen{"Vorlesen", "Vorlesen", [&app] { app.setSpeechOn(!app.speechOn()); }};
  vorlesen.Checked = [&app] { return app.speechOn(); };
  MenuItem rueckblick{"Rueckblick", "Rückblick …", [this] { this->app().screen<FrmRueckblick>().ShowModal(); }};
  MenuItem themen{"Themen", "Themen …", [this] { this->app().screen<FrmThemen>().ShowModal(); }};
  themen.accessKey = "h";  // T is "Ton"
  addMenu(Menu{"Datei",
               {std::move(ton), std::move(vorlesen), std::move(rueckblick), std::move(themen),
                MenuItem{"Beenden", "Beenden", [this] { Beenden_Click(); }}}});
  addMenu(Menu{"Hilfe", {MenuItem{"Anleitung", "Anleitung", [this] { Anleitung_Click(); }}}});
}

// ---- set-up, activation, turn announcement -------------------------------------------------

void FrmSpielfeld::Form_Load() { app().race.boardLoaded(); }

void FrmSpielfeld::Form_Activate() {
  // The design area is the window's outer size; the front end scales it to the screen.
  imgHintergrund.move(0, track::kBackgroundTop, window().clientWidth, window().clientHeight - track::kBackgroundTop);
  app().race.boardActivated();
  SpielerReihenfolge();
}

void FrmSpielfeld::SpielerReihenfolge() {
  const RaceGame& race = app().race;
  const GameState& g = race.state();
  const int amZug = race.playerOnTurn();
  cmdWuerfel.setVisible(false);
  cmdWuerfeln2.setVisible(false);
  lblAktiverSpieler.setCaption(playerName(g, amZug) + " ist dran!");
  (amZug == 1 ? cmdWuerfel : cmdWuerfeln2).setVisible(true);
  // The die button of the player on turn has the focus and tells where both stand.
  const int ziel = race.vars().ZielFeld.value();
  const spoken::Stand p1{g.NameSpieler1, g.TankSpieler1.value(), race::shownField(g.PositionSpieler1, ziel)};
  const spoken::Stand p2{g.NameSpieler2, g.TankSpieler2.value(), race::shownField(g.PositionSpieler2, ziel)};
  const std::string& name = amZug == 1 ? p1.name : p2.name;
  for (Element* b : {&cmdWuerfel, &cmdWuerfeln2}) b->setDescription(spoken::turn(name, p1, p2));
  focusFirst();
  app().say(spoken::turnAloud(name));
}

// ---- what the race shows ---------------------------------------------------------------------

void FrmSpielfeld::nameSet(int player, const std::string& name) {
  (player == 1 ? lblSpieler1Name : lblSpieler2Name).setCaption(name);
}

void FrmSpielfeld::tankShown(int player, Int16 fuel) { (player == 1 ? lblTank : lblTank2).setCaption(Str(fuel)); }

void FrmSpielfeld::carShown(int player, int field, bool visible) { imgSpieler(player, field).setVisible(visible); }

void FrmSpielfeld::carShifted(int player, int field, int twips) {
  Element& car = imgSpieler(player, field);
  car.setTop(car.Top() + static_cast<float>(twips));
}

void FrmSpielfeld::rollShown(int player, Int16 roll) {
  (player == 1 ? lblErgebnis : lblErgebnis2).setCaption(Str(roll));
}

void FrmSpielfeld::stepsShown(int player, Int16 steps) {
  (player == 1 ? lblBewegung : lblBewegung2).setCaption(Str(steps));
}

void FrmSpielfeld::dieCleared() {
  imgWuerfel.accessibleName = "Würfel";
  imgWuerfel.setPicture(Picture::none());
}

// Fills fields 0..45 in ascending order, each element with a picture read afresh from
// its file, facing the way the track runs there. A file that cannot be read is reported
// once (by LoadPicture) and not tried again during this fill; its fields show the
// placeholder car (never the car of an earlier game), and the game goes on.
void FrmSpielfeld::carChosen(int player, int colour) {
  bool unlesbar[2] = {false, false};  // left-facing, right-facing file
  for (int i = 0; i < kFelder; ++i) {
    const bool rechts = track::facesRight(i);
    Picture bild =
        unlesbar[rechts] ? Picture::none() : app().LoadPicture(app().AppPath(carPicturePath(colour, rechts)));
    if (bild.empty()) {
      unlesbar[rechts] = true;
      bild = platzhalterAuto();
    }
    imgSpieler(player, i).setPicture(std::move(bild));
  }
}

void FrmSpielfeld::setupDone() { Show(); }

Picture FrmSpielfeld::platzhalterAuto() { return Picture::stored("auto_platzhalter.gif", 71, 33); }

Element& FrmSpielfeld::imgSpieler(int spieler, int i) { return spieler == 1 ? imgSpieler1(i) : imgSpieler2(i); }

// ---- the dice turn ------------------------------------------------------------------------

// A click on a player's die button: serve a pending skip, or roll, drive and pay, move, and
// end with a question or a card. A winning move ends the handler right after the winner
// screen: the game is over and a new one, with its own drawn start player, may already run.
void FrmSpielfeld::Wuerfeln(int spieler) {
  RaceGame& race = app().race;
  if (race.mustSkip(spieler)) {
    app().screen<FrmAussetzen>().ShowModal();
    race.serveSkip(spieler);
    SpielerReihenfolge();
    return;
  }
  const MoveReport zug = race.rollAndDrive(spieler);
  app().play(Sound::Roll);
  ZeigeWuerfel(zug.roll);
  if (zug.won) Gewonnen(playerName(race.state(), spieler));
  race.separateCars();
  if (race.passTurn(spieler)) Feldereignis();
}

// The die face of the roll; when its file cannot be read the front end draws the number
// instead (the picture loader has told the maintainer which file failed).
void FrmSpielfeld::ZeigeWuerfel(int wurf) {
  Picture face = app().LoadPicture(app().AppPath("\\wuerfel\\w" + Str(wurf) + ".gif"));
  if (face.empty()) face = Picture::text(Str(wurf));
  imgWuerfel.accessibleName = "Würfel: " + Str(wurf);
  imgWuerfel.setPicture(std::move(face));
}

// The winner text goes on the winner screen, which waits until the players choose.
void FrmSpielfeld::Gewonnen(const std::string& name) {
  FrmGewonnen& gewonnen = app().form<FrmGewonnen>();
  gewonnen.lblGewonnen.setCaption("Super " + name + ", DU hast GEWONNEN !");
  const std::string roll = spoken::lastMove(app().race);
  for (Element* b : {&gewonnen.cmdEnde, &gewonnen.cmdNeu}) b->setDescription(roll + " " + spoken::winner(name));
  app().say(roll + " " + spoken::winnerAloud(name));
  app().play(Sound::Win);
  gewonnen.ShowModal();
}

void FrmSpielfeld::Feldereignis() {
  switch (app().race.fieldEvent()) {
    case race::FieldEvent::None:
      return;
    case race::FieldEvent::Card:
      app().screen<FrmAktion>().ShowModal();
      return;
    case race::FieldEvent::Question:
      app().screen<FrmLevel>().ShowModal();
      return;
  }
}

// ---- the menu -------------------------------------------------------------------------------

void FrmSpielfeld::Beenden_Click() { app().forms.UnloadForms(); }

void FrmSpielfeld::Anleitung_Click() { app().screen<FrmAnleitung>().ShowModal(); }

}  // namespace tj
