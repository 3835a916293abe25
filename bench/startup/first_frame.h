// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

// Prints "FRAME <CLOCK_MONOTONIC ns> <peak RSS kB>" when the widget named `name` is first
// painted, then ends the program.
class FirstFrameProbe final : public QObject {
 public:
  explicit FirstFrameProbe(QString name) : name_(std::move(name)) { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!done_ && e->type() == QEvent::Paint && o->objectName() == name_) {
      done_ = true;
      timespec ts{};
      clock_gettime(CLOCK_MONOTONIC, &ts);
      rusage ru{};
      getrusage(RUSAGE_SELF, &ru);
      std::printf("FRAME %lld %ld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec, ru.ru_maxrss);
      std::fflush(stdout);
      QMetaObject::invokeMethod(
          qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QString name_;
  bool done_ = false;
};
