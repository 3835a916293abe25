// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/instructions/frm_anleitung.h"

#include <memory>

#include "screens/app.h"
#include "screens/instructions/rtf_reader.h"

namespace tj {

namespace {
WindowSpec anleitungWindow() {
  return WindowSpec::dialog("Spielanleitung", 10245, 6435, kPastelYellow, "Spielanleitung");
}

// Deep blue: the document's light-yellow text stands out on it.
constexpr Color kDocumentBackground = Color::rgb(0, 0, 112);

// The stored instructions, or an empty document (and one line to the maintainer).
std::shared_ptr<const RichDocument> loadDocument(App& app) {
  const Services& s = app.services();
  std::string text = s.storedText ? s.storedText(FrmAnleitung::kDocument) : std::string();
  if (text.empty() && s.warn) s.warn(std::string("Gespeichertes Dokument fehlt: ") + FrmAnleitung::kDocument);
  return std::make_shared<const RichDocument>(readRtf(text));
}
}  // namespace

FrmAnleitung::FrmAnleitung(App& app)
    : Screen(app, kName, anleitungWindow()),
      rtfAnleitung(add("rtfAnleitung", ElementKind::RichText, 480, 360, 9255, 4935)),
      cmdWeg(add("cmdWeg", ElementKind::Button, 3960, 5520, 2055, 495, "Ausblenden")) {
  rtfAnleitung.document = loadDocument(app);
  rtfAnleitung.setBackColor(kDocumentBackground);
  rtfAnleitung.accessibleName = "Spielanleitung";
  rtfAnleitung.tabIndex = 0;
  cmdWeg.setBackColor(kCream);
  cmdWeg.font = Font{"MS Sans Serif", 12, true, false, false};
  cmdWeg.tabIndex = 1;
  cmdWeg.Click = [this] { cmdWeg_Click(); };
}

void FrmAnleitung::Form_Activate() { app().race.markStarted(); }

void FrmAnleitung::cmdWeg_Click() {
  Hide();
  Unload();
}

}  // namespace tj
