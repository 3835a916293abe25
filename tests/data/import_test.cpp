// SPDX-License-Identifier: GPL-3.0-or-later
// The importers over files as people really have them (tests/data/import/README.md says
// where each quirk comes from), and files that cannot be imported at all.
#include <gtest/gtest.h>

#include <algorithm>
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
  // The sheets Calc wrote show the same rows; the .xls reader sees no merged level and no
  // formula's result.
  const std::string calcReport =
      "8 Fragen übernommen, 1 übersprungen:\nZeile 9: „Welcher Fluss fließt …“ – nur drei Antworten";
  const Question leapYear{"Wie viele Tage hat ein Schaltjahr?", {"365", "364", "360"}, "366"};
  const Sample samples[] = {
      {"calc_fragen.xlsx", "Excel-Tabelle, Tabellenblatt „Fragen“", calcReport, leapYear, Level::Easy,
       "Wie viel ist die Hälfte von eins?"},
      {"calc_fragen.ods", "LibreOffice-Tabelle, Tabellenblatt „Fragen“", calcReport, leapYear, Level::Easy,
       "Wie viel ist die Hälfte von eins?"},
      {"calc_fragen.xls", "Excel-97-Tabelle, Tabellenblatt „Fragen“",
       "7 Fragen übernommen, 2 übersprungen:\nZeile 8: „Wie viel ist 7 mal 8?“ – keine richtige Antwort\n"
       "Zeile 9: „Welcher Fluss fließt …“ – nur drei Antworten",
       leapYear, Level::Easy, "Wie viel ist die Hälfte von eins?"},
      {"export_inline.xlsx",
       "Excel-Tabelle, Tabellenblatt „Export“",
       "3 Fragen übernommen.",
       {"Wo liegt Kyoto?", {"China", "Korea", "Vietnam"}, "Japan"},
       std::nullopt,
       "Ist Wasser nass?"},
      {"tabelle_semikolon_cp1252.csv",
       "Tabelle als Text (Trennzeichen „;“, Windows-Zeichensatz)",
       "4 Fragen übernommen, 2 übersprungen:\nZeile 5: „Wie heißt der längste …“ – nur drei Antworten\n"
       "Zeile 7: „Wer schrieb „Faust“?“ – unbekannte Stufe „mittel“ (leicht oder schwer)",
       {"Wie viele Beine hat eine Spinne?", {"sechs", "zehn", "zwölf"}, "acht"},
       Level::Easy,
       "Was kostet ein Brötchen beim Bäcker „Süß“?"},
      {"unicode_text_utf16.txt",
       "Tabelle als Text (Trennzeichen Tabulator, Unicode-Text)",
       "3 Fragen übernommen.",
       {"Welche Zahl nennt man π?", {"Eulersche Zahl", "Goldener Schnitt", "Wurzel zwei"}, "Kreiszahl"},
       std::nullopt,
       "Wer sagte \"Ich bin ein Berliner\"?"},
      {"komma_zeilenumbruch.csv",
       "Tabelle als Text (Trennzeichen „,“, UTF-8)",
       "4 Fragen übernommen, 2 übersprungen:\nZeile 4: „Welche Farbe hat ein …“ – 6 Spalten statt 5 (ein "
       "Trennzeichen im Text ohne Anführungszeichen?)\nZeile 5: „Wie viele Tage hat eine …“ – nur zwei Antworten",
       {"Wie heißt die Hauptstadt von Italien?", {"Mailand", "Neapel", "Turin"}, "Rom"},
       std::nullopt,
       "Welcher Planet ist der Sonne am nächsten?"},
      {"fragen.gift",
       "GIFT (UTF-8)",
       "4 Fragen übernommen, 8 übersprungen:\nZeile 27: „Berlin ist die …“ – Wahr/Falsch-Frage\n"
       "Zeile 29: „Wer malte die Mona Lisa?“ – Kurzantwortfrage\nZeile 31: „In welchem Jahr fiel die …“ – "
       "Zahlenfrage\nZeile 33: „Ordne zu.“ – Zuordnungsfrage\nZeile 35: „Beschreibe deinen …“ – Freitextfrage\n"
       "Zeile 37: „Mose wurde im“ – Lückentext\nZeile 39: „Welche Farbe hat der …“ – nur drei Antworten\n"
       "Zeile 41: „Welche sind Primzahlen?“ – Frage mit Teilpunkten",
       {"Wie heißt die Hauptstadt von Frankreich?", {"Lyon", "Marseille", "Nizza"}, "Paris", "Erdkunde"},
       std::nullopt,
       "Was ergibt 3 = 4 - 1 {wahr} oder {falsch}?"},
      {"fragen_aiken.txt",
       "Aiken (UTF-8)",
       "3 Fragen übernommen, 2 übersprungen:\nZeile 15: „Welcher Vogel kann nicht …“ – nur drei Antworten\n"
       "Zeile 21: „Wie heißt der höchste …“ – „ANSWER:“ nennt keine der Antworten",
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
  EXPECT_EQ(gift.accepted[3].question.topic, "Geschichte");  // the category since line 25

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
      {std::string{'\xFF', '\xFE', 'F', '\0', '\t', '\0', '\x00', '\xD8', '\x30', '\xDF'}, Encoding::Utf16LE,
       "\xF0\x90\x8C\xB0"}};
  for (const auto& [bytes, encoding, second] : utf16) {
    const Grid grid = readGrid(bytes, "x.txt");
    EXPECT_EQ(grid.encoding, encoding);
    EXPECT_EQ(grid.rows, (std::vector<std::vector<std::string>>{{"F", second}}));
  }
}

