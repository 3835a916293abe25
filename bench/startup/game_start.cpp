// SPDX-License-Identifier: GPL-3.0-or-later
// The game as it starts, reporting the moment the start screen's countdown is first painted.
#include <QApplication>

#include "app/real_game.h"
#include "first_frame.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  FirstFrameProbe probe(QStringLiteral("lblCountdown"));
  tj::RealGame game;
  if (!game.start()) return 0;
  return QApplication::exec();
}
