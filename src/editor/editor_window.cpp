// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "data/import.h"
#include "data/set_file.h"
#include "editor/help.h"
#include "editor/import_dialog.h"
#include "editor/preview.h"

namespace tj::editor {

namespace {

const QString kTitle = QStringLiteral("Tank Jagd – Fragen-Editor");
const QString kDatabaseFilter = QStringLiteral("Tank-Jagd-Fragensätze (*.mdb *.db *.sqlite);;Alle Dateien (*)");
const QString kOpenFilter = QStringLiteral(
    "Fragensätze und Tabellen (*.mdb *.db *.sqlite *.xlsx *.ods *.xls *.csv);;Tank-Jagd-Fragensätze (*.mdb *.db "
    "*.sqlite);;Alle Dateien (*)");
const QString kImportFilter = QStringLiteral(
    "Tabellen und Fragen (*.xlsx *.ods *.xls *.csv *.tsv *.tab *.txt *.gift);;Excel- und LibreOffice-Tabellen (*.xlsx "
    "*.ods *.xls);;CSV- und Textdateien (*.csv *.tsv *.tab *.txt);;Fragen aus Lernplattformen (*.gift *.txt);;Alle "
    "Dateien (*)");
constexpr int kListedProblems = 8;

// A message box whose text is never read as markup.
void tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

EditorWindow::EditorWindow(Installation installation) : installation_(std::move(installation)) {
  setObjectName(QStringLiteral("Fragen-Editor"));
  resize(1100, 700);
  buildTables();
  buildActions();
  buildProblemList();
  counts_ = new QLabel(this);
  counts_->setTextFormat(Qt::PlainText);
  counts_->setAccessibleName(QStringLiteral("Anzahl der Einträge"));
  statusBar()->addPermanentWidget(counts_);

  connect(&doc_, &SetDocument::changed, this, [this] {
    updateCounts();
    refreshPreview();
  });
  connect(&doc_, &SetDocument::checked, this, &EditorWindow::updateProblems);
  connect(&doc_.undoStack(), &QUndoStack::cleanChanged, this, &EditorWindow::updateTitle);
  updateCounts();
  updateTitle();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::buildTables() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  search_ = new QLineEdit(central);
  search_->setPlaceholderText(QStringLiteral("Suchen in allen Feldern …"));
  search_->setAccessibleName(QStringLiteral("Suchen"));
  search_->setClearButtonEnabled(true);
  layout->addWidget(search_);
  tabs_ = new QTabWidget(central);
  tabs_->setAccessibleName(QStringLiteral("Tabellen"));
  layout->addWidget(tabs_);
  setCentralWidget(central);

  for (const SetTable t : data::kSetTables) {
    const auto i = static_cast<std::size_t>(t);
    auto* proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(&doc_.model(t));
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy->setFilterKeyColumn(-1);
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy->setSortLocaleAware(true);
    auto* view = new QTableView(tabs_);
    view->setModel(proxy);
    view->setAccessibleName(caption(t));
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder);  // stored order until a heading is clicked
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(true);
    view->setAlternatingRowColors(true);
    view->horizontalHeader()->setDefaultSectionSize(t == SetTable::Cards ? 110 : 160);
    view->horizontalHeader()->setSectionResizeMode(t == SetTable::Cards ? 2 : 0, QHeaderView::Stretch);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { refreshPreview(); });
    proxies_[i] = proxy;
    views_[i] = view;
    tabs_->addTab(view, caption(t));
  }
  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
    for (auto* proxy : proxies_) proxy->setFilterFixedString(text);
  });
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { refreshPreview(); });
}

