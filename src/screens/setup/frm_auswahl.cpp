// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/setup/frm_auswahl.h"

#include "game/track.h"
#include "screens/app.h"
#include "screens/car_colours.h"
#include "screens/spoken.h"

namespace tj {

namespace {

static_assert(FrmAuswahl::kFarben == kCarColours.size());

// Where the two images of each colour stand (both players' sets share the place).
struct Platz {
  float left;
  float top;
};
constexpr std::array<Platz, FrmAuswahl::kFarben> kPlaetze{{{7680, 4440}, {8640, 3480}, {6600, 5400}, {5640, 6360}}};

std::string schluessel(int spieler, int farbe) {
  return kCarColours[static_cast<std::size_t>(farbe)].word + std::to_string(spieler);
}

WindowSpec auswahlWindow() { return WindowSpec::maximised(9660, 7440, Color::highlight(), "Namen und Autos"); }

}  // namespace

FrmAuswahl::FrmAuswahl(App& app)
    : Screen(app, kName, auswahlWindow()),
      lblAnweisung(add("lblAnweisung", ElementKind::Label, 5520, 720, 4770, 360)),
      txtName(add("txtName", ElementKind::TextBox, 5640, 1320, 1215, 495)),
      txtName2(add("txtName2", ElementKind::TextBox, 5640, 1320, 1215, 495)),
      cmdName1Weiter(add("cmdName1Weiter", ElementKind::Button, 8400, 1320, 1215, 495, "Weiter")),
      cmdName2Weiter(add("cmdName2Weiter", ElementKind::Button, 8400, 1320, 1215, 495, "Weiter")),
      imgAuto1SP1(addAuto("imgAuto1SP1", 0)),
      imgAuto1SP2(addAuto("imgAuto1SP2", 0)),
      imgAuto2SP1(addAuto("imgAuto2SP1", 1)),
      imgAuto2SP2(addAuto("imgAuto2SP2", 1)),
      imgAuto3SP1(addAuto("imgAuto3SP1", 2)),
      imgAuto3SP2(addAuto("imgAuto3SP2", 2)),
      imgAuto4Sp1(addAuto("imgAuto4Sp1", 3)),
      imgAuto4SP2(addAuto("imgAuto4SP2", 3)),
      tmrRausFahren(addTimer("tmrRausFahren", 10, false)),
      autosSP1_{&imgAuto1SP1, &imgAuto2SP1, &imgAuto3SP1, &imgAuto4Sp1},
      autosSP2_{&imgAuto1SP2, &imgAuto2SP2, &imgAuto3SP2, &imgAuto4SP2} {
  lblAnweisung.font = Font{"MS Sans Serif", 13.5f, true, false, false};
  lblAnweisung.setForeColor(Color::highlightText());
  lblAnweisung.setBackColor(Color::highlight());
  lblAnweisung.transparent = true;
  lblAnweisung.autoSize = true;
  lblAnweisung.wordWrap = false;

  txtName.tabIndex = 0;
  txtName.accessibleName = spoken::nameBoxName(1);
  txtName2.tabIndex = 0;
  txtName2.accessibleName = spoken::nameBoxName(2);
  txtName2.setVisible(false);
  cmdName1Weiter.tabIndex = 1;
  cmdName2Weiter.tabIndex = 2;
  cmdName2Weiter.setVisible(false);

  cmdName1Weiter.Click = [this] { cmdName1Weiter_Click(); };
  cmdName2Weiter.Click = [this] { cmdName2Weiter_Click(); };
  txtName.KeyPress = [this](int& k) { txtName_KeyPress(k); };
  txtName2.KeyPress = [this](int& k) { txtName_KeyPress(k); };
  imgAuto1SP1.Click = [this] { imgAuto1SP1_Click(); };
  imgAuto2SP1.Click = [this] { imgAuto2SP1_Click(); };
  imgAuto3SP1.Click = [this] { imgAuto3SP1_Click(); };
  imgAuto4Sp1.Click = [this] { imgAuto4Sp1_Click(); };
  imgAuto1SP2.Click = [this] { imgAuto1SP2_Click(); };
  imgAuto2SP2.Click = [this] { imgAuto2SP2_Click(); };
  imgAuto3SP2.Click = [this] { imgAuto3SP2_Click(); };
  imgAuto4SP2.Click = [this] { imgAuto4SP2_Click(); };
  tmrRausFahren.Timer = [this] { tmrRausFahren_Timer(); };
}

Element& FrmAuswahl::addAuto(const std::string& elementName, int farbe) {
  const CarColour& f = kCarColours[static_cast<std::size_t>(farbe)];
  const Platz& p = kPlaetze[static_cast<std::size_t>(farbe)];
  Element& e = add(elementName, ElementKind::Picture, p.left, p.top, track::kCarWidth, track::kCarHeight);
  e.setPicture(Picture::stored(f.stored, 71, 33));
  e.stretch = false;
  e.accessibleName = f.name;
  e.tabIndex = 3 + farbe;  // after the name box and its buttons; a player sees one set at a time
  e.setVisible(false);
  return e;
}

Element& FrmAuswahl::autoBild(int spieler, int farbe) {
  return *(spieler == 1 ? autosSP1_ : autosSP2_).at(static_cast<std::size_t>(farbe));
}

void FrmAuswahl::Form_Load() {
  tmrRausFahren.setTimerEnabled(false);
  Schrittweite = 200;
  Anweisung("Bitte gib den Namen von Spieler 1 ein!");
  txtName.setVisible(true);
  cmdName1Weiter.setVisible(true);
}

void FrmAuswahl::Anweisung(const std::string& text) {
  lblAnweisung.setCaption(text);
  for (Element* box : {&txtName, &txtName2}) box->setDescription(spoken::nameBox(text));
  app().say(text);
  for (int spieler = 1; spieler <= 2; ++spieler)
    for (int farbe = 0; farbe < kFarben; ++farbe) autoBild(spieler, farbe).setDescription(spoken::carChoice(text));
}

void FrmAuswahl::NameFehlt() {
  app().MsgBox("Bitte gib einen Namen ein!",
               "HALLOOO?"
               "?!!!");  // split: no trigraph
  SetFocus(nameBox());
}

// A name is stored exactly as typed: nothing is trimmed, blanks alone are a name.
void FrmAuswahl::cmdName1Weiter_Click() {
  if (txtName.Caption().empty()) return NameFehlt();
  const std::string name = txtName.Caption();
  cmdName1Weiter.setVisible(false);
  cmdName2Weiter.setVisible(true);
  Anweisung("Bitte gib den Namen von Spieler 2 ein!");
  txtName.setCaption("");
  txtName.setVisible(false);
  txtName2.setVisible(true);
  SetFocus(txtName2);  // player 2 types right away
  // The first name brings the board into being (hidden) with the start values of a game.
  app().race.setName(1, name);
}

void FrmAuswahl::cmdName2Weiter_Click() {
  if (txtName2.Caption().empty()) return NameFehlt();
  const std::string name = txtName2.Caption();
  cmdName2Weiter.setVisible(false);
  Anweisung("Bitte wähle dein Auto aus, " + app().race.state().NameSpieler1 + "!");
  txtName2.setCaption("");
  txtName2.setVisible(false);
  for (Element* bild : autosSP1_) bild->setVisible(true);
  focusFirst();  // the first car: the keyboard chooses from here
  app().race.setName(2, name);
}

// Enter confirms like the visible "Weiter" button; the key itself is never changed.
void FrmAuswahl::txtName_KeyPress(int& KeyAscii) {
  if (KeyAscii != 13) return;
  if (cmdName1Weiter.Visible()) {
    cmdName1Weiter_Click();
  } else if (cmdName2Weiter.Visible()) {
    cmdName2Weiter_Click();
  }
}

void FrmAuswahl::imgAuto1SP1_Click() { AutoGewaehlt(1, 0); }
void FrmAuswahl::imgAuto2SP1_Click() { AutoGewaehlt(1, 1); }
void FrmAuswahl::imgAuto3SP1_Click() { AutoGewaehlt(1, 2); }
void FrmAuswahl::imgAuto4Sp1_Click() { AutoGewaehlt(1, 3); }
void FrmAuswahl::imgAuto1SP2_Click() { AutoGewaehlt(2, 0); }
void FrmAuswahl::imgAuto2SP2_Click() { AutoGewaehlt(2, 1); }
void FrmAuswahl::imgAuto3SP2_Click() { AutoGewaehlt(2, 2); }
void FrmAuswahl::imgAuto4SP2_Click() { AutoGewaehlt(2, 3); }

// Track pictures first, then the key and the other cars of the player hidden, last the
// timer: the next tick starts (or, for the car already driving, continues) the drive-out.
void FrmAuswahl::AutoGewaehlt(int spieler, int farbe) {
  app().race.chooseCar(spieler, farbe);
  GewaehltesAuto = schluessel(spieler, farbe);
  for (int andere = 0; andere < kFarben; ++andere)
    if (andere != farbe) autoBild(spieler, andere).setVisible(false);
  if (!tmrRausFahren.TimerEnabled()) app().play(Sound::DriveOut);  // not again for the car on its way
  tmrRausFahren.setTimerEnabled(true);
}

// One step of the drive-out. The key is looked up afresh on every tick; an unknown key
// does nothing. The car's right edge at or left of the screen's edge ends the drive-out.
void FrmAuswahl::tmrRausFahren_Timer() {
  for (int spieler = 1; spieler <= 2; ++spieler) {
    for (int farbe = 0; farbe < kFarben; ++farbe) {
      if (GewaehltesAuto != schluessel(spieler, farbe)) continue;
      Element& bild = autoBild(spieler, farbe);
      bild.setLeft(bild.Left() - static_cast<float>(Schrittweite.value()));
      const float rechterRand = bild.Width() + bild.Left();
      if (rechterRand > 0) return;
      bild.setVisible(false);
      if (spieler == 1) {
        RausFahrenEndeSpieler1(farbe);
      } else {
        RausFahrenEndeSpieler2();
      }
      return;
    }
  }
}

// Player 2 is offered the three colours player 1 did not take.
void FrmAuswahl::RausFahrenEndeSpieler1(int farbe) {
  for (int f = 0; f < kFarben; ++f) autoBild(2, f).setVisible(f != farbe);
  Anweisung("Bitte wähle dein Auto aus, " + app().race.state().NameSpieler2 + "!");
  tmrRausFahren.setTimerEnabled(false);
  focusFirst();
}

// Hand-over: the board becomes visible (its activation draws the start player) and this
// screen is unloaded; the modal show that opened it returns.
void FrmAuswahl::RausFahrenEndeSpieler2() {
  tmrRausFahren.setTimerEnabled(false);
  Hide();
  app().race.setupDone();
  Unload();
}

}  // namespace tj
