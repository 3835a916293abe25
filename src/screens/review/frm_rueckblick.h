// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "game/race_game.h"
#include "screens/report.h"
#include "screens/screen.h"

namespace tj {

// The look back at the current game: every question in the order it was answered (player,
// level, question, the answer given, the right answer, and right or wrong as a mark and in
// words) and per player how many easy and hard questions were answered right. All of it
// plain text, as the page that is printed.
Report reviewReport(const RaceGame& race);

// The rows of a report as saved for a spreadsheet: the headings, then the table's rows. A
// cell that a spreadsheet would take for a formula (it starts with "=", "+", "-" or "@" and
// is no plain number) starts with an apostrophe, so that it stays text.
std::vector<std::vector<std::string>> spreadsheetRows(const TableContent& table);

// The Rückblick window: the report, "Drucken …" through the system's print dialog (which
// also saves a PDF), "Als CSV speichern …" for spreadsheets and "Schließen". Nothing is
// written unless the player saves. Shown modally over the board or the winner screen.
class FrmRueckblick final : public Screen {
 public:
  static constexpr const char* kName = "frmRueckblick";
  static constexpr const char* kTitle = "Rückblick";
  explicit FrmRueckblick(App& app);

  void Form_Load() override;

  Element& lblTitel;
  Element& lblStand;
  Element& tblFragen;
  Element& cmdDrucken;
  Element& cmdSpeichern;
  Element& cmdSchliessen;

 private:
  void cmdSpeichern_Click();
  Report report_;
};

}  // namespace tj
