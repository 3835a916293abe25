// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTextBrowser>
#include <QTextDocument>
#include <memory>

#include "screens/rich_document.h"

namespace tj::ui {

// The model document as a Qt document, fonts scaled by `pxPerPoint` (twips follow the
// same scale: 20 twips to the point). Paragraph alignment, spacing, indents, hanging
// first lines, tab stops, fonts, sizes, styles and colours are kept.
std::unique_ptr<QTextDocument> buildDocument(const RichDocument& doc, double pxPerPoint);

// Shows `doc` in `box`, read-only and scrollable. Showing the same document again at the
// same scale changes nothing, so the reader keeps the place he scrolled to.
void showDocument(QTextBrowser& box, const RichDocument& doc, double pxPerPoint);

}  // namespace tj::ui