// Each quirk of the sheets Calc wrote, read where it shows: row, column (0-based), text.
TEST(Import, SpreadsheetCellsAsTheSheetShowsThem) {
  struct Case {
    const char* file;
    int row;  // as the sheet numbers it
    int column;
    std::string text;
  };
  const Case cases[] = {
      {"calc_fragen.xlsx", 2, 1, "366"},                               // a number cell without ".0"
      {"calc_fragen.xlsx", 3, 1, "0,5"},                               // a decimal comma
      {"calc_fragen.xlsx", 4, 0, "Welches Tier ist kein Säugetier?"},  // rich text runs joined
      {"calc_fragen.xlsx", 4, 1, "Hai"},                               // a cell's comment left out
      {"calc_fragen.xlsx", 3, 5, "leicht"},                            // a merged level fills the rows below
      {"calc_fragen.xlsx", 6, 0, "Wann fiel die\nBerliner Mauer?"},    // a line break in the cell
      {"calc_fragen.xlsx", 6, 1, "09.11.1989"},                        // a date
      {"calc_fragen.xlsx", 7, 1, "25%"},                               // a percentage
      {"calc_fragen.xlsx", 8, 1, "56"},                                // a formula's result
      {"calc_fragen.ods", 3, 1, "0,5"},
      {"calc_fragen.ods", 4, 0, "Welches Tier ist kein Säugetier?"},
      {"calc_fragen.ods", 4, 1, "Hai"},
      {"calc_fragen.ods", 4, 5, "leicht"},
      {"calc_fragen.ods", 6, 0, "Wann fiel die\nBerliner Mauer?"},
      {"calc_fragen.ods", 6, 1, "09.11.1989"},
      {"calc_fragen.ods", 7, 1, "25%"},
      {"calc_fragen.ods", 8, 1, "56"},
      {"calc_fragen.xls", 2, 1, "366"},
      {"calc_fragen.xls", 3, 1, "0,5"},
      {"calc_fragen.xls", 6, 1, "09.11.1989"},
      {"wiederholt.ods", 1, 2, "gleich"},  // a cell repeated
      {"wiederholt.ods", 1, 3, "0,25"},    // a value without its text
      {"wiederholt.ods", 1, 4, "50%"},
      {"wiederholt.ods", 1, 5, "29.02.2024"},
      {"wiederholt.ods", 1, 6, "WAHR"},
      {"wiederholt.ods", 1, 7, "nur Attribut"},
      {"wiederholt.ods", 3, 0, "A  B\tC\nD"},           // a row repeated; blanks, tab and break as elements
      {"wiederholt.ods", 1000004, 0, "ganz unten"},     // after a million empty rows
      {"export_inline.xlsx", 2, 0, "Wo liegt Kyoto?"},  // a phonetic guide left out
      {"export_inline.xlsx", 3, 1, "WAHR"},             // a truth value
      {"export_inline.xlsx", 3, 2, "vielleicht"},       // a formula's text
      {"export_inline.xlsx", 4, 1, "21.06.2019"},       // a date counted from 1904
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " row " + std::to_string(c.row));
    const std::string bytes = readImportFile(kDir / c.file);
    const Grid grid = readSheet(bytes, fileKind(bytes), 0, c.file);
    const auto row = std::find(grid.lines.begin(), grid.lines.end(), c.row) - grid.lines.begin();
    ASSERT_LT(static_cast<std::size_t>(row), grid.rows.size());
    ASSERT_LT(static_cast<std::size_t>(c.column), grid.rows[row].size());
    EXPECT_EQ(grid.rows[row][c.column], c.text);
  }
  // In a sheet, text right of the answers is more columns, no delimiter out of place.
  EXPECT_EQ(importFile(kDir / "wiederholt.ods").accepted.size(), 1u);
}

