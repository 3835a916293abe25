// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/review/frm_rueckblick.h"

#include <cctype>

#include "data/set_file.h"
#include "screens/app.h"

namespace tj {

namespace {

WindowSpec reviewWindow() {
  return WindowSpec::dialog(FrmRueckblick::kTitle, 12000, 8400, kCream, FrmRueckblick::kTitle);
}

const char* levelWord(Level level) { return level == Level::Easy ? "leicht" : "schwer"; }

std::string shownName(const RaceGame& race, int player) {
  const std::string& name = playerName(race.state(), player);
  return name.empty() ? "Spieler " + std::to_string(player) : name;
}

std::string tallyText(Tally t) { return std::to_string(t.right) + " von " + std::to_string(t.asked) + " richtig"; }

// "-3", "4,5" and "+10": numbers a spreadsheet reads as such, not formulas.
bool plainNumber(const std::string& text) {
  std::size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
  bool digits = false, separator = false;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      digits = true;
    } else if ((text[i] == ',' || text[i] == '.') && !separator && digits) {
      separator = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

Report reviewReport(const RaceGame& race) {
  Report r;
  r.title = std::string(FrmRueckblick::kTitle) + ": " + shownName(race, 1) + " und " + shownName(race, 2);
  const AnswerLog& log = race.answers();
  if (log.entries().empty()) r.lines.emplace_back("In diesem Spiel wurde noch keine Frage beantwortet.");
  for (const int player : {1, 2}) {
    if (log.entries().empty()) break;
    r.lines.push_back(shownName(race, player) + " – leicht: " + tallyText(log.tally(player, Level::Easy)) +
                      ", schwer: " + tallyText(log.tally(player, Level::Hard)));
  }
  r.table.headings = {"Nr.", "Spieler", "Stufe", "Frage", "Gegebene Antwort", "Richtige Antwort", "Ergebnis"};
  int number = 0;
  for (const AnsweredQuestion& a : log.entries()) {
    const Mark mark = a.correct ? Mark::Right : Mark::Wrong;
    r.table.rows.push_back({std::to_string(++number), a.name.empty() ? "Spieler " + std::to_string(a.player) : a.name,
                            levelWord(a.level), a.question, a.given, a.right,
                            std::string(markSymbol(mark)) + (a.correct ? " richtig" : " falsch")});
  }
  return r;
}

std::vector<std::vector<std::string>> spreadsheetRows(const TableContent& table) {
  std::vector<std::vector<std::string>> rows{table.headings};
  rows.insert(rows.end(), table.rows.begin(), table.rows.end());
  for (auto& row : rows)
    for (std::string& cell : row)
      if (!cell.empty() && std::string_view("=+-@").find(cell[0]) != std::string_view::npos && !plainNumber(cell))
        cell.insert(0, 1, '\'');
  return rows;
}

FrmRueckblick::FrmRueckblick(App& app)
    : Screen(app, kName, reviewWindow()),
      lblTitel(add("lblTitel", ElementKind::Label, 240, 120, 11520, 420)),
      lblStand(add("lblStand", ElementKind::Label, 240, 600, 11520, 660)),
      tblFragen(add("tblFragen", ElementKind::Table, 240, 1380, 11520, 6120)),
      cmdDrucken(add("cmdDrucken", ElementKind::Button, 240, 7740, 3000, 435, "Drucken …")),
      cmdSpeichern(add("cmdSpeichern", ElementKind::Button, 3480, 7740, 3000, 435, "Als CSV speichern …")),
      cmdSchliessen(add("cmdSchliessen", ElementKind::Button, 8760, 7740, 3000, 435, "Schließen")) {
  for (Element* l : {&lblTitel, &lblStand}) {
    l->transparent = true;
    l->setForeColor(Color::rgb(0, 0, 128));
  }
  lblTitel.font = Font{"Tahoma", 12, true};
  lblStand.font = Font{"Tahoma", 9.75f, true};
  tblFragen.font = Font{"Tahoma", 9.75f};
  tblFragen.accessibleName = "Fragen dieses Spiels";
  tblFragen.tabIndex = 0;
  int tab = 1;
  for (Element* b : {&cmdDrucken, &cmdSpeichern, &cmdSchliessen}) {
    b->setBackColor(kPastelYellow);
    b->font = Font{"MS Sans Serif", 9.75f, true};
    b->tabIndex = tab++;
  }
  cmdDrucken.Click = [this] { this->app().loop().print(report_); };
  cmdSpeichern.Click = [this] { cmdSpeichern_Click(); };
  cmdSchliessen.Click = [this] { Unload(); };
  cmdSchliessen.cancel = true;
}

void FrmRueckblick::Form_Load() {
  report_ = reviewReport(app().race);
  lblTitel.setCaption(report_.title);
  std::string stand;
  for (const std::string& line : report_.lines) stand += (stand.empty() ? "" : "\n") + line;
  lblStand.setCaption(stand);
  tblFragen.setTable(report_.table);
  tblFragen.setDescription(stand);
}

// Saved whole or not at all; a file that cannot be written is named in a message and the
// window stays open.
void FrmRueckblick::cmdSpeichern_Click() {
  const auto file = app().loop().askSaveFile("Rückblick als CSV speichern", "Rückblick.csv", "CSV");
  if (!file) return;
  try {
    data::writeCsv(*file, spreadsheetRows(report_.table));
    cmdSpeichern.setDescription("Gespeichert in „" + file->string() + "“.");
  } catch (const std::exception& e) {
    app().MsgBox(e.what(), "Tank Jagd – Rückblick");
  }
}

}  // namespace tj
