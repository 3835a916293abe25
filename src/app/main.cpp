// SPDX-License-Identifier: GPL-3.0-or-later
// Tank Jagd: a quiz race for two players at one computer.
#include <QApplication>
#include <QStyleFactory>

#include "app/locate.h"
#include "screens/all_screens.h"
#include "ui/qt_loop.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tankjagd"));
  QApplication::setDesktopFileName(QStringLiteral("de.tankjagd.TankJagd"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setQuitOnLastWindowClosed(false);

  tj::SystemClock clock;
  tj::ClockSeededRandom random(clock);
  tj::ui::QtPictures pictures;
  tj::ui::QtEventLoop loop(pictures);
  const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
  tj::App app(tj::Services{loop, random, pictures, tj::applicationFolder(exe, TJ_DATA_DIR), TJ_DATA_DIR, nullptr});
  loop.attach(app);
  tj::defineScreens(app.forms);
  app.start();
  if (app.ended()) return 0;
  return QApplication::exec();
}
