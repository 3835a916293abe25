// SPDX-License-Identifier: GPL-3.0-or-later
// tankjagd-editor [DATEI]: makes and changes the question sets the game plays.
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include "app/locate.h"
#include "data/store.h"
#include "editor/editor_window.h"
#include "ui/dialogs.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tankjagd-editor"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tank Jagd – Fragen-Editor"));
  QApplication::setApplicationVersion(QStringLiteral(TJ_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("de.tankjagd.TankJagd.Editor"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("de.tankjagd.TankJagd.Editor")));
  tj::ui::useGermanQtTexts();  // Qt's own dialogs (file choosers)

  const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
  tj::editor::Installation where;
  where.dataFolder = tj::dataFolder(exe, TJ_DATA_DIR);
  where.appFolder = tj::applicationFolder(exe, where.dataFolder);
  where.shippedSet = tj::data::findDatabase("mdbZielflagge.mdb", where.appFolder, where.dataFolder);

  tj::editor::EditorWindow window(where);
  window.show();
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2 || !window.openPath(args.at(1))) window.askHowToBegin();
  return QApplication::exec();
}
