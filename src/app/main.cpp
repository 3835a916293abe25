// SPDX-License-Identifier: GPL-3.0-or-later
// Tank Jagd: a quiz race for two players at one computer.
#include <QApplication>

#include "app/real_game.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  tj::RealGame game;
  if (!game.start()) return 0;
  return QApplication::exec();
}
