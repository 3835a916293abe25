// SPDX-License-Identifier: GPL-3.0-or-later
// Tank Jagd: a quiz race for two players at one computer.
#include <QApplication>
#include <QFile>
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
  const std::filesystem::path data = tj::dataFolder(exe, TJ_DATA_DIR);
  tj::Services services{loop, random, pictures, tj::applicationFolder(exe, data), data, nullptr};
  services.storedText = [](const std::string& name) {
    QFile f(QStringLiteral(":/") + QString::fromStdString(name));
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    return f.readAll().toStdString();
  };
  // Each dialog opens its table afresh from the database found at that moment.
  services.openTable = [appFolder = services.appFolder, data](std::string_view table) {
    return tj::data::openTable(tj::data::findDatabase("mdbZielflagge.mdb", appFolder, data), table);
  };
  tj::App app(std::move(services));
  loop.attach(app);
  tj::defineScreens(app.forms);
  app.start();
  if (app.ended()) return 0;
  return QApplication::exec();
}
