// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTextBrowser>

#include "screens/rich_document.h"

namespace tj::ui {

// Shows `doc` in `box`, fonts scaled by `pxPerPoint`.
void showDocument(QTextBrowser& box, const RichDocument& doc, double pxPerPoint);

}  // namespace tj::ui
