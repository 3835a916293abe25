// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "content/rules.h"

namespace tj::editor {

namespace {

constexpr int kSampleRows = 8;
constexpr int kLevelRole = 5, kTopicRole = 6;  // the roles that a file may leave out

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The column headings the template writes, the level's with its values.
QString columnRole(std::size_t i) {
  return qs(data::kColumnHeadings.at(i)) + (i == kLevelRole ? QStringLiteral(" (leicht/schwer)") : QString());
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace

ImportDialog::ImportDialog(QString file, SetTable target, QWidget* parent)
    : QDialog(parent), file_(std::move(file)), target_(target == SetTable::Cards ? SetTable::Easy : target) {
  setWindowTitle(QStringLiteral("Importieren: %1").arg(QFileInfo(file_).fileName()));
  resize(820, 520);
  auto* layout = new QVBoxLayout(this);
  pages_ = new QStackedWidget(this);
  pages_->addWidget(buildColumnsPage());
  pages_->addWidget(buildReportPage());
  layout->addWidget(pages_);

  auto* buttons = new QDialogButtonBox(this);
  back_ = buttons->addButton(QStringLiteral("Zurück"), QDialogButtonBox::ActionRole);
  next_ = buttons->addButton(QStringLiteral("Weiter"), QDialogButtonBox::ActionRole);
  take_ = buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(back_, &QPushButton::clicked, this, &ImportDialog::showColumns);
  connect(next_, &QPushButton::clicked, this, &ImportDialog::showReport);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QWidget* ImportDialog::buildColumnsPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  sampleLabel_ = plainLabel(QStringLiteral("Welche Spalte enthält was? Die ersten Zeilen der Datei:"), page);
  layout->addWidget(sampleLabel_);
  sample_ = new QTableWidget(page);
  sample_->setAccessibleName(QStringLiteral("Erste Zeilen der Datei"));
  sample_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sample_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  layout->addWidget(sample_, 1);
  header_ = new QCheckBox(QStringLiteral("Die erste Zeile enthält die Spaltennamen"), page);
  layout->addWidget(header_);
  auto* form = new QFormLayout();
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    columns_[i] = new QComboBox(page);
    columns_[i]->setAccessibleName(QStringLiteral("Spalte für %1").arg(columnRole(i)));
    form->addRow(plainLabel(columnRole(i) + QStringLiteral(":"), page), columns_[i]);
  }
  layout->addLayout(form);
  return page;
}

QWidget* ImportDialog::buildReportPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  source_ = plainLabel({}, page);
  layout->addWidget(source_);
  auto* row = new QHBoxLayout();
  auto* targetLabel = plainLabel(QStringLiteral("Fragen ohne Stufe kommen in:"), page);
  targetBox_ = new QComboBox(page);
  targetBox_->setAccessibleName(QStringLiteral("Ziel-Tabelle"));
  targetBox_->addItem(caption(SetTable::Easy), static_cast<int>(SetTable::Easy));
  targetBox_->addItem(caption(SetTable::Hard), static_cast<int>(SetTable::Hard));
  targetBox_->setCurrentIndex(target_ == SetTable::Hard ? 1 : 0);
  targetLabel->setBuddy(targetBox_);
  row->addWidget(targetLabel);
  row->addWidget(targetBox_, 1);
  layout->addLayout(row);
  report_ = new QPlainTextEdit(page);
  report_->setReadOnly(true);
  report_->setAccessibleName(QStringLiteral("Bericht"));
  layout->addWidget(report_, 1);
  layout->addWidget(plainLabel(
      QStringLiteral("„Übernehmen“ fügt die Fragen hinzu (rückgängig machbar), „Abbrechen“ lässt alles, wie es ist."),
      page));
  return page;
}

bool ImportDialog::load() {
  try {
    const std::filesystem::path path = file_.toStdString();
    const std::string bytes = data::readImportFile(path);
    const data::FileKind kind = data::fileKind(bytes);
    if (data::isSpreadsheet(kind)) {
      const auto names = data::sheetNames(bytes, kind, path.string());
      std::size_t sheet = 0;
      if (names.size() > 1) {
        QStringList items;
        for (const auto& name : names) items << qs(name);
        bool ok = false;
        const QString chosen = QInputDialog::getItem(
            parentWidget(), QStringLiteral("Tabellenblatt wählen"),
            QStringLiteral("„%1“ hat mehrere Tabellenblätter. Aus welchem sollen die Fragen kommen?")
                .arg(QFileInfo(file_).fileName()),
            items, 0, false, &ok);
        if (!ok) return false;
        sheet = static_cast<std::size_t>(std::max<qsizetype>(0, items.indexOf(chosen)));
      }
      grid_ = data::readSheet(bytes, kind, sheet, path.string());
      if (!names.empty())
        sampleLabel_->setText(QStringLiteral("Welche Spalte enthält was? Die ersten Zeilen von Tabellenblatt „%1“:")
                                  .arg(qs(names[sheet])));
      fillPreview();
      showColumns();
      return true;
    }
    data::refuseOtherKinds(kind, path.string());
    // Detection looks at the text; a file that is no text fails in the grid reader's decoding.
    const data::Decoded decoded = data::decodeText(bytes, path.string());
    format_ = data::detectFormat(path, decoded.text);
    if (format_ == data::ImportFormat::Grid) {
      grid_ = data::readGrid(bytes, path.string());
      fillPreview();
      showColumns();
    } else {
      result_ = data::importFile(path, format_);
      content::skipRepeats(result_);
      showReport();
    }
  } catch (const std::exception& e) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Importieren"), qs(e.what()), QMessageBox::Ok, parentWidget());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
  }
  return true;
}

