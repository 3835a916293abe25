// SPDX-License-Identifier: GPL-3.0-or-later
// A whole question set saved, read back, exported; a failed save keeps the old file.
#include <gtest/gtest.h>

#include "data/set_file.h"
#include "data/store.h"
#include "fixtures.h"

namespace tj::data {
namespace {

namespace fs = std::filesystem;

QuestionSet sample() {
  QuestionSet set;
  set.easy = {{"Wie heißt die Hauptstadt von Österreich?", {"Graz", "Linz", "Salzburg"}, "Wien", "Erdkunde"},
              {"Was ist „3 + 4“; bitte rechnen!", {"6", "8", " 9 "}, "7"}};
  set.hard = {{"Wer schrieb \"Faust\"?", {"Schiller", "Lessing", "Heine"}, "Goethe"}};
  set.cards = {{"+5L", "Tankstelle", "Du tankst fünf Liter.", "7"}, {"P", "Panne", "Einmal aussetzen.", "12"}};
  return set;
}

// What is saved reads back the same, from the database and from the text folder.
TEST(SetFile, SavedAndExportedSetsReadBackUnchanged) {
  test::TempDir dir;
  saveSet(dir / "eigene.mdb", sample());
  const LoadedSet db = readSet(dir / "eigene.mdb");
  EXPECT_EQ(db.set, sample());
  EXPECT_EQ(db.source, SetSource::GameDatabase);

  exportTextFolder(dir / "text", sample());
  const LoadedSet folder = readSet(dir / "text");
  EXPECT_EQ(folder.set, sample());
  EXPECT_EQ(folder.source, SetSource::TextFolder);
  EXPECT_FALSE(fs::exists(dir / "text" / "tabAktion.tsv.tmp"));
}

// The question tables carry "Thema" only when some question has a topic.
TEST(SetFile, TopicFieldOnlyWhereThereAreTopics) {
  test::TempDir dir;
  QuestionSet none = sample();
  none.easy[0].topic.clear();
  for (const auto& [set, topics] : {std::pair{sample(), true}, std::pair{none, false}}) {
    saveSet(dir / "s.mdb", set);
    for (const char* table : {"tabFragen_leicht", "tabFragen_schwer"})
      EXPECT_EQ(openTable(dir / "s.mdb", table).hasField(kTopicField), topics) << table;
    EXPECT_EQ(readSet(dir / "s.mdb").set, set);
  }
}

// A field without value opens as empty text to be filled in; the set opens all the same.
TEST(SetFile, FieldWithoutValueReadsAsEmptyText) {
  test::TempDir dir;
  saveSet(dir / "a.mdb", sample());
  test::runSql(dir / "a.mdb", "UPDATE tabAktion SET Bildnr = NULL WHERE Aktion = 'Panne'");
  EXPECT_EQ(readSet(dir / "a.mdb").set.cards.at(1).picture, "");
}

// Fields the game does not know are saved with the set, each record's beside it.
TEST(SetFile, UnknownFieldsSurviveASave) {
  test::TempDir dir;
  saveSet(dir / "a.mdb", sample());
  test::runSql(dir / "a.mdb",
               "ALTER TABLE tabFragen_leicht ADD COLUMN Kategorie TEXT; ALTER TABLE tabFragen_leicht ADD COLUMN Nr; "
               "UPDATE tabFragen_leicht SET Kategorie = 'Erdkunde', Nr = 7 WHERE Frage LIKE 'Wie heißt%'");
  QuestionSet set = readSet(dir / "a.mdb").set;
  EXPECT_EQ(set.extra[0], (ExtraFields{{"Kategorie", "Nr"}, {{"Erdkunde", "7"}, {"", ""}}}));
  set.easy.push_back(set.easy[0]);  // a record without extra values
  saveSet(dir / "b.mdb", set);
  const QuestionSet again = readSet(dir / "b.mdb").set;
  EXPECT_EQ(again.extra[0].values, (std::vector<std::vector<std::string>>{{"Erdkunde", "7"}, {"", ""}, {"", ""}}));
  EXPECT_EQ(again.easy, set.easy);
  EXPECT_TRUE(again.extra[2].names.empty());
  exportTextFolder(dir / "text", again);
  EXPECT_EQ(readSet(dir / "text").set, again);
}

// What cannot be read is named as people know the tables.
TEST(SetFile, MissingTablesAndFieldsAreNamedByTheirCaption) {
  test::TempDir dir;
  saveSet(dir / "a.mdb", sample());
  test::runSql(dir / "a.mdb", "ALTER TABLE tabAktion DROP COLUMN Bildnr");
  const auto field = test::thrown<DataError>([&] { readSet(dir / "a.mdb"); });
  EXPECT_EQ(field ? field->what() : "",
            "Bei den „Aktionskarten“ in „" + (dir / "a.mdb").string() + "“ fehlt das Feld „Bildnr“.");
  test::runSql(dir / "a.mdb", "DROP TABLE tabFragen_schwer");
  const auto table = test::thrown<DataError>([&] { readSet(dir / "a.mdb"); });
  EXPECT_EQ(table ? table->what() : "", "Der Datei „" + (dir / "a.mdb").string() +
                                            "“ fehlen die „Schwere Fragen“; sie ist kein Fragensatz des Spiels.");
}

// A save that cannot finish, or that the game could not play, leaves the old file as it was.
TEST(SetFile, FailedSaveLeavesTheOldFileWhole) {
  test::TempDir dir;
  const fs::path file = dir / "eigene.mdb";
  saveSet(file, sample());
  const std::string before = test::readFile(file);

  QuestionSet noCards = sample();
  noCards.cards.clear();
  EXPECT_THROW(saveSet(file, noCards), BuildError);

  // The temporary file's place is taken by a folder the writer cannot remove; the message
  // names the file asked for, in German.
  fs::create_directories(dir / "eigene.mdb.tmp" / "blockiert");
  QuestionSet changed = sample();
  changed.easy.pop_back();
  const auto e = test::thrown<BuildError>([&] { saveSet(file, changed); });
  EXPECT_EQ(e ? e->what() : "", "Die Datenbank „" + file.string() + "“ kann nicht geschrieben werden: In den Ordner „" +
                                    dir.path().string() + "“ lässt sich nicht schreiben.");

  EXPECT_EQ(test::readFile(file), before);
  EXPECT_EQ(readSet(file).set, sample());
}

// The text format has no quoting: a tab or line break is refused before any file is written.
TEST(SetFile, TextExportRefusesWhatTheFormatCannotCarry) {
  test::TempDir dir;
  QuestionSet set = sample();
  set.hard[0].right = "Johann Wolfgang\nvon Goethe";
  const auto e = test::thrown<BuildError>([&] { exportTextFolder(dir / "text", set); });
  EXPECT_NE(std::string(e ? e->what() : "").find("Schwere Fragen, Eintrag 1"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "text" / "tabFragen_leicht.tsv"));
}

// Spreadsheet programs read quotes, ";" and outer blanks only when the field is quoted.
TEST(SetFile, CsvQuotesWhatASpreadsheetWouldSplitOrTrim) {
  EXPECT_EQ(csvText(sample(), SetTable::Easy),
            "\xEF\xBB\xBF"
            "Frage;Antwort1;Antwort2;Antwort3;Antwort Richtig;Thema\r\n"
            "Wie heißt die Hauptstadt von Österreich?;Graz;Linz;Salzburg;Wien;Erdkunde\r\n"
            "\"Was ist „3 + 4“; bitte rechnen!\";6;8;\" 9 \";7;\r\n");
  EXPECT_NE(csvText(sample(), SetTable::Hard).find("\"Wer schrieb \"\"Faust\"\"?\""), std::string::npos);
}

}  // namespace
}  // namespace tj::data
