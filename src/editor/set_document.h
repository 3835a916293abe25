// SPDX-License-Identifier: GPL-3.0-or-later
// The question set being edited: its records in the project's own types, one table
// model per table for the views, every change an undoable command, and the problems
// the content rules find, kept up to date after each change.
#pragma once

#include <QAbstractTableModel>
#include <QFutureWatcher>
#include <QTimer>
#include <QUndoStack>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "content/rules.h"
#include "data/question_set.h"
#include "data/set_file.h"

namespace tj::editor {

using data::SetTable;

// The texts of one record in the file's field order (the content rules number fields so),
// then the values of the set's extra fields for that table.
using Row = std::vector<std::string>;
int fieldCount(SetTable t);
// The table's German caption, e.g. "Leichte Fragen".
QString caption(SetTable t);

class SetDocument;

class TableModel final : public QAbstractTableModel {
 public:
  TableModel(SetDocument& doc, SetTable table) : doc_(doc), table_(table) {}
  SetTable table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  friend class SetDocument;
  SetDocument& doc_;
  SetTable table_;
};

class SetDocument final : public QObject {
  Q_OBJECT

 public:
  SetDocument();
  ~SetDocument() override;

  const data::QuestionSet& set() const { return set_; }
  TableModel& model(SetTable t) { return *models_[static_cast<std::size_t>(t)]; }
  QUndoStack& undoStack() { return undo_; }

  // Replaces the whole set (a file opened, a new set): no undo beyond this point.
  void reset(data::QuestionSet set);

  Row row(SetTable t, int index) const;
  const std::string& field(SetTable t, int index, int field) const;
  // Undoable edits.
  void setField(SetTable t, int index, int field, const std::string& text);
  void insertRows(SetTable t, int at, std::vector<Row> rows);
  void removeRows(SetTable t, std::vector<int> indices);
  // Appends records to several tables as one undoable step (an import).
  void appendAll(const QString& what, const std::map<SetTable, std::vector<Row>>& rows);

  // Problems as of the last check, and those of one record (field -1: the whole record).
  const std::vector<content::Problem>& problems() const { return problems_; }
  std::vector<const content::Problem*> problemsOf(SetTable t, int index) const;
  bool hasBlockingProblem() const;
  // Checks at once and waits for the result (normally a check runs in the background
  // shortly after each change, so that typing never waits for it).
  void checkNow();

 signals:
  void changed();
  void checked();

 private:
  friend class TableModel;
  friend class FieldCommand;
  friend class RowsCommand;
  // The raw edits the commands do and undo.
  void putField(SetTable t, int index, int field, const std::string& text);
  void putRows(SetTable t, int at, const std::vector<Row>& rows);
  void takeRows(SetTable t, int at, int count);
  void edited();
  void startCheck();
  void apply(std::vector<content::Problem> problems);

  data::QuestionSet set_;
  std::array<std::unique_ptr<TableModel>, 3> models_;
  QUndoStack undo_;
  QTimer checkTimer_;
  struct Checked {
    uint64_t generation;
    std::vector<content::Problem> problems;
  };
  QFutureWatcher<Checked> checking_;
  uint64_t generation_ = 0;         // counts changes, so that a stale check is dropped
  uint64_t appliedGeneration_ = 0;  // the change the shown problems belong to
  std::vector<content::Problem> problems_;
  std::map<std::pair<int, int>, std::vector<std::size_t>> byRecord_;  // (table, record) -> problems
};

}  // namespace tj::editor