void ImportDialog::fillPreview() {
  const auto& rows = grid_->rows;
  std::size_t width = 0;
  for (const auto& r : rows) width = std::max(width, r.size());
  const int shown = std::min<int>(kSampleRows, static_cast<int>(rows.size()));
  sample_->setColumnCount(static_cast<int>(width));
  sample_->setRowCount(shown);
  QStringList names;
  for (std::size_t c = 0; c < width; ++c) names << QStringLiteral("Spalte %1").arg(c + 1);
  sample_->setHorizontalHeaderLabels(names);
  QStringList numbers;  // as the sheet numbers its rows
  for (int r = 0; r < shown; ++r) numbers << QString::number(grid_->lines[static_cast<std::size_t>(r)]);
  sample_->setVerticalHeaderLabels(numbers);
  for (int r = 0; r < shown; ++r) {
    const auto& cells = rows[static_cast<std::size_t>(r)];
    for (std::size_t c = 0; c < cells.size(); ++c) {
      sample_->setItem(r, static_cast<int>(c), new QTableWidgetItem(qs(cells[c])));
    }
  }
  const data::ColumnMap guess = data::guessColumns(*grid_);
  header_->setChecked(guess.header);
  const int chosen[] = {guess.question, guess.right, guess.wrong[0], guess.wrong[1],
                        guess.wrong[2], guess.level, guess.topic};
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    QComboBox* box = columns_[i];
    box->clear();
    if (static_cast<int>(i) >= kLevelRole) box->addItem(QStringLiteral("— keine —"), -1);
    for (std::size_t c = 0; c < width; ++c) {
      const bool named = guess.header && !rows.empty() && c < rows.front().size() && !rows.front()[c].empty();
      box->addItem(QStringLiteral("Spalte %1").arg(c + 1) +
                       (named ? QStringLiteral(" („%1“)").arg(qs(rows.front()[c])) : QString()),
                   static_cast<int>(c));
    }
    box->setCurrentIndex(std::max(0, box->findData(chosen[i])));
  }
}

data::ColumnMap ImportDialog::chosenColumns() const {
  data::ColumnMap map;
  map.header = header_->isChecked();
  map.question = columns_[0]->currentData().toInt();
  map.right = columns_[1]->currentData().toInt();
  for (std::size_t i = 0; i < 3; ++i) map.wrong[i] = columns_[2 + i]->currentData().toInt();
  map.level = columns_[kLevelRole]->currentData().toInt();
  map.topic = columns_[kTopicRole]->currentData().toInt();
  return map;
}

void ImportDialog::showColumns() {
  pages_->setCurrentIndex(0);
  back_->setVisible(false);
  next_->setVisible(true);
  take_->setEnabled(false);
  next_->setDefault(true);
}

void ImportDialog::showReport() {
  if (grid_) {
    result_ = data::importGrid(*grid_, chosenColumns());
    content::skipRepeats(result_);
  }
  source_->setText(QStringLiteral("Gelesen: %1 – %2").arg(QFileInfo(file_).fileName(), qs(result_.source)));
  report_->setPlainText(qs(data::reportText(result_)));
  pages_->setCurrentIndex(1);
  back_->setVisible(grid_.has_value());
  next_->setVisible(false);
  take_->setEnabled(!result_.accepted.empty());
  take_->setDefault(true);
}

std::map<SetTable, std::vector<Row>> ImportDialog::records() const {
  const auto fallback = static_cast<SetTable>(targetBox_->currentData().toInt());
  std::map<SetTable, std::vector<Row>> out;
  for (const data::ImportedQuestion& q : result_.accepted) {
    SetTable t = fallback;
    if (q.level) t = *q.level == data::Level::Easy ? SetTable::Easy : SetTable::Hard;
    out[t].push_back(data::fieldTexts(q.question));
  }
  return out;
}

QString ImportDialog::summary() const {
  const QString report = qs(data::reportText(result_));
  const int colon = report.indexOf(':');
  return colon < 0 ? report : report.left(colon);
}

}  // namespace tj::editor
