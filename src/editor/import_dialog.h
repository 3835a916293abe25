// SPDX-License-Identifier: GPL-3.0-or-later
// Importing questions from other programs' files: for a spreadsheet choose the sheet where
// it has several, say which column is what (with the first rows in view, numbered as the
// sheet numbers them), then read the report, then take the questions or leave the set as it
// was. Reading and parsing is the data layer's importers' work.
#pragma once

#include <QDialog>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "data/import.h"
#include "editor/set_document.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace tj::editor {

class ImportDialog final : public QDialog {
  Q_OBJECT

 public:
  // `target` is the table questions go to when the file gives no level.
  ImportDialog(QString file, SetTable target, QWidget* parent);
  // Reads and parses the file; false when it cannot be read (after telling the user) or
  // the choice of a sheet was cancelled.
  bool load();
  // What to append, per table, once the dialog was accepted.
  std::map<SetTable, std::vector<Row>> records() const;
  // The report's first sentence, e.g. "42 Fragen übernommen, 3 übersprungen".
  QString summary() const;

 private:
  QWidget* buildColumnsPage();
  QWidget* buildReportPage();
  void fillPreview();
  data::ColumnMap chosenColumns() const;
  void showReport();
  void showColumns();

  QString file_;
  SetTable target_;
  data::ImportFormat format_ = data::ImportFormat::Auto;
  std::optional<data::Grid> grid_;
  data::ImportResult result_;

  QStackedWidget* pages_ = nullptr;
  QLabel* sampleLabel_ = nullptr;
  QCheckBox* header_ = nullptr;
  QTableWidget* sample_ = nullptr;
  std::array<QComboBox*, 7> columns_{};  // question, right, wrong 1..3, level, topic
  QLabel* source_ = nullptr;
  QComboBox* targetBox_ = nullptr;
  QPlainTextEdit* report_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* take_ = nullptr;
};

}  // namespace tj::editor
