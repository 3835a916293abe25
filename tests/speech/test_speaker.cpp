// SPDX-License-Identifier: GPL-3.0-or-later
// The reading-aloud front end without its module: the players are told on the UI thread,
// once for each try, and the game never waits.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "speech/qt_speaker.h"

namespace tj::speech {
namespace {

void spinUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
}

TEST(Speaker, withoutItsModuleTellsTheUiThreadOncePerTry) {
  std::vector<std::string> why;
  QThread* ui = QThread::currentThread();
  QtSpeaker speaker({"/nirgends"}, [&](const std::string& w) {
    EXPECT_EQ(QThread::currentThread(), ui);
    why.push_back(w);
  });
  QElapsedTimer t;
  t.start();
  speaker.say("eins");
  speaker.say("zwei");
  EXPECT_LT(t.elapsed(), 100) << "say never waits for the voice";
  spinUntil([&] { return !why.empty(); }, 5000);
  speaker.say("drei");
  spinUntil([] { return false; }, 200);
  ASSERT_EQ(why, std::vector<std::string>{"das Modul tankjagd-vorlesen.so fehlt"}) << "no new try before a stop";
  speaker.stop();  // what the game does when it switches "Vorlesen" off
  speaker.say("vier");
  spinUntil([&] { return why.size() == 2; }, 5000);
  EXPECT_EQ(why.size(), 2u);
}

}  // namespace
}  // namespace tj::speech
