// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's "Hilfe" menu: a short guide to making a question set, and what the program is.
#pragma once

class QWidget;

namespace tj::editor {

void showGuide(QWidget* parent);
void showAbout(QWidget* parent);

}  // namespace tj::editor