void EditorWindow::buildActions() {
  auto action = [this](const QString& text, QKeySequence key, auto slot) {
    auto* a = new QAction(text, this);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QAction* newSet = action(QStringLiteral("Neu"), QKeySequence::New, [this] {
    if (maybeDiscard()) askHowToBegin();
  });
  QAction* open = action(QStringLiteral("Öffnen …"), QKeySequence::Open, &EditorWindow::chooseFile);
  QAction* openFolder = action(QStringLiteral("Ordner mit Textdateien öffnen …"), {}, &EditorWindow::chooseFolder);
  QAction* saveAct = action(QStringLiteral("Speichern"), QKeySequence::Save, [this] { save(); });
  QAction* saveAsAct = action(QStringLiteral("Speichern unter …"), QKeySequence::SaveAs, [this] { saveAs(); });
  QAction* exportTsv = action(QStringLiteral("Exportieren als Textdateien (.tsv) …"), {}, &EditorWindow::exportText);
  QAction* exportCsvAct = action(QStringLiteral("Tabelle exportieren als CSV …"), {}, &EditorWindow::exportCsv);
  QAction* templateAct = action(QStringLiteral("Vorlage speichern …"), {}, &EditorWindow::saveTemplate);
  QAction* quit = action(QStringLiteral("Beenden"), QKeySequence::Quit, [this] { close(); });

  QAction* undo = doc_.undoStack().createUndoAction(this, QStringLiteral("Rückgängig"));
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = doc_.undoStack().createRedoAction(this, QStringLiteral("Wiederholen"));
  QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
  for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
    if (!redoKeys.contains(key)) redoKeys << key;
  redo->setShortcuts(redoKeys);
  QAction* add =
      action(QStringLiteral("Neuer Eintrag"), QKeySequence(Qt::CTRL | Qt::Key_Plus), &EditorWindow::addRecord);
  QAction* dup =
      action(QStringLiteral("Duplizieren"), QKeySequence(Qt::CTRL | Qt::Key_D), &EditorWindow::duplicateRecords);
  QAction* del = action(QStringLiteral("Löschen"), QKeySequence::Delete, &EditorWindow::deleteRecords);
  del->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  for (auto* view : views_) view->addAction(del);
  QAction* find = action(QStringLiteral("Suchen"), QKeySequence::Find, [this] { search_->setFocus(); });
  QAction* import =
      action(QStringLiteral("Importieren …"), QKeySequence(Qt::CTRL | Qt::Key_I), &EditorWindow::importFile);
  QAction* previewAct = action(QStringLiteral("Vorschau"), QKeySequence(Qt::Key_F5), &EditorWindow::showPreview);
  QAction* playAct = action(QStringLiteral("Spielen"), QKeySequence(Qt::Key_F9), &EditorWindow::play);
  QAction* guide = action(QStringLiteral("Anleitung"), QKeySequence::HelpContents, [this] { showGuide(this); });
  QAction* about = action(QStringLiteral("Über den Fragen-Editor"), {}, [this] { showAbout(this); });

  QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
  file->addActions({newSet, open, openFolder});
  file->addSeparator();
  file->addActions({saveAct, saveAsAct});
  file->addSeparator();
  file->addActions({import, templateAct, exportTsv, exportCsvAct});
  file->addSeparator();
  file->addAction(quit);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
  edit->addActions({undo, redo});
  edit->addSeparator();
  edit->addActions({add, dup, del});
  edit->addSeparator();
  edit->addAction(find);
  QMenu* game = menuBar()->addMenu(QStringLiteral("&Spiel"));
  game->addActions({previewAct, playAct});
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
  help->addActions({guide, about});

  QToolBar* bar = addToolBar(QStringLiteral("Werkzeuge"));
  bar->setObjectName(QStringLiteral("Werkzeuge"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->addActions({newSet, open, saveAct});
  bar->addSeparator();
  bar->addActions({undo, redo});
  bar->addSeparator();
  bar->addActions({add, dup, del});
  bar->addSeparator();
  bar->addActions({import, previewAct, playAct});
}

void EditorWindow::buildProblemList() {
  auto* dock = new QDockWidget(QStringLiteral("Probleme"), this);
  dock->setObjectName(QStringLiteral("Probleme"));
  dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto* box = new QWidget(dock);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(4, 4, 4, 4);
  problemCount_ = new QLabel(box);
  problemCount_->setTextFormat(Qt::PlainText);
  problemCount_->setAccessibleName(QStringLiteral("Anzahl der Probleme"));
  problemList_ = new QListWidget(box);
  problemList_->setAccessibleName(QStringLiteral("Probleme"));
  problemList_->setWordWrap(true);
  layout->addWidget(problemCount_);
  layout->addWidget(problemList_);
  dock->setWidget(box);
  addDockWidget(Qt::BottomDockWidgetArea, dock);
  resizeDocks({dock}, {150}, Qt::Vertical);
  connect(problemList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const int table = item->data(Qt::UserRole).toInt();
    const int record = item->data(Qt::UserRole + 1).toInt();
    tabs_->setCurrentIndex(table);
    if (record >= 0) selectRecord(static_cast<SetTable>(table), record);
  });
}

// ---------------------------------------------------------------------------------------
// Selection

SetTable EditorWindow::currentTable() const { return static_cast<SetTable>(std::max(0, tabs_->currentIndex())); }

QTableView* EditorWindow::currentView() const { return views_[static_cast<std::size_t>(currentTable())]; }

std::vector<int> EditorWindow::selectedRows() const {
  const auto* proxy = proxies_[static_cast<std::size_t>(currentTable())];
  std::vector<int> rows;
  for (const QModelIndex& index : currentView()->selectionModel()->selectedRows()) {
    rows.push_back(proxy->mapToSource(index).row());
  }
  if (rows.empty()) {
    const QModelIndex current = currentView()->currentIndex();
    if (current.isValid()) rows.push_back(proxy->mapToSource(current).row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void EditorWindow::selectRecord(SetTable t, int index) {
  const auto i = static_cast<std::size_t>(t);
  tabs_->setCurrentIndex(static_cast<int>(i));
  QModelIndex at = proxies_[i]->mapFromSource(doc_.model(t).index(index, 0));
  if (!at.isValid()) {  // hidden by the search
    search_->clear();
    at = proxies_[i]->mapFromSource(doc_.model(t).index(index, 0));
  }
  views_[i]->setCurrentIndex(at);
  views_[i]->selectRow(at.row());
  views_[i]->scrollTo(at);
  views_[i]->setFocus();
}

// ---------------------------------------------------------------------------------------
// Records

void EditorWindow::addRecord() {
  const SetTable t = currentTable();
  const int at = static_cast<int>(data::recordCount(doc_.set(), t));
  doc_.insertRows(t, at, {Row(static_cast<std::size_t>(fieldCount(t)))});
  selectRecord(t, at);
  currentView()->edit(currentView()->currentIndex());
}

void EditorWindow::duplicateRecords() {
  const SetTable t = currentTable();
  const auto rows = selectedRows();
  if (rows.empty()) return;
  std::vector<Row> copies;
  for (const int r : rows) copies.push_back(doc_.row(t, r));
  const int at = rows.back() + 1;
  doc_.insertRows(t, at, std::move(copies));
  selectRecord(t, at);
}

void EditorWindow::deleteRecords() {
  const auto rows = selectedRows();
  if (rows.empty()) return;
  doc_.removeRows(currentTable(), rows);
}

// ---------------------------------------------------------------------------------------
// Problems, counts, title

void EditorWindow::updateCounts() {
  QStringList parts;
  for (const SetTable t : data::kSetTables) {
    const auto n = static_cast<qulonglong>(data::recordCount(doc_.set(), t));
    tabs_->setTabText(static_cast<int>(t), QStringLiteral("%1 (%2)").arg(caption(t)).arg(n));
    parts << QStringLiteral("%1: %2").arg(caption(t)).arg(n);
  }
  counts_->setText(parts.join(QStringLiteral("  ·  ")));
}

namespace {

// "Leichte Fragen, Eintrag 3: Die Antworten … sind gleich."
QString problemText(const content::Problem& p) {
  QString where = caption(p.table);
  if (p.record >= 0) where += QStringLiteral(", Eintrag %1").arg(p.record + 1);
  return where + QStringLiteral(": ") + QString::fromStdString(p.message);
}

}  // namespace

void EditorWindow::updateProblems() {
  problemList_->clear();
  const auto& problems = doc_.problems();
  for (const content::Problem& p : problems) {
    const SetTable t = p.table;
    auto* item = new QListWidgetItem(problemText(p), problemList_);
    item->setData(Qt::UserRole, static_cast<int>(t));
    item->setData(Qt::UserRole + 1, p.record);
    if (p.blocking) item->setForeground(QColor(180, 0, 0));
  }
  const QString count = problems.size() == 1
                            ? QStringLiteral("1 Problem")
                            : QStringLiteral("%1 Probleme").arg(static_cast<qulonglong>(problems.size()));
  problemCount_->setText(problems.empty() ? QStringLiteral("Keine Probleme gefunden.")
                                          : count + QStringLiteral(" (Doppelklick springt zum Eintrag)"));
}

void EditorWindow::updateTitle() {
  const QString name = path_.isEmpty() ? origin_ : QFileInfo(path_).fileName();
  setWindowTitle((name.isEmpty() ? QString() : name + QStringLiteral("[*] – ")) + kTitle);
  setWindowModified(!doc_.undoStack().isClean());
}

void EditorWindow::fail(const QString& title, const std::exception& e) {
  tell(this, QMessageBox::Warning, title, QString::fromStdString(e.what()));
}

// ---------------------------------------------------------------------------------------
// Files

void EditorWindow::askHowToBegin() {
  QMessageBox box(QMessageBox::Question, kTitle, QStringLiteral("Womit möchten Sie beginnen?"), QMessageBox::NoButton,
                  this);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(
      QStringLiteral("Ein leerer Fragensatz hat noch keine Fragen, aber die Aktionskarten des Spiels."));
  QPushButton* shipped = box.addButton(QStringLiteral("Mitgelieferte Fragen"), QMessageBox::AcceptRole);
  QPushButton* empty = box.addButton(QStringLiteral("Leerer Fragensatz"), QMessageBox::AcceptRole);
  QPushButton* file = box.addButton(QStringLiteral("Datei öffnen …"), QMessageBox::AcceptRole);
  box.setDefaultButton(empty);
  box.exec();
  if (box.clickedButton() == shipped) {
    openShipped();
  } else if (box.clickedButton() == empty) {
    newEmptySet();
  } else if (box.clickedButton() == file) {
    chooseFile();
  }
}

void EditorWindow::newEmptySet() {
  data::QuestionSet set;
  // The action cards are the game's rules more than its content: a new set keeps them.
  try {
    set.cards = data::readSet(installation_.shippedSet).set.cards;
  } catch (const std::exception& e) {
    statusBar()->showMessage(QString::fromStdString(e.what()), 10000);
  }
  doc_.reset(std::move(set));
  path_.clear();
  accessFile_.clear();
  origin_ = QStringLiteral("Neuer Fragensatz");
  updateTitle();
}

void EditorWindow::openShipped() {
  try {
    doc_.reset(data::readSet(installation_.shippedSet).set);
  } catch (const std::exception& e) {
    fail(QStringLiteral("Öffnen"), e);
    return;
  }
  path_.clear();
  accessFile_.clear();
  origin_ = QStringLiteral("Mitgelieferte Fragen");
  updateTitle();
}

bool EditorWindow::openPath(const QString& path) {
  data::LoadedSet loaded;
  try {
    loaded = data::readSet(path.toStdString());
  } catch (const std::exception& e) {
    if (const auto offer = offerImport(path)) return *offer == Offer::Imported;
    fail(QStringLiteral("Öffnen"), e);
    return false;
  }
  doc_.reset(std::move(loaded.set));
  if (loaded.source == data::SetSource::GameDatabase) {
    path_ = QFileInfo(path).absoluteFilePath();
    origin_.clear();
  } else {
    // An Access file is never written over; a text folder is saved as a database.
    path_.clear();
    origin_ = QFileInfo(path).fileName();
  }
  accessFile_ = loaded.source == data::SetSource::AccessDatabase ? QFileInfo(path).absoluteFilePath() : QString();
  suggested_.clear();
  updateTitle();
  statusBar()->showMessage(QStringLiteral("Geöffnet: %1").arg(path), 5000);
  return true;
}

void EditorWindow::chooseFile() {
  if (!maybeDiscard()) return;
  const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Fragensatz öffnen"), {}, kOpenFilter);
  if (!file.isEmpty()) openPath(file);
}

std::optional<EditorWindow::Offer> EditorWindow::offerImport(const QString& file) {
  const std::filesystem::path path = file.toStdString();
  try {
    const std::string bytes = data::readImportFile(path);
    const data::FileKind kind = data::fileKind(bytes);
    if (!data::isSpreadsheet(kind)) {
      if (kind != data::FileKind::Text || bytes.empty()) return std::nullopt;
      data::decodeText(bytes, path.string());  // throws for anything but text
    }
  } catch (const data::ImportError&) {
    return std::nullopt;
  }
  const QString name = QFileInfo(file).fileName();
  QMessageBox box(QMessageBox::Question, QStringLiteral("Öffnen"),
                  QStringLiteral("„%1“ ist kein Fragensatz, sondern eine Tabelle oder Fragenliste.").arg(name),
                  QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(
      QStringLiteral("Sollen die Fragen daraus in einen neuen Fragensatz importiert werden? Die Aktionskarten kommen "
                     "aus dem Spiel."));
  QPushButton* yes = box.addButton(QStringLiteral("Importieren …"), QMessageBox::AcceptRole);
  box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.exec();
  if (box.clickedButton() != yes) return Offer::Declined;
  ImportDialog dialog(file, SetTable::Easy, this);
  if (!dialog.load() || dialog.exec() != QDialog::Accepted) return Offer::Declined;
  newEmptySet();
  origin_ = name;
  suggested_ = QFileInfo(file).completeBaseName() + QStringLiteral(".mdb");
  doc_.appendAll(QStringLiteral("Importieren"), dialog.records());
  currentView()->setFocus();  // the keys go on in the table: Strg+Z takes the import back
  updateTitle();
  statusBar()->showMessage(dialog.summary(), 10000);
  return Offer::Imported;
}

void EditorWindow::chooseFolder() {
  if (!maybeDiscard()) return;
  const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Ordner mit den .tsv-Dateien öffnen"));
  if (!dir.isEmpty()) openPath(dir);
}

bool EditorWindow::confirmProblems() {
  doc_.checkNow();
  if (doc_.hasBlockingProblem()) {
    QStringList lines;
    for (const auto& p : doc_.problems()) {
      if (p.blocking) lines << QString::fromStdString(p.message);
    }
    tell(this, QMessageBox::Warning, QStringLiteral("Speichern nicht möglich"),
         lines.join('\n') + QStringLiteral("\n\nDas Spiel braucht in jeder Tabelle mindestens einen Eintrag."));
    return false;
  }
  if (doc_.problems().empty()) return true;
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Speichern"),
                  QStringLiteral("Der Fragensatz hat noch Probleme (%1, siehe Liste „Probleme“). Trotzdem speichern?")
                      .arg(static_cast<qulonglong>(doc_.problems().size())),
                  QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  QPushButton* yes = box.addButton(QStringLiteral("Trotzdem speichern"), QMessageBox::AcceptRole);
  box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.exec();
  return box.clickedButton() == yes;
}

bool EditorWindow::writeTo(const QString& file, bool checked) {
  if (!accessFile_.isEmpty() && QFileInfo(file).absoluteFilePath() == accessFile_) {
    tell(this, QMessageBox::Warning, QStringLiteral("Speichern"),
         QStringLiteral("„%1“ ist eine Access-Datei und wird nicht überschrieben. Bitte speichern Sie den Fragensatz "
                        "unter einem neuen Namen.")
             .arg(file));
    return false;
  }
  if (!checked && !confirmProblems()) {
    statusBar()->showMessage(QStringLiteral("Nicht gespeichert."), 5000);
    return false;
  }
  try {
    data::saveSet(file.toStdString(), doc_.set());
  } catch (const std::exception& e) {
    fail(QStringLiteral("Speichern"), e);
    return false;
  }
  path_ = QFileInfo(file).absoluteFilePath();
  origin_.clear();
  suggested_.clear();
  doc_.undoStack().setClean();
  updateTitle();
  statusBar()->showMessage(QStringLiteral("Gespeichert: %1").arg(path_), 5000);
  return true;
}

bool EditorWindow::save(bool checked) { return path_.isEmpty() ? saveAs(checked) : writeTo(path_, checked); }

bool EditorWindow::saveAs(bool checked) {
  const QString file =
      askSaveName(QStringLiteral("Fragensatz speichern"),
                  suggested_.isEmpty() ? QStringLiteral("meine-fragen.mdb") : suggested_, kDatabaseFilter);
  return !file.isEmpty() && writeTo(file, checked);
}

QString EditorWindow::askSaveName(const QString& title, const QString& suggested, const QString& filters) {
  QString chosen;
  QString file =
      QFileDialog::getSaveFileName(this, title, suggested, filters, &chosen, QFileDialog::DontConfirmOverwrite);
  if (file.isEmpty()) return {};
  if (QFileInfo(file).suffix().isEmpty()) {
    // "Excel-Tabelle (*.xlsx)" -> ".xlsx"
    const qsizetype star = chosen.indexOf(QStringLiteral("(*."));
    const qsizetype end = chosen.indexOf(QRegularExpression(QStringLiteral("[ )]")), star + 3);
    if (star >= 0 && end > star + 3) file += chosen.mid(star + 2, end - star - 2);
  }
  if (!QFileInfo::exists(file)) return file;
  QMessageBox box(QMessageBox::Question, title,
                  QStringLiteral("„%1“ gibt es schon. Soll die Datei ersetzt werden?").arg(QFileInfo(file).fileName()),
                  QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  QPushButton* replace = box.addButton(QStringLiteral("Ersetzen"), QMessageBox::DestructiveRole);
  QPushButton* keep = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(keep);
  box.exec();
  return box.clickedButton() == replace ? file : QString();
}

bool EditorWindow::maybeDiscard() {
  if (!isWindowModified()) return true;
  QMessageBox box(QMessageBox::Question, kTitle, QStringLiteral("Der Fragensatz hat ungespeicherte Änderungen."),
                  QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(QStringLiteral("Möchten Sie sie speichern?"));
  QPushButton* saveButton = box.addButton(QStringLiteral("Speichern"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("Verwerfen"), QMessageBox::DestructiveRole);
  box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(saveButton);
  box.exec();
  if (box.clickedButton() == saveButton) return save();
  return box.clickedButton() == discard;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!maybeDiscard()) {
    event->ignore();
    return;
  }
  preview_.reset();
  event->accept();
}

void EditorWindow::exportText() {
  const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Ordner für die .tsv-Dateien wählen"));
  if (dir.isEmpty()) return;
  try {
    data::exportTextFolder(dir.toStdString(), doc_.set());
  } catch (const std::exception& e) {
    fail(QStringLiteral("Exportieren"), e);
    return;
  }
  statusBar()->showMessage(QStringLiteral("Exportiert nach %1").arg(dir), 5000);
}

void EditorWindow::exportCsv() {
  const SetTable t = currentTable();
  const QString file = askSaveName(QStringLiteral("%1 als CSV exportieren").arg(caption(t)),
                                   caption(t) + QStringLiteral(".csv"), QStringLiteral("CSV-Dateien (*.csv)"));
  if (file.isEmpty()) return;
  try {
    data::exportCsv(file.toStdString(), doc_.set(), t);
  } catch (const std::exception& e) {
    fail(QStringLiteral("Exportieren"), e);
    return;
  }
  statusBar()->showMessage(QStringLiteral("Exportiert: %1").arg(file), 5000);
}

void EditorWindow::saveTemplate() {
  const QString file =
      askSaveName(QStringLiteral("Vorlage speichern"), QStringLiteral("fragen-vorlage.xlsx"),
                  QStringLiteral("Excel-Tabelle (*.xlsx);;LibreOffice-Tabelle (*.ods);;CSV-Datei (*.csv)"));
  if (file.isEmpty()) return;
  try {
    data::writeTemplate(file.toStdString());
  } catch (const std::exception& e) {
    fail(QStringLiteral("Vorlage speichern"), e);
    return;
  }
  statusBar()->showMessage(
      QStringLiteral("Vorlage gespeichert: %1. Tragen Sie Ihre Fragen ein und holen Sie sie mit „Importieren …“.")
          .arg(QFileInfo(file).fileName()),
      15000);
}

void EditorWindow::importFile() {
  const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Fragen importieren"), {}, kImportFilter);
  if (file.isEmpty()) return;
  ImportDialog dialog(file, currentTable(), this);
  if (!dialog.load() || dialog.exec() != QDialog::Accepted) return;
  doc_.appendAll(QStringLiteral("Importieren"), dialog.records());
  currentView()->setFocus();  // the keys go on in the table: Strg+Z takes the import back
  statusBar()->showMessage(dialog.summary(), 10000);
}

// ---------------------------------------------------------------------------------------
// Preview and play

int EditorWindow::currentRecord() const {
  // The current index, not the selection: while the current row changes, the selection
  // still names the row before.
  const QModelIndex current = currentView()->currentIndex();
  if (!current.isValid()) return -1;
  const int row = proxies_[static_cast<std::size_t>(currentTable())]->mapToSource(current).row();
  return row < static_cast<int>(data::recordCount(doc_.set(), currentTable())) ? row : -1;
}

void EditorWindow::showPreview() {
  if (!preview_) preview_ = std::make_unique<Preview>(installation_.appFolder, installation_.dataFolder, this);
  const int record = currentRecord();
  if (record < 0) {
    statusBar()->showMessage(QStringLiteral("Für die Vorschau bitte einen Eintrag wählen."), 5000);
    return;
  }
  preview_->show(currentTable(), doc_.set(), record);
}

void EditorWindow::refreshPreview() {
  if (!preview_ || !preview_->isOpen()) return;
  const int record = currentRecord();
  if (record < 0) return;
  preview_->show(currentTable(), doc_.set(), record);
  activateWindow();  // typing goes on in the table
}

bool EditorWindow::confirmPlay() {
  doc_.checkNow();
  const auto& problems = doc_.problems();
  if (problems.empty()) return true;
  const bool blocking = doc_.hasBlockingProblem();
  QStringList lines;
  for (std::size_t i = 0; i < problems.size() && lines.size() < kListedProblems; ++i)
    if (!blocking || problems[i].blocking) lines << problemText(problems[i]);
  const auto count = static_cast<qulonglong>(problems.size());
  if (!blocking && count > static_cast<qulonglong>(lines.size()))
    lines << QStringLiteral("… und %1 weitere").arg(count - static_cast<qulonglong>(lines.size()));
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Spielen"),
                  blocking
                      ? QStringLiteral("Mit diesem Fragensatz kann das Spiel nicht starten:")
                      : QStringLiteral("Der Fragensatz hat noch %1:")
                            .arg(count == 1 ? QStringLiteral("ein Problem") : QStringLiteral("%1 Probleme").arg(count)),
                  QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(lines.join('\n'));
  QPushButton* anyway = blocking ? nullptr : box.addButton(QStringLiteral("Trotzdem spielen"), QMessageBox::AcceptRole);
  QPushButton* jump = box.addButton(QStringLiteral("Zu den Problemen"), QMessageBox::ActionRole);
  box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(jump);
  box.exec();
  if (anyway && box.clickedButton() == anyway) return true;
  if (box.clickedButton() == jump) showFirstProblem();
  statusBar()->showMessage(QStringLiteral("Das Spiel wurde nicht gestartet."), 5000);
  return false;
}

void EditorWindow::showFirstProblem() {
  const auto& problems = doc_.problems();
  const auto first = std::find_if(problems.begin(), problems.end(), [](const auto& p) { return p.blocking; });
  const int row = first == problems.end() ? 0 : static_cast<int>(first - problems.begin());
  if (row >= problemList_->count()) return;
  QListWidgetItem* item = problemList_->item(row);
  problemList_->setCurrentItem(item);
  const int table = item->data(Qt::UserRole).toInt();
  const int record = item->data(Qt::UserRole + 1).toInt();
  tabs_->setCurrentIndex(table);
  if (record >= 0) selectRecord(static_cast<SetTable>(table), record);  // the keyboard goes to the record
}

void EditorWindow::play() {
  if (!confirmPlay()) return;
  const bool saving = isWindowModified() || path_.isEmpty();
  if (saving && !save(true)) {
    statusBar()->showMessage(QStringLiteral("Das Spiel wurde nicht gestartet: Der Fragensatz ist nicht gespeichert."),
                             10000);
    return;
  }
  // The game beside the editor (build tree), in the same installation (<prefix>/games),
  // on the search path, or where Debian puts games.
  const QDir here(QCoreApplication::applicationDirPath());
  const QString name = QStringLiteral("tankjagd");
  QString game = QStandardPaths::findExecutable(name, {here.path(), here.filePath(QStringLiteral("../games"))});
  if (game.isEmpty()) game = QStandardPaths::findExecutable(name);
  if (game.isEmpty()) game = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/games")});
  if (game.isEmpty() || !QProcess::startDetached(game, {QStringLiteral("--fragen"), path_})) {
    tell(this, QMessageBox::Warning, QStringLiteral("Spielen"),
         QStringLiteral("Das Spiel „tankjagd“ wurde nicht gefunden (weder beim Editor noch im Suchpfad noch in "
                        "/usr/games)."));
    return;
  }
  const QString setName = QFileInfo(path_).fileName();
  statusBar()->showMessage(
      saving ? QStringLiteral("Gespeichert in „%1“. Das Spiel startet mit diesem Fragensatz …").arg(setName)
             : QStringLiteral("Das Spiel startet mit „%1“ …").arg(setName),
      15000);
}

}  // namespace tj::editor
