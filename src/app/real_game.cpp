// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/real_game.h"

#include <QApplication>
#include <QFile>
#include <QPixmapCache>
#include <QStyleFactory>
#include <cstdio>

#include "app/locate.h"
#include "data/builder.h"
#include "data/store.h"
#include "screens/all_screens.h"
#include "screens/record_dialog.h"
#include "ui/dialogs.h"

namespace tj {

namespace {

// Why the game could not play with the question file, or nothing: every table opens and has
// a first record, which has every field the dialogs read (an empty field fails one question only).
std::optional<std::string> unplayable(const std::filesystem::path& file) {
  try {
    for (const data::TableLayout& layout : data::gameTables()) {
      data::Recordset records = data::openTable(file, layout.name);
      records.setAbsolutePosition(1);
      for (const std::string_view field : layout.required) {
        try {
          (void)records.field(field);
        } catch (const data::DataError& e) {
          if (e.fault() != data::Fault::FieldEmpty) throw;
        }
      }
    }
  } catch (const std::exception& e) {
    return e.what();
  }
  return std::nullopt;
}

}  // namespace

void setUpQtApplication() {
  QApplication::setApplicationName(QStringLiteral("tankjagd"));
  QApplication::setDesktopFileName(QStringLiteral("de.tankjagd.TankJagd"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setQuitOnLastWindowClosed(false);
  ui::useGermanQtTexts();  // the print and file dialogs
  // The style caches a drawn bevel per button size, state and colour; the game's many
  // large dialog buttons would fill Qt's default 10 MB. Redrawing a bevel is cheap.
  QPixmapCache::setCacheLimit(1024);
}

RealGame::RealGame() : RealGame(QCoreApplication::applicationDirPath().toStdString()) {}

RealGame::RealGame(const std::filesystem::path& exe, Random* random) {
  const std::filesystem::path data = dataFolder(exe, TJ_DATA_DIR);
  Services services{loop_, random ? *random : clockRandom_, pictures_, applicationFolder(exe, data), data, nullptr};
  // The sound folder lies beside the picture folders.
  sounds_ = std::make_unique<sound::PulsePlayer>(std::vector{services.appFolder, data}, [](const std::string& line) {
    std::fprintf(stderr, "tankjagd: %s\n", line.c_str());
  });
  services.sounds = sounds_.get();
  // The speech module lies beside the program in the build folder, else in the game's
  // library folder (found from the program's folder first, as the data folder is).
  speaker_ = std::make_unique<speech::QtSpeaker>(
      std::vector<std::filesystem::path>{exe, exe / ".." / "lib" / "games" / "tankjagd", TJ_MODULE_DIR},
      [this](const std::string& why) { app_->dispatch([this, why] { app_->speechUnavailable(why); }); });
  services.speaker = speaker_.get();
  services.storedText = [](const std::string& name) {
    QFile f(QStringLiteral(":/") + QString::fromStdString(name));
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    return f.readAll().toStdString();
  };
  // Each dialog opens its table from the database found at that moment; a file that has
  // not changed since the last dialog is not read again.
  services.openTable = [this, appFolder = services.appFolder, data](std::string_view table) {
    if (!database_.empty()) return tables_.open(database_, table);
    return tables_.open(data::findDatabase("mdbZielflagge.mdb", appFolder, data), table);
  };
  app_ = std::make_unique<App>(std::move(services));
  loop_.attach(*app_);
  defineScreens(app_->forms);
}

RealGame::~RealGame() = default;

bool RealGame::useDatabase(std::filesystem::path file) {
  if (const auto why = unplayable(file)) {
    loop_.messageBox(*why + "\n\nMit diesen Fragen kann das Spiel nicht beginnen; es wird beendet.", kDataFailureTitle);
    return false;
  }
  database_ = std::move(file);
  return true;
}

bool RealGame::start() {
  app_->start();
  return !app_->ended();
}

}  // namespace tj
