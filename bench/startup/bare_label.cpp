// SPDX-License-Identifier: GPL-3.0-or-later
// The reference: a bare Qt Widgets program that shows one label, maximised. It reports
// the moment its first frame is painted, like the game's start probe does.
#include <QApplication>
#include <QLabel>

#include "first_frame.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("3"));
  label.setObjectName(QStringLiteral("lblCountdown"));
  label.setAlignment(Qt::AlignCenter);
  FirstFrameProbe probe(QStringLiteral("lblCountdown"));
  label.showMaximized();
  return QApplication::exec();
}
