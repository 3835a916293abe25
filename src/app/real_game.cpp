// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/real_game.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

#include "app/locate.h"
#include "data/store.h"
#include "screens/all_screens.h"

namespace tj {

void setUpQtApplication() {
  QApplication::setApplicationName(QStringLiteral("tankjagd"));
  QApplication::setDesktopFileName(QStringLiteral("de.tankjagd.TankJagd"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setQuitOnLastWindowClosed(false);
}

RealGame::RealGame() {
  const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
  const std::filesystem::path data = dataFolder(exe, TJ_DATA_DIR);
  Services services{loop_, random_, pictures_, applicationFolder(exe, data), data, nullptr};
  services.storedText = [](const std::string& name) {
    QFile f(QStringLiteral(":/") + QString::fromStdString(name));
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    return f.readAll().toStdString();
  };
  // Each dialog opens its table afresh from the database found at that moment.
  services.openTable = [appFolder = services.appFolder, data](std::string_view table) {
    return data::openTable(data::findDatabase("mdbZielflagge.mdb", appFolder, data), table);
  };
  app_ = std::make_unique<App>(std::move(services));
  loop_.attach(*app_);
  defineScreens(app_->forms);
}

RealGame::~RealGame() = default;

bool RealGame::start() {
  app_->start();
  return !app_->ended();
}

}  // namespace tj
