// SPDX-License-Identifier: GPL-3.0-or-later
// The set being edited: fields the game does not know stay with their record through every
// edit and its undo, so that saving writes each beside the record it belongs to.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "editor/set_document.h"

namespace tj::editor {
namespace {

using Values = std::vector<std::vector<std::string>>;

data::Question question(const std::string& text) { return {text, {"a", "b", "c"}, "r"}; }

TEST(SetDocumentTest, ExtraFieldsTravelWithTheirRecord) {
  data::QuestionSet set;
  set.easy = {question("A?"), question("B?"), question("C?")};
  set.hard = {question("H?")};
  set.cards = {{"+2", "Wind", "Zwei vor.", "5"}};
  set.extra[0] = {{"Kategorie", "Nr"}, {{"Erdkunde", "1"}, {"Tiere", "2"}, {"Musik", "3"}}};
  SetDocument doc;
  doc.reset(set);
  const auto& extra = doc.set().extra[0].values;

  doc.removeRows(SetTable::Easy, {0, 2});
  EXPECT_EQ(extra, (Values{{"Tiere", "2"}}));
  doc.undoStack().undo();
  EXPECT_EQ(extra, set.extra[0].values);
  doc.insertRows(SetTable::Easy, 1, {doc.row(SetTable::Easy, 2)});  // a copy of C before B
  doc.appendAll(QStringLiteral("Importieren"),
                {{SetTable::Easy, {Row{"N?", "a", "b", "c", "r"}}}, {SetTable::Hard, {Row{"M?", "a", "b", "c", "r"}}}});
  EXPECT_EQ(extra, (Values{{"Erdkunde", "1"}, {"Musik", "3"}, {"Tiere", "2"}, {"Musik", "3"}, {"", ""}}));
  EXPECT_EQ(doc.set().easy[1].text, "C?");
  EXPECT_TRUE(doc.set().extra[1].values.empty());  // the hard questions have none
  doc.undoStack().undo();
  doc.undoStack().undo();
  EXPECT_EQ(extra, set.extra[0].values);
  const auto tables = data::setTables(doc.set());
  EXPECT_EQ(tables[0].fields.back(), "Nr");
  EXPECT_EQ(tables[0].records[2].back(), "3");
}

// A question's topic is a column of its table like the others, edited and undone alike;
// the cards have none.
TEST(SetDocumentTest, TopicIsAColumnOfTheQuestionTables) {
  data::QuestionSet set;
  set.easy = {{"A?", {"a", "b", "c"}, "r", "Erdkunde"}};
  set.cards = {{"+2", "Wind", "Zwei vor.", "5"}};
  SetDocument doc;
  doc.reset(set);
  TableModel& easy = doc.model(SetTable::Easy);
  ASSERT_EQ(easy.columnCount(), 6);
  EXPECT_EQ(doc.model(SetTable::Cards).columnCount(), 4);
  EXPECT_EQ(easy.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), "Thema");
  EXPECT_EQ(easy.data(easy.index(0, 5), Qt::DisplayRole).toString(), "Erdkunde");
  EXPECT_TRUE(easy.setData(easy.index(0, 5), QStringLiteral("Sport"), Qt::EditRole));
  EXPECT_EQ(doc.set().easy[0].topic, "Sport");
  doc.undoStack().undo();
  EXPECT_EQ(doc.set().easy[0].topic, "Erdkunde");
}

}  // namespace
}  // namespace tj::editor

// The background check measures texts in the game's fonts.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
