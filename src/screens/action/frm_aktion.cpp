// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/action/frm_aktion.h"

#include "screens/app.h"
#include "screens/spoken.h"

namespace tj {

namespace {
constexpr Color kCardText = Color::rgb(0, 0, 192);

WindowSpec actionWindow() { return WindowSpec::dialog("Aktion", 8595, 3930, Color::buttonFace(), "Aktionskarte"); }

// A picture number names a file in the card picture folder only; anything that could
// reach another folder names none.
bool namesCardFile(const std::string& bildnr) {
  return bildnr.find('/') == std::string::npos && bildnr.find('\\') == std::string::npos &&
         bildnr.find("..") == std::string::npos;
}
}  // namespace

FrmAktion::FrmAktion(App& app)
    : RecordDialog(app, kName, actionWindow()),
      frmAktion(add("frmAktion", ElementKind::Frame, 0, 0, 8535, 3855, "AAAAND ACTION!!!")),
      lblAktionstxt(add("lblAktionstxt", ElementKind::Label, kCardTextBox.left, kCardTextBox.top, kCardTextBox.width,
                        kCardTextBox.height)),
      lblAktion(add("lblAktion", ElementKind::Label, kCardTitleBox.left, kCardTitleBox.top, kCardTitleBox.width,
                    kCardTitleBox.height)),
      imgAktion(add("imgAktion", ElementKind::Picture, 3960, 600, 4335, 2535)),
      lblBildnr(add("lblBildnr", ElementKind::Label, 3480, 120, 5055, 3615)),
      lblEreignis(add("lblEreignis", ElementKind::Label, 6840, 3480, 1095, 375)),
      cmdWeiter(add("cmdWeiter", ElementKind::Button, 120, 3120, 3255, 375, "Weiter")) {
  frmAktion.setBackColor(kPastelYellow);
  frmAktion.setForeColor(kCardText);
  frmAktion.font = Font{"Comic Sans MS", 15.75f, true, true, true};
  for (Element* e : {&lblAktionstxt, &lblAktion, &imgAktion, &lblBildnr, &lblEreignis}) e->container = &frmAktion;
  for (Element* e : {&lblAktionstxt, &lblAktion}) {
    e->transparent = true;
    e->setForeColor(kCardText);
  }
  takeLook(lblAktionstxt, kCardTextBox);
  takeLook(lblAktion, kCardTitleBox);
  imgAktion.accessibleName = "Bild der Aktionskarte";
  lblBildnr.setVisible(false);
  lblEreignis.setVisible(false);
  cmdWeiter.setBackColor(Color::rgb(255, 255, 0));
  cmdWeiter.font = Font{"Comic Sans MS", 9.75f, true, true, true};
  cmdWeiter.tabIndex = 0;
  cmdWeiter.Click = [this] { cmdWeiter_Click(); };
}

void FrmAktion::Form_Load() {
  auto card = readRecord(DeckId::Cards, data::kCardFields, "Diese Aktionskarte fällt aus.");
  if (!card) return;
  auto& [code, title, text, bildnr] = *card;
  lblAktionstxt.setCaption(std::move(text));
  lblAktion.setCaption(std::move(title));
  lblBildnr.setCaption(std::move(bildnr));
  lblEreignis.setCaption(std::move(code));
  // The card acts on "Weiter"; the fuel it will leave is said with it.
  const RaceGame& race = app().race;
  const int spieler = race.lastMover();
  const std::string name = spieler ? playerName(race.state(), spieler) : std::string();
  const int fuel = race.fuelAfterCard(lblEreignis.Caption());
  const std::string roll = spoken::lastMove(race);
  cmdWeiter.setDescription(roll + " " + spoken::card(lblAktion.Caption(), lblAktionstxt.Caption(), name, fuel));
  app().say(roll + " " + spoken::cardAloud(lblAktion.Caption(), lblAktionstxt.Caption(), name, fuel));
  loadCardPicture();
  app().play(Sound::Card);
}

// The picture takes its own size and is centred on lblBildnr's rectangle. A picture that
// cannot be read leaves the element empty at its designed place; the card still plays.
void FrmAktion::loadCardPicture() {
  const std::string& bildnr = lblBildnr.Caption();
  if (!namesCardFile(bildnr)) {
    app().services().warn("Bildnummer \"" + bildnr + "\" nennt keine Datei im Ordner Bilder");
    return;
  }
  Picture picture = app().LoadPicture(app().AppPath("\\Bilder\\" + bildnr + ".gif"));
  if (picture.empty()) return;
  const float width = static_cast<float>(picture.pixelWidth * kTwipsPerPixel);
  const float height = static_cast<float>(picture.pixelHeight * kTwipsPerPixel);
  imgAktion.setPicture(std::move(picture));
  imgAktion.setWidth(width);
  imgAktion.setHeight(height);
  imgAktion.setLeft((lblBildnr.Width() - width) / 2 + lblBildnr.Left());
  imgAktion.setTop((lblBildnr.Height() - height) / 2 + lblBildnr.Top());
}

// The card takes effect (the race shows it on the board and counts the game as started),
// then the dialog closes.
void FrmAktion::cmdWeiter_Click() {
  app().race.applyCard(lblEreignis.Caption());
  Unload();
}

}  // namespace tj
