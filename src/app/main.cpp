// SPDX-License-Identifier: GPL-3.0-or-later
// Tank Jagd: a quiz race for two players at one computer.
#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

#include "app/locate.h"
#include "app/real_game.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  tj::RealGame game;
  std::vector<std::string> args;
  for (const QString& a : QCoreApplication::arguments()) args.push_back(a.toStdString());
  // A question file the game cannot play ends the program after the players were told why.
  const auto file = tj::questionFileArgument(args, std::filesystem::current_path());
  if (file && !game.useDatabase(*file)) return 1;
  if (!game.start()) return 0;
  return QApplication::exec();
}