// A workbook's sheets by name and number; the importer takes the one asked for.
TEST(Import, SheetChoice) {
  for (const char* file : {"calc_fragen.xlsx", "calc_fragen.ods", "calc_fragen.xls"}) {
    SCOPED_TRACE(file);
    const std::string bytes = readImportFile(kDir / file);
    const auto names = sheetNames(bytes, fileKind(bytes), file);
    EXPECT_EQ(names, (std::vector<std::string>{"Fragen", "Reserve"}));
    EXPECT_EQ(sheetIndex(names, "Reserve", file), 1u);
    EXPECT_EQ(sheetIndex(names, "2", file), 1u);
    const ImportResult second = importFile(kDir / file, ImportFormat::Auto, std::nullopt, sheetIndex(names, "2", file));
    ASSERT_EQ(second.accepted.size(), 2u);
    EXPECT_EQ(second.accepted[0].question.right, "acht");
    EXPECT_EQ(second.accepted[1].line, 2);
    for (const std::string choice : {"3", "0", "Alt"}) {
      const auto e = test::thrown<ImportError>([&] { sheetIndex(names, choice, file); });
      EXPECT_EQ(e ? e->what() : "", "In „" + std::string(file) + "“ gibt es kein Tabellenblatt „" + choice +
                                        "“ (es gibt 2: „Fragen“, „Reserve“).");
    }
  }
}

// The template imports as its three example questions, in each format it is written in.
TEST(Import, TemplateRoundTrips) {
  const test::TempDir dir;
  for (const char* name : {"vorlage.xlsx", "vorlage.ods", "vorlage.csv"}) {
    SCOPED_TRACE(name);
    writeTemplate(dir / name);
    const ImportResult r = importFile(dir / name);
    EXPECT_EQ(reportText(r), "3 Fragen übernommen.");
    ASSERT_EQ(r.accepted.size(), 3u);
    const auto rows = templateRows();
    for (std::size_t i = 0; i < 3; ++i) {
      const auto& row = rows[i + 1];
      EXPECT_EQ(r.accepted[i].question, (Question{row[0], {row[2], row[3], row[4]}, row[1], row[6]}));
      EXPECT_EQ(r.accepted[i].level, row[5] == "schwer" ? Level::Hard : Level::Easy);
    }
  }
  EXPECT_THROW(writeTemplate(dir / "fehlt" / "vorlage.xlsx"), ImportError);
}

TEST(Import, ReportQuotesTheFirstWords) {
  const std::pair<std::string, std::string> cases[] = {
      {"Wie heißt die Hauptstadt von Frankreich?", "Wie heißt die Hauptstadt …"},
      {"Wie viele Beine hat ein Käfer?", "Wie viele Beine hat ein …"},
      {"Kurze Frage?", "Kurze Frage?"},
      {"Donaudampfschifffahrtsgesellschaftskapitän?", "Donaudampfschifffahrtsges …"},
  };
  for (const auto& [question, words] : cases) EXPECT_EQ(firstWords(question), words);
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
      {"Frage;Richtig;Falsch 1;Falsch 2;Falsch 3;Kategorie\nF;d;a;b;c;Sport\n", {true, 0, 1, {2, 3, 4}, -1, 5}, 1},
      {"Thema;Frage;Antwort Richtig;Antwort1;Antwort2;Antwort3\nSport;F;d;a;b;c\n", {true, 1, 2, {3, 4, 5}, -1, 0}, 1},
      // Longer than a column name (capitals count): a question, though it says "richtig".
      {"Zeige, welche Zahl richtig ist;12;13;14;15\n", {false, 0, 1, {2, 3, 4}, -1}, 1},
  };
  for (const Case& c : cases) {
    const Grid grid = readGrid(c.text, "x.csv");
    EXPECT_EQ(guessColumns(grid), c.expected) << c.text;
    const auto accepted = importGrid(grid, guessColumns(grid)).accepted;
    ASSERT_EQ(accepted.size(), c.questions) << c.text;
    EXPECT_EQ(accepted[0].question.topic, c.expected.topic < 0 ? "" : "Sport") << c.text;
  }
}

