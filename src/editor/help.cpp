// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/help.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tj::editor {

namespace {

const char* const kGuide =
    "So entsteht ein eigener Fragensatz\n"
    "\n"
    "1. Beginnen: „Datei → Neu“ beginnt mit den mitgelieferten Fragen oder mit einem leeren "
    "Fragensatz. Die Aktionskarten des Spiels sind immer dabei.\n"
    "\n"
    "2. Fragen aus einer Tabelle holen: Schreiben Sie die Fragen in Excel, LibreOffice Calc oder "
    "ein anderes Tabellenprogramm, eine Zeile je Frage, mit Spalten für die Frage, die richtige "
    "Antwort, drei falsche Antworten und, wenn Sie möchten, die Stufe „leicht“ oder „schwer“. "
    "„Datei → Vorlage speichern …“ legt eine solche Tabelle mit drei Beispielen an.\n"
    "„Datei → Importieren …“ (Strg+I) liest Excel- und LibreOffice-Tabellen (.xlsx, .xls, .ods) "
    "und CSV-Dateien, außerdem Fragen aus Lernplattformen (GIFT, Aiken). Sie sehen die ersten "
    "Zeilen und wählen, welche Spalte was enthält. Der Bericht nennt jede Zeile, die nicht "
    "übernommen wird, mit ihrer Nummer in der Tabelle und dem Grund.\n"
    "\n"
    "3. Bearbeiten: Doppelklick oder einfach lostippen ändert ein Feld. „Neuer Eintrag“, "
    "„Duplizieren“ und „Löschen“ stehen im Menü „Bearbeiten“. Strg+Z macht rückgängig, Strg+Y "
    "stellt wieder her.\n"
    "\n"
    "4. Probleme: Die Liste „Probleme“ nennt leere Felder, gleiche Antworten, doppelte Fragen und "
    "Texte, die im Spiel nicht in ihr Feld passen. Ein Doppelklick springt zum Eintrag.\n"
    "\n"
    "5. Vorschau (F5): Die gewählte Frage oder Karte erscheint im Fenster des Spiels. Escape "
    "schließt sie.\n"
    "\n"
    "6. Spielen (F9): Der Fragensatz wird gespeichert und das Spiel startet mit genau diesen "
    "Fragen.\n";

}  // namespace

void showGuide(QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Anleitung – Fragen-Editor"));
  dialog.resize(620, 520);
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QPlainTextEdit(QString::fromUtf8(kGuide), &dialog);
  text->setReadOnly(true);
  text->setAccessibleName(QStringLiteral("Anleitung"));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.exec();
}

void showAbout(QWidget* parent) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Über den Fragen-Editor"),
                  QStringLiteral("Tank Jagd – Fragen-Editor, Version %1").arg(QCoreApplication::applicationVersion()),
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(
      QStringLiteral("Macht und ändert die Fragensätze, mit denen Tank Jagd spielt.\n\nFreie Software unter der GNU "
                     "General Public License, Version 3 oder später."));
  box.exec();
}

}  // namespace tj::editor
