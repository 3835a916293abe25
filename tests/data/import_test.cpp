// SPDX-License-Identifier: GPL-3.0-or-later
// The importers over files as people really have them (tests/data/import/README.md says
// where each quirk comes from), and files that cannot be imported at all.
#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "data/import.h"
#include "fixtures.h"

namespace fs = std::filesystem;
using namespace tj::data;

namespace {

const fs::path kDir = TJ_IMPORT_SAMPLES;

struct Sample {
  const char* file;
  std::string source;
  std::string report;
  Question first;  // the first accepted question
  std::optional<Level> firstLevel;
  std::string anotherText;  // one more accepted question, its text only
};

TEST(Import, RealisticFiles) {
  const Sample samples[] = {
      {"tabelle_semikolon_cp1252.csv",
       "Tabelle (Trennzeichen „;“, Windows-1252)",
       "4 Fragen übernommen, 2 übersprungen: Zeile 5: nur drei Antworten; Zeile 7: unbekannte Stufe „mittel“ "
       "(leicht oder schwer)",
       {"Wie viele Beine hat eine Spinne?", {"sechs", "zehn", "zwölf"}, "acht"},
       Level::Easy,
       "Was kostet ein Brötchen beim Bäcker „Süß“?"},
      {"unicode_text_utf16.txt",
       "Tabelle (Trennzeichen Tabulator, UTF-16 LE)",
       "3 Fragen übernommen.",
       {"Welche Zahl nennt man π?", {"Eulersche Zahl", "Goldener Schnitt", "Wurzel zwei"}, "Kreiszahl"},
       std::nullopt,
       "Wer sagte \"Ich bin ein Berliner\"?"},
      {"komma_zeilenumbruch.csv",
       "Tabelle (Trennzeichen „,“, UTF-8)",
       "4 Fragen übernommen, 2 übersprungen: Zeile 5: 6 Spalten statt 5 (ein Trennzeichen im Text ohne "
       "Anführungszeichen?); Zeile 6: nur zwei Antworten",
       {"Wie heißt die Hauptstadt von Italien?", {"Mailand", "Neapel", "Turin"}, "Rom"},
       std::nullopt,
       "Welcher Planet ist der Sonne am nächsten?"},
      {"fragen.gift",
       "GIFT (UTF-8)",
       "4 Fragen übernommen, 8 übersprungen: Zeile 27: Wahr/Falsch-Frage; Zeile 29: Kurzantwortfrage; Zeile 31: "
       "Zahlenfrage; Zeile 33: Zuordnungsfrage; Zeile 35: Freitextfrage; Zeile 37: Lückentext; Zeile 39: nur drei "
       "Antworten; Zeile 41: Frage mit Teilpunkten",
       {"Wie heißt die Hauptstadt von Frankreich?", {"Lyon", "Marseille", "Nizza"}, "Paris"},
       std::nullopt,
       "Was ergibt 3 = 4 - 1 {wahr} oder {falsch}?"},
      {"fragen_aiken.txt",
       "Aiken (UTF-8)",
       "3 Fragen übernommen, 2 übersprungen: Zeile 15: nur drei Antworten; Zeile 21: „ANSWER:“ nennt keine der "
       "Antworten",
       {"Wie viele Kontinente gibt es?", {"fünf", "sechs", "acht"}, "sieben"},
       std::nullopt,
       "Welches Gas atmen Pflanzen bei der Fotosynthese ein?"},
  };
  for (const Sample& s : samples) {
    SCOPED_TRACE(s.file);
    const ImportResult r = importFile(kDir / s.file);
    EXPECT_EQ(r.source, s.source);
    EXPECT_EQ(reportText(r), s.report);
    ASSERT_GE(r.accepted.size(), 2u);
    EXPECT_EQ(r.accepted[0].question, s.first);
    EXPECT_EQ(r.accepted[0].level, s.firstLevel);
    EXPECT_EQ(r.accepted[1].question.text, s.anotherText);
  }
}

// Escapes, the [html] tag and the level column, each read where it matters.
TEST(Import, TextsComeOutPlain) {
  const ImportResult gift = importFile(kDir / "fragen.gift");
  ASSERT_EQ(gift.accepted.size(), 4u);
  EXPECT_EQ(gift.accepted[2].question.text,
            "Welches Zeichen trennt in der Frage: \"A ~ B\" die Teile und wie heißt es?");
  EXPECT_EQ(gift.accepted[3].question.text, "Welcher Fluss fließt durch Wien?");
  EXPECT_EQ(gift.accepted[3].line, 43);

  const ImportResult csv = importFile(kDir / "tabelle_semikolon_cp1252.csv");
  ASSERT_EQ(csv.accepted.size(), 4u);
  EXPECT_EQ(csv.accepted[1].question.right, "0,45 €");
  EXPECT_EQ(csv.accepted[2].question.text, "Welche Stadt liegt an der Elbe; und an der Saale?");
  EXPECT_EQ(csv.accepted[2].level, Level::Hard);
  EXPECT_EQ(csv.accepted[3].level, std::nullopt);

  // UTF-16 big endian with its mark, and little endian without one; a character beyond the
  // basic plane (Gothic ahsa, U+10330) from the first high surrogate on.
  const std::tuple<std::string, Encoding, std::string> utf16[] = {
      {std::string("\xFE\xFF\0F\0\t\0R", 8), Encoding::Utf16BE, "R"},
      {std::string("F\0\t\0R\0", 6), Encoding::Utf16LE, "R"},
      {std::string("\xFF\xFE" "F\0\t\0\x00\xD8\x30\xDF", 10), Encoding::Utf16LE, "\xF0\x90\x8C\xB0"}};
  for (const auto& [bytes, encoding, second] : utf16) {
    const Grid grid = readGrid(bytes, "x.txt");
    EXPECT_EQ(grid.encoding, encoding);
    EXPECT_EQ(grid.rows, (std::vector<std::vector<std::string>>{{"F", second}}));
  }
}

// The column guess from the names people give their columns, and without names; every row
// of these files is a question.
TEST(Import, ColumnGuess) {
  struct Case {
    std::string text;
    ColumnMap expected;
    std::size_t questions;
  };
  const Case cases[] = {
      {"Frage;Antwort1;Antwort2;Antwort3;Antwort Richtig\nF;a;b;c;d\n", {true, 0, 4, {1, 2, 3}, -1}, 1},
      {"Level;Question;Wrong 1;Wrong 2;Wrong 3;Correct answer\n1;F;a;b;c;d\n", {true, 1, 5, {2, 3, 4}, 0}, 1},
      {"Welche Frage ist das?;a;b;c;d;schwer\n", {false, 0, 1, {2, 3, 4}, 5}, 1},
      {"F1?;a;b;c;d;Buch S. 12\nF2?;a;b;c;d;Buch S. 13\n", {false, 0, 1, {2, 3, 4}, -1}, 2},
      // Longer than a column name (capitals count): a question, though it says "richtig".
      {"Zeige, welche Zahl richtig ist;12;13;14;15\n", {false, 0, 1, {2, 3, 4}, -1}, 1},
  };
  for (const Case& c : cases) {
    const Grid grid = readGrid(c.text, "x.csv");
    EXPECT_EQ(guessColumns(grid), c.expected) << c.text;
    EXPECT_EQ(importGrid(grid, guessColumns(grid)).accepted.size(), c.questions) << c.text;
  }
}

// Files that cannot be imported at all get a German message naming the file and the place.
TEST(Import, UnreadableFilesAreNamed) {
  const test::TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;  // empty: made below
    std::string expected;
  };
  const Case cases[] = {
      {"bild.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "ist keine Textdatei (Zeile 2"},
      {"riesig.csv", "", "zu groß"},
      {"dos.csv", "Frage;Antwort\nK\x81se;x\n", "Zeichenkodierung der Datei"},
      {"utf16.txt",
       std::string("\xFF\xFE"
                   "A\0\0",
                   5),
       "kein gültiges UTF-16"},
      {"quote.csv", "Frage;Antwort\n\"Offen;a;b;c;d\nF;a;b;c;d\n", "Zeile 2: Das Anführungszeichen"},
      {"offen.gift", "::A::Frage {=a ~b ~c ~d\n\n::B::Frage {=a ~b ~c ~d}\n", "Zeile 1: „{“ wird nicht"},
      {"zu.gift", "Frage {=a ~b ~c ~d}}\n", "Zeile 1: Eine Frage hat nur einen Antwortblock"},
      {"titel.gift", "::A Frage {=a ~b ~c ~d}\n", "Zeile 1: Der Titel"},
  };
  for (const Case& c : cases) {
    const fs::path file = dir.path() / c.name;
    std::ofstream(file, std::ios::binary) << c.bytes;
    if (c.bytes.empty()) fs::resize_file(file, 100u << 20);  // sparse: nothing is written
    const auto e = test::thrown<ImportError>([&] { importFile(file); });
    const std::string what = e ? e->what() : "imported";
    EXPECT_NE(what.find(file.string()), std::string::npos) << what;
    EXPECT_NE(what.find(c.expected), std::string::npos) << what;
  }
  EXPECT_THROW(importFile(dir.path()), ImportError);
  EXPECT_THROW(importFile(dir.path() / "fehlt.csv"), ImportError);
}

}  // namespace