// Files that cannot be imported at all get a German message naming the file, the place and
// what to do; damaged and hostile spreadsheets end in time with such a message.
TEST(Import, UnreadableFilesAreNamed) {
  const test::TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;  // empty: made below, or one of the sample files
    std::string expected;
  };
  const std::string cfb = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  const auto utf16 = [](std::string_view s) {
    std::string out;
    for (const char c : s) out += {c, '\0'};
    return out + std::string(2, '\0');
  };
  const Case cases[] = {
      {"bild.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
       "ist ein Bild, keine Tabelle mit Fragen. Speichern"},
      {"blatt.pdf", "%PDF-1.4\n", "ist ein PDF-Dokument"},
      {"brief.rtf", "{\\rtf1\\ansi Hallo}", "ist ein Word-Dokument"},
      {"brief.doc", cfb + utf16("WordDocument"), "ist ein Word-Dokument"},
      {"geheim.xlsx", cfb + utf16("EncryptedPackage"), "mit einem Kennwort geschützt"},
      {"fragen.mdb", "SQLite format 3", "ist ein Fragensatz des Spiels"},
      {"steuer.csv", "Frage;Antwort\nA\x01;b\n", "(Zeile 2 enthält Zeichen, die in keinem Text stehen). Speichern"},
      {"steuer16.csv", "\xFF\xFE" + utf16("Frage;Antwort\nA\x01;b\n"), "(Zeile 2 enthält Zeichen, die in keinem Text"},
      {"brief.docx", "", "ist ein Word-Dokument, keine Tabelle mit Fragen. Speichern Sie die Fragen als Tabelle"},
      {"brief.odt", "", "ist ein Textdokument, keine Tabelle"},
      {"vortrag.pptx", "", "ist eine Präsentation, keine Tabelle"},
      {"fragen.zip", "", "ist ein ZIP-Archiv, keine Tabelle"},
      {"ohne_blatt.xlsx", "", "ist beschädigt"},
      {"alt.mdb", std::string("\0\1\0\0Standard Jet DB", 19), "ist ein Fragensatz des Spiels"},
      {"sonst.doc", cfb + utf16("Unbekannt"), "ist ein Dokument, das das Importieren nicht lesen kann"},
      {"zip_bombe.xlsx", "", "entpackt sich zu weit mehr Daten"},
      {"entitaeten.xlsx", "", "ist beschädigt und kann nicht gelesen werden"},
      {"abgeschnitten.xlsx", "", "ist beschädigt"},
      {"riesig.ods", "",
       "„Riesig“ in „" + (kDir / "riesig.ods").string() +
           "“ ist zu groß für einen Fragenimport: "
           "mehr als 2.000.000 Zellen"},
      {"breit.ods", "", "Text in Spalte 1.001, mehr als 1.000 Spalten"},
      {"kaputt.xls", cfb + utf16("Workbook") + std::string(600, 'x'), "ist beschädigt"},
      {"riesig.csv", "", "zu groß"},
      {"dos.csv", "Frage;Antwort\nK\x81se;x\n", "enthält in Zeile 2 Zeichen, die sich nicht lesen lassen"},
      {"utf16.txt",
       std::string("\xFF\xFE"
                   "A\0\0",
                   5),
       "ist als Unicode-Text gespeichert, aber in Zeile 1 beschädigt"},
      {"quote.csv", "Frage;Antwort\n\"Offen;a;b;c;d\nF;a;b;c;d\n", "Zeile 2: Das Anführungszeichen"},
      {"offen.gift", "::A::Frage {=a ~b ~c ~d\n\n::B::Frage {=a ~b ~c ~d}\n", "Zeile 1: „{“ wird nicht"},
      {"zu.gift", "Frage {=a ~b ~c ~d}}\n", "Zeile 1: Eine Frage hat nur einen Antwortblock"},
      {"titel.gift", "::A Frage {=a ~b ~c ~d}\n", "Zeile 1: Der Titel"},
  };
  for (const Case& c : cases) {
    fs::path file = dir.path() / c.name;
    if (c.bytes.empty() && fs::exists(kDir / c.name)) {
      file = kDir / c.name;
    } else {
      std::ofstream(file, std::ios::binary) << c.bytes;
      if (c.bytes.empty()) fs::resize_file(file, 100u << 20);  // sparse: nothing is written
    }
    const auto e = test::thrown<ImportError>([&] { importFile(file); });
    const std::string what = e ? e->what() : "imported";
    EXPECT_NE(what.find(file.string()), std::string::npos) << what;
    EXPECT_NE(what.find(c.expected), std::string::npos) << what;
  }
  EXPECT_THROW(importFile(dir.path()), ImportError);
  EXPECT_THROW(importFile(dir.path() / "fehlt.csv"), ImportError);
}

}  // namespace
