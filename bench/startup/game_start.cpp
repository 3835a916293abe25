// SPDX-License-Identifier: GPL-3.0-or-later
// The game as it starts, reporting the moment the start screen's countdown is first painted.
// With --sound, a sound is asked for right at the start: its library loads meanwhile.
#include <QApplication>

#include "app/real_game.h"
#include "first_frame.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  FirstFrameProbe probe(QStringLiteral("lblCountdown"));
  tj::RealGame game;
  if (!game.start()) return 0;
  if (argc > 1 && qstrcmp(argv[1], "--sound") == 0) game.app().play(tj::Sound::DriveOut);
  return QApplication::exec();
}
