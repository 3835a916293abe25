// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/import_dialog.h"

namespace tj::editor {

ImportDialog::ImportDialog(SetTable target, QWidget* parent) : QDialog(parent), target_(target) {
  setWindowTitle(QStringLiteral("Importieren"));
}

}  // namespace tj::editor
