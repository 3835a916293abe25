// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTextDocument>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "screens/report.h"

namespace tj::ui {

// Qt's own dialogs (printing, choosing a file, their buttons and questions) speak German
// when Qt's translations are installed. Call once, after creating the QApplication.
void useGermanQtTexts();

// The page `report` prints as: the title as a heading, each line as a paragraph, then the
// table with its headings repeated on every page. Every text is plain: nothing in it is
// read as markup.
std::unique_ptr<QTextDocument> reportDocument(const Report& report);

// The system's print dialog over `parent` (a printer, or a PDF file); prints when the player
// confirms.
void printReport(const Report& report, QWidget* parent);

// The system's dialog that asks where to save a file of kind `kind` ("CSV": "*.csv"), in the
// player's documents folder, suggesting `name`; asks before replacing a file. Nothing when
// the player cancels.
std::optional<std::filesystem::path> askSaveFile(QWidget* parent, const std::string& title, const std::string& name,
                                                 const std::string& kind);

}  // namespace tj::ui
