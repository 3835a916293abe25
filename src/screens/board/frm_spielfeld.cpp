// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/board/frm_spielfeld.h"

#include "game/race.h"
#include "game/track.h"
#include "screens/app.h"
#include "screens/action/frm_aktion.h"
#include "screens/instructions/frm_anleitung.h"
#include "screens/level/frm_level.h"
#include "screens/setup/frm_auswahl.h"
#include "screens/skip/frm_aussetzen.h"
#include "screens/spoken.h"
#include "screens/winner/frm_gewonnen.h"

namespace tj {

namespace {

WindowSpec boardWindow() {
  WindowSpec w = WindowSpec::maximised(track::kBoardWidth, track::kBoardHeight, Color::highlight());
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
      lblUeberholt(add("lblUeberholt", ElementKind::Label, 5520, 5880, 45, 195)),
      cmdReset(add("cmdReset", ElementKind::Button, 4200, 1440, 1215, 495, "Reset Test")),
      cmdBewegung(add("cmdBewegung", ElementKind::Button, 5520, 1440, 1815, 495, "Bewegen Spieler1 Test")),
      cmTank(add("cmTank", ElementKind::Button, 5520, 1980, 1815, 495, "Tanken Spieler 1 Test")),
      Command1(add("Command1", ElementKind::Button, 4200, 1980, 1215, 495, "Command1")) {
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
  // Value holders and test buttons: never shown to the players.
  for (Element* e : {&lblErgebnis, &lblErgebnis2, &lblHeadlineBewegung, &lblBewegung, &Label3, &lblBewegung2, &cmdReset,
                     &cmdBewegung, &cmTank, &Command1})
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
  cmdReset.Click = [this] { cmdReset_Click(); };
  cmdBewegung.Click = [this] { cmdBewegung_Click(); };
  cmTank.Click = [this] { cmTank_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  MenuItem ton{"Ton", "Ton", [&app] { app.setSoundOn(!app.soundOn()); }};
  ton.Checked = [&app] { return app.soundOn(); };
  addMenu(Menu{"Datei", {std::move(ton), MenuItem{"Beenden", "Beenden", [this] { Beenden_Click(); }}}});
  addMenu(Menu{"Hilfe", {MenuItem{"Anleitung", "Anleitung", [this] { Anleitung_Click(); }}}});
}

// ---- set-up, activation, turn announcement, new game -------------------------------------

// Start values shared by the load and the new game: fuel, positions, cars on the start
// field, rewards, skip and first-event flags, and the start player still to be drawn.
void FrmSpielfeld::Startwerte() {
  GameState& g = app().g;
  ZielFeld = track::kGoalField;
  g.TankSpieler1 = 10;
  g.TankSpieler2 = 10;
  VerbrauchProFeld = 1;
  lblTank.setCaption(Str(g.TankSpieler1));
  lblTank2.setCaption(Str(g.TankSpieler2));
  SchritteSpieler1 = 0;
  g.PositionSpieler1 = 0;
  SchritteSpieler2 = 0;
  g.PositionSpieler2 = 0;
  imgSpieler1(0).setVisible(true);
  imgSpieler2(0).setVisible(true);
  lblBewegung.setCaption("0");
  lblErgebnis.setCaption("0");
  startRewards(g);
  g.SpielGestartet = 0;
  g.AussetzenSpieler1 = kFalse;
  g.AussetzenSpieler2 = kFalse;
  ErsterZugSpieler1 = kFalse;
  ErsterZugSpieler2 = kFalse;
}

void FrmSpielfeld::startRewards(GameState& g) {
  g.BelohnungLeicht = 2;
  g.BelohnungSchwer = 4;
}

void FrmSpielfeld::Form_Load() {
  app().g.SpielEnde = kFalse;
  Startwerte();
  imgWuerfel.accessibleName = "Würfel";
  imgWuerfel.setPicture(Picture::none());
}

void FrmSpielfeld::Form_Activate() {
  // The design area is the window's outer size; the front end scales it to the screen.
  imgHintergrund.move(0, track::kBackgroundTop, window().clientWidth, window().clientHeight - track::kBackgroundTop);
  Spieler1Verschiebung();
  GameState& g = app().g;
  if (g.SpielGestartet == 0) {
    app().rnd().Randomize();
    SpielerAmZug = race::startPlayerFromR(app().rnd().Rnd());
  }
  g.SpielGestartet = 1;
  SpielerReihenfolge();
}

void FrmSpielfeld::SpielerReihenfolge() {
  const GameState& g = app().g;
  cmdWuerfel.setVisible(false);
  cmdWuerfeln2.setVisible(false);
  if (SpielerAmZug == 1) {
    lblAktiverSpieler.setCaption(g.NameSpieler1 + " ist dran!");
    cmdWuerfel.setVisible(true);
  } else {
    lblAktiverSpieler.setCaption(g.NameSpieler2 + " ist dran!");
    cmdWuerfeln2.setVisible(true);
  }
  // The die button of the player on turn has the focus and tells where both stand.
  const spoken::Stand p1{g.NameSpieler1, g.TankSpieler1.value(), race::shownField(g.PositionSpieler1, ZielFeld)};
  const spoken::Stand p2{g.NameSpieler2, g.TankSpieler2.value(), race::shownField(g.PositionSpieler2, ZielFeld)};
  for (Element* b : {&cmdWuerfel, &cmdWuerfeln2})
    b->setDescription(spoken::turn(SpielerAmZug == 1 ? p1.name : p2.name, p1, p2));
  focusFirst();
}

void FrmSpielfeld::cmdReset_Click() {
  for (int i = 0; i <= ZielFeld.value() && i < kFelder; ++i) {
    imgSpieler1(i).setVisible(false);
    imgSpieler2(i).setVisible(false);
  }
  WurfSpieler1 = 0;
  WurfSpieler2 = 0;
  for (Element* e : {&lblBewegung, &lblErgebnis, &lblBewegung2, &lblErgebnis2}) e->setCaption("0");
  Startwerte();
  imgWuerfel.accessibleName = "Würfel";
  imgWuerfel.setPicture(Picture::none());
  app().screen<FrmAuswahl>().ShowModal();
}

void FrmSpielfeld::UnloadForms() { app().forms.UnloadForms(); }

// ---- the cars on the track ----------------------------------------------------------------

// Undo the last shift, then draw the two cars apart when they share a field. The shifted
// elements are those of the shown field min(position, ZielFeld), clamped at 0, so no index
// leaves the track even with both cars past the goal.
void FrmSpielfeld::Spieler1Verschiebung() {
  GameState& g = app().g;
  if (g.VerschiebungAktiv != kFalse) {
    Element& a = imgSpieler1(race::shownField(g.VerschiebungFeldSpieler1, ZielFeld));
    a.setTop(a.Top() - track::kPairShift);
    Element& b = imgSpieler2(race::shownField(g.VerschiebungFeldSpieler2, ZielFeld));
    b.setTop(b.Top() + track::kPairShift);
    g.VerschiebungAktiv = kFalse;
  }
  if (g.PositionSpieler1 == g.PositionSpieler2) {
    g.VerschiebungFeldSpieler1 = g.PositionSpieler1;
    g.VerschiebungFeldSpieler2 = g.PositionSpieler2;
    Element& a = imgSpieler1(race::shownField(g.PositionSpieler1, ZielFeld));
    a.setTop(a.Top() + track::kPairShift);
    Element& b = imgSpieler2(race::shownField(g.PositionSpieler2, ZielFeld));
    b.setTop(b.Top() - track::kPairShift);
    g.VerschiebungAktiv = kTrue;
  }
}

Picture FrmSpielfeld::platzhalterAuto() { return Picture::stored("auto_platzhalter.gif", 71, 33); }

Element& FrmSpielfeld::imgSpieler(int spieler, int i) { return spieler == 1 ? imgSpieler1(i) : imgSpieler2(i); }

FrmSpielfeld::Seite FrmSpielfeld::seite(int spieler) {
  const PlayerVars p = playerVars(app().g, spieler);
  if (spieler == 1)
    return {1,      p.skip,    WurfSpieler1, SchritteSpieler1, p.tank,  p.position,
            p.name, kSpieler1, lblErgebnis,  lblBewegung,      lblTank, imgSpieler1_};
  return {2,      p.skip,    WurfSpieler2, SchritteSpieler2, p.tank,   p.position,
          p.name, kSpieler2, lblErgebnis2, lblBewegung2,     lblTank2, imgSpieler2_};
}

Element& FrmSpielfeld::auto_(Seite& s, Int16 position) {
  return *s.autos.at(static_cast<std::size_t>(race::shownField(position, ZielFeld)));
}

void FrmSpielfeld::Tanken(int spieler, int liter) {
  Seite s = seite(spieler);
  s.tank = addFuel(s.tank, liter);
  s.lblTank.setCaption(Str(s.tank));
}

// ---- the dice turn ------------------------------------------------------------------------

// A click on a player's die button: serve a pending skip, or roll, drive and pay, move, and
// end with a question or a card. A winning move ends the handler right after the winner
// screen: the game is over and a new one, with its own drawn start player, may already run.
void FrmSpielfeld::Wuerfeln(int spieler) {
  Seite s = seite(spieler);
  const int andere = spieler == 1 ? 2 : 1;
  if (s.aussetzen != kFalse) {
    app().screen<FrmAussetzen>().ShowModal();
    s.aussetzen = kFalse;
    SpielerAmZug = andere;
    SpielerReihenfolge();
    return;
  }
  app().rnd().Randomize();
  s.wurf = race::rollFromR(app().rnd().Rnd());
  s.lblErgebnis.setCaption(Str(s.wurf));
  app().play(Sound::Roll);
  ZeigeWuerfel(s.wurf.value());
  FahrenUndZahlen(s);
  BewegeSpieler(spieler);
  GameState& g = app().g;
  if (g.SpielEnde != kFalse) {
    g.SpielEnde = kFalse;
    return;
  }
  SpielerAmZug = andere;
  Feldereignis();
}

// The die face of the roll; when its file cannot be read the front end draws the number
// instead (the picture loader has told the maintainer which file failed).
void FrmSpielfeld::ZeigeWuerfel(int wurf) {
  Picture face = app().LoadPicture(app().AppPath("\\wuerfel\\w" + Str(wurf) + ".gif"));
  if (face.empty()) face = Picture::text(Str(wurf));
  imgWuerfel.accessibleName = "Würfel: " + Str(wurf);
  imgWuerfel.setPicture(std::move(face));
}

// Lift the car, drive the last roll as far as the fuel allows and set the step count.
void FrmSpielfeld::FahrenUndZahlen(Seite& s) {
  auto_(s, s.position).setVisible(false);
  const race::Drive d = race::drive(s.wurf.value(), s.tank, VerbrauchProFeld);
  s.tank = d.tank;
  if (d.tankWritten) s.lblTank.setCaption(Str(s.tank));
  if (d.stepsWritten) s.lblBewegung.setCaption(Str(d.steps));
  s.schritte = Val(s.lblBewegung.Caption());
}

// Put the car on its new field; at or past the goal, announce the winner and wait for the
// winner screen. Then draw the cars apart if they share a field.
void FrmSpielfeld::BewegeSpieler(int spieler) {
  Seite s = seite(spieler);
  GameState& g = app().g;
  g.AktiverSpieler = s.schluessel;
  s.position = s.position + s.schritte;
  auto_(s, s.position).setVisible(true);
  LetzteAnsage = spoken::roll(s.name, s.wurf.value(), s.schritte.value(), s.tank.value(),
                              race::shownField(s.position, ZielFeld), ZielFeld.value());
  if (s.position >= ZielFeld) {
    g.SpielEnde = kTrue;
    FrmGewonnen& gewonnen = app().form<FrmGewonnen>();
    gewonnen.lblGewonnen.setCaption("Super " + s.name + ", DU hast GEWONNEN !");
    for (Element* b : {&gewonnen.cmdEnde, &gewonnen.cmdNeu})
      b->setDescription(LetzteAnsage + " " + spoken::winner(s.name));
    app().play(Sound::Win);
    gewonnen.ShowModal();
  }
  Spieler1Verschiebung();
}

void FrmSpielfeld::Feldereignis() {
  GameState& g = app().g;
  const race::FieldEventState state{g.SpielEnde != kFalse, ErsterZugSpieler1,  ErsterZugSpieler2, SpielerAmZug,
                                    g.PositionSpieler1,    g.PositionSpieler2, ZielFeld};
  switch (race::decideFieldEvent(state, app().rnd())) {
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

// ---- hidden test buttons and the menu -----------------------------------------------------

// Player 1 drives the last roll again: no new roll, no turn change, no field event.
void FrmSpielfeld::cmdBewegung_Click() {
  Seite s = seite(1);
  FahrenUndZahlen(s);
  BewegeSpieler1();
}

// 500 litres for player 1.
void FrmSpielfeld::cmTank_Click() { Tanken(1, 500); }

// Both cars forward by ZielFeld - 5 fields, without lifting them first.
void FrmSpielfeld::Command1_Click() {
  SchritteSpieler1 = ZielFeld - 5;
  BewegeSpieler1();
  SchritteSpieler2 = ZielFeld - 5;
  BewegeSpieler2();
}

void FrmSpielfeld::Beenden_Click() { UnloadForms(); }

void FrmSpielfeld::Anleitung_Click() { app().screen<FrmAnleitung>().ShowModal(); }

}  // namespace tj
