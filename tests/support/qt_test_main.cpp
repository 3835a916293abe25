// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every test that needs the real front end: a QApplication set up like the
// game's, on Qt's offscreen platform unless the environment names another.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/real_game.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
