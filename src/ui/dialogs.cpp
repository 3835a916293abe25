// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextTable>
#include <QTranslator>
#include <algorithm>

namespace tj::ui {

namespace {
QString text(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void useGermanQtTexts() {
  auto* german = new QTranslator(qApp);
  if (german->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(german);
}

std::unique_ptr<QTextDocument> reportDocument(const Report& report) {
  auto doc = std::make_unique<QTextDocument>();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(9);
  doc->setDefaultFont(font);
  QTextCursor c(doc.get());
  QTextCharFormat heading;
  heading.setFontPointSize(14);
  heading.setFontWeight(QFont::Bold);
  c.insertText(text(report.title), heading);
  for (const std::string& line : report.lines) {
    c.insertBlock();
    c.insertText(text(line), QTextCharFormat());
  }
  const TableContent& t = report.table;
  if (t.headings.empty()) return doc;
  c.insertBlock();
  // Qt sizes the columns by their texts; long ones wrap.
  QTextTableFormat format;
  format.setHeaderRowCount(1);
  format.setCellPadding(4);
  format.setCellSpacing(0);
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderBrush(QBrush(Qt::darkGray));
  format.setBorderCollapse(true);
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  const int columns = static_cast<int>(t.headings.size());
  QTextTable* table = c.insertTable(static_cast<int>(t.rows.size()) + 1, columns, format);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  for (int col = 0; col < columns; ++col)
    table->cellAt(0, col).firstCursorPosition().insertText(text(t.headings[static_cast<std::size_t>(col)]), bold);
  for (std::size_t r = 0; r < t.rows.size(); ++r)
    for (int col = 0; col < columns && col < static_cast<int>(t.rows[r].size()); ++col)
      table->cellAt(static_cast<int>(r) + 1, col)
          .firstCursorPosition()
          .insertText(text(t.rows[r][static_cast<std::size_t>(col)]), QTextCharFormat());
  return doc;
}

void printReport(const Report& report, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  // The name a PDF is offered under: the title without the signs file names must not hold.
  printer.setDocName(text(report.title).remove(QRegularExpression(QStringLiteral("[:/\\\\?*\"<>|]"))));
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("Drucken"));
  if (dialog.exec() != QDialog::Accepted) return;
  reportDocument(report)->print(&printer);
}

std::optional<std::filesystem::path> askSaveFile(QWidget* parent, const std::string& title, const std::string& name,
                                                 const std::string& kind) {
  const QString suffix = text(kind).toLower();
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  QFileDialog dialog(parent, text(title), folder, text(kind) + QStringLiteral("-Dateien (*.") + suffix + ')');
  dialog.setObjectName(QStringLiteral("Speichern"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(text(name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

}  // namespace tj::ui
