// SPDX-License-Identifier: GPL-3.0-or-later
// Importing questions from other programs' files: choose the file, say which column is
// what (spreadsheets), read the report, then take the records or leave everything as it was.
#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "editor/set_document.h"

namespace tj::editor {

class ImportDialog final : public QDialog {
  Q_OBJECT

 public:
  ImportDialog(SetTable target, QWidget* parent);
  // What to append, per table, once the dialog was accepted.
  const std::map<SetTable, std::vector<Row>>& records() const { return records_; }
  // One line for the status bar, e.g. "42 Fragen übernommen, 3 übersprungen".
  const QString& summary() const { return summary_; }

 private:
  SetTable target_;
  std::map<SetTable, std::vector<Row>> records_;
  QString summary_;
};

}  // namespace tj::editor
