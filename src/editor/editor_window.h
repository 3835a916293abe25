// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's main window: the three tables, the problem list, files, import, preview
// and starting the game with the set.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "editor/set_document.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace tj::editor {

class Preview;

// Where the editor finds the game and its files.
struct Installation {
  std::filesystem::path appFolder;   // the game's picture folders
  std::filesystem::path dataFolder;  // installed data folder
  std::filesystem::path shippedSet;  // the game's own questions
};

class EditorWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit EditorWindow(Installation installation);
  ~EditorWindow() override;

  // Opens a file or folder; a spreadsheet or other question list is offered for import
  // into a new set. False (after telling the user) when nothing was opened.
  bool openPath(const QString& path);
  // Asks how to begin: the shipped questions, an empty set or a file.
  void askHowToBegin();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildTables();
  void buildActions();
  void buildProblemList();

  SetTable currentTable() const;
  QTableView* currentView() const;
  // Source rows selected in the current view, ascending.
  std::vector<int> selectedRows() const;
  // The source row of the current record, or -1.
  int currentRecord() const;
  void selectRecord(SetTable t, int index);

  void newEmptySet();
  void openShipped();
  void chooseFile();
  void chooseFolder();
  // Asks whether to import a file that is no set but a question list, and does it into a
  // new set. Nothing when the file is no question list either.
  enum class Offer { Imported, Declined };
  std::optional<Offer> offerImport(const QString& file);
  // `checked`: the problems were already shown and accepted (by "Spielen").
  bool save(bool checked = false);
  bool saveAs(bool checked = false);
  bool writeTo(const QString& file, bool checked = false);
  bool confirmProblems();
  // Before playing: true when there are no problems or the user plays anyway; otherwise
  // the problems were shown and perhaps the first one selected.
  bool confirmPlay();
  void showFirstProblem();
  bool maybeDiscard();
  // A file name from a save dialog: the chosen filter's extension added where none was
  // typed, and the user asked before that file is replaced. Empty: cancelled.
  QString askSaveName(const QString& title, const QString& suggested, const QString& filters);
  void exportText();
  void exportCsv();
  void saveTemplate();
  void importFile();
  void play();

  void addRecord();
  void duplicateRecords();
  void deleteRecords();
  void showPreview();
  void refreshPreview();

  void updateCounts();
  void updateProblems();
  void updateTitle();
  void fail(const QString& title, const std::exception& e);

  Installation installation_;
  SetDocument doc_;
  QString path_;        // the file saves go to; empty: not yet named
  QString origin_;      // shown in the title when not yet named
  QString accessFile_;  // an opened Access file, which is never written over
  QString suggested_;   // the name "Speichern unter" offers for a set not yet named
  QTabWidget* tabs_ = nullptr;
  std::array<QTableView*, 3> views_{};
  std::array<QSortFilterProxyModel*, 3> proxies_{};
  QLineEdit* search_ = nullptr;
  QListWidget* problemList_ = nullptr;
  QLabel* counts_ = nullptr;
  QLabel* problemCount_ = nullptr;
  std::unique_ptr<Preview> preview_;
};

}  // namespace tj::editor
