// SPDX-License-Identifier: GPL-3.0-or-later
// The reference: a bare Qt Widgets program that shows one label, maximised.
//   bare-label              reports the moment its first frame is painted, like the game's
//                           start probe does, and ends;
//   bare-label --idle MS    waits MS with nothing to do, then prints "IDLE <% of one core>"
//                           and "PEAKRSS <kB>" and ends.
#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "first_frame.h"
#include "idle.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("3"));
  label.setObjectName(QStringLiteral("lblCountdown"));
  label.setAlignment(Qt::AlignCenter);
  std::unique_ptr<FirstFrameProbe> probe;
  if (argc > 2 && std::strcmp(argv[1], "--idle") == 0) {
    new IdleProbe(&app, std::max(100, std::atoi(argv[2])), [](double pct) {
      std::printf("IDLE %.3f\nPEAKRSS %ld\n", pct, peakRssKb());
      QApplication::quit();
    });
  } else {
    probe = std::make_unique<FirstFrameProbe>(QStringLiteral("lblCountdown"));
  }
  label.showMaximized();
  return QApplication::exec();
}
