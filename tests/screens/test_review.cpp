// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "screens/review/frm_rueckblick.h"
#include "test_board_support.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

// The player `key` has moved and answers a question of the level through the dialogs:
// record 1, right answer on button 2, the wrong one clicked is button 1.
void answerQuestion(Harness& h, const std::string& key, bool hard, bool right) {
  h.loop.then([&h, key](ScriptLoop&) { h.g().AktiverSpieler = key; });
  h.random.queue({0.0f, 0.6f});
  showFromBoard(h, "frmLevel");
  h.loop.click("frmLevel", hard ? "cmdSchwer" : "cmdLeicht");
  const std::string dialog = hard ? "frmFragenSchwer" : "frmFragenLeicht";
  h.loop.click(dialog, right ? "cmdAntwort(2)" : "cmdAntwort(1)").click(dialog, "cmdWeiter");
}

std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The board's "Rückblick …" lists every answer in order, right and wrong as a mark and in
// words, with each player's tally per level; it prints that page, saves it as CSV only
// where the player says, and tells why a file could not be written.
TEST(Review, listsPrintsAndSavesEveryAnswer) {
  Harness h;
  TempFolder folder;
  setQuestions(h, "tabFragen_leicht", {{"Wie?", "f1", "f2", "f3", "r"}});
  setQuestions(h, "tabFragen_schwer", {{"Was?", "g1", "g2", "g3", "s"}});
  openBoard(h);
  answerQuestion(h, kSpieler1, false, true);
  answerQuestion(h, kSpieler2, true, false);
  h.loop.menu("frmSpielfeld", "Rueckblick");
  const TableContent expected{{"Nr.", "Spieler", "Stufe", "Frage", "Gegebene Antwort", "Richtige Antwort", "Ergebnis"},
                              {{"1", "Anna", "leicht", "Wie?", "r", "r", "\u2714 richtig"},
                               {"2", "Ben", "schwer", "Was?", "g2", "s", "\u2718 falsch"}}};
  const std::string stand =
      "Anna – leicht: 1 von 1 richtig, schwer: 0 von 0 richtig\nBen – leicht: 0 von 0 richtig, schwer: 0 von 1 richtig";
  h.loop.then([&](ScriptLoop&) {
    auto& r = h.form<FrmRueckblick>();
    EXPECT_EQ(h.app.forms.top(), &r);
    EXPECT_EQ(r.lblTitel.Caption(), "Rückblick: Anna und Ben");
    EXPECT_EQ(r.tblFragen.table(), expected);
    EXPECT_EQ(r.lblStand.Caption(), stand);
    EXPECT_EQ(r.tblFragen.Description(), stand);
  });
  h.loop.click("frmRueckblick", "cmdDrucken");
  h.loop.then([&](ScriptLoop& s) { s.saveAs = folder / "rueckblick.csv"; });
  h.loop.click("frmRueckblick", "cmdSpeichern");
  h.loop.then([&](ScriptLoop& s) { s.saveAs = folder / "fehlt" / "x.csv"; });
  h.loop.click("frmRueckblick", "cmdSpeichern").ok();
  h.loop.then([&](ScriptLoop& s) { s.saveAs.reset(); });
  h.loop.click("frmRueckblick", "cmdSpeichern").click("frmRueckblick", "cmdSchliessen");
  h.loop.drain();

  ASSERT_EQ(h.loop.printed.size(), 1u);
  EXPECT_EQ(h.loop.printed[0].table, expected);
  EXPECT_EQ(readFile(folder / "rueckblick.csv"),
            "\xEF\xBB\xBFNr.;Spieler;Stufe;Frage;Gegebene Antwort;Richtige Antwort;Ergebnis\r\n"
            "1;Anna;leicht;Wie?;r;r;\u2714 richtig\r\n2;Ben;schwer;Was?;g2;s;\u2718 falsch\r\n");
  ASSERT_EQ(h.loop.messages().size(), 1u);
  EXPECT_NE(h.loop.messages()[0].text.find("x.csv“ kann nicht geschrieben werden"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "fehlt"));
  EXPECT_FALSE(h.app.forms.isLoaded(FrmRueckblick::kName));
}

// The winner screen's "Rückblick" opens over it and returns to it; "neues Spiel" starts a
// game without answers, which the look back then says.
TEST(Review, opensOverTheWinnerScreenAndANewGameStartsEmpty) {
  BoardHarness h;
  h.startGame(0.0f);
  h.g().AktiverSpieler = kSpieler1;
  h.app.race.answer(Level::Easy, "Wie?", "r", "r", true);
  showFromBoard(h, "frmGewonnen");
  h.loop.click("frmGewonnen", "cmdRueckblick");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_EQ(h.app.forms.top()->name(), FrmRueckblick::kName);
    EXPECT_EQ(h.form<FrmRueckblick>().tblFragen.table().rows.size(), 1u);
  });
  h.loop.click("frmRueckblick", "cmdSchliessen");
  h.loop.then([&](ScriptLoop&) { EXPECT_EQ(h.app.forms.top()->name(), "frmGewonnen"); });
  h.loop.click("frmGewonnen", "cmdNeu").click("frmAuswahl", "cmdFertig");
  h.loop.menu("frmSpielfeld", "Rueckblick");
  h.loop.then([&](ScriptLoop&) {
    EXPECT_EQ(h.form<FrmRueckblick>().lblStand.Caption(), "In diesem Spiel wurde noch keine Frage beantwortet.");
    EXPECT_TRUE(h.form<FrmRueckblick>().tblFragen.table().rows.empty());
  });
  h.loop.click("frmRueckblick", "cmdSchliessen");
  h.loop.drain();
}

// A cell a spreadsheet would run as a formula is saved as text; numbers stay numbers.
TEST(Review, spreadsheetCellsNeverBecomeFormulas) {
  const std::pair<std::string, std::string> cases[] = {{"=HYPERLINK(\"x\")", "'=HYPERLINK(\"x\")"},
                                                       {"@SUMME(A1)", "'@SUMME(A1)"},
                                                       {"-5 Grad", "'-5 Grad"},
                                                       {"+49 30", "'+49 30"},
                                                       {"-5", "-5"},
                                                       {"+10", "+10"},
                                                       {"3,5", "3,5"},
                                                       {"-1,5,3", "'-1,5,3"},
                                                       {"Berlin", "Berlin"},
                                                       {"", ""}};
  for (const auto& [cell, saved] : cases)
    EXPECT_EQ(spreadsheetRows({{"Frage"}, {{cell}}}).back().back(), saved) << cell;
}

}  // namespace
}  // namespace tj::testing
