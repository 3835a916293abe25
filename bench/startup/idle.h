// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QTimer>
#include <ctime>
#include <functional>
#include <sys/resource.h>

// Peak resident memory of this process so far, in kB.
inline long peakRssKb() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss;
}

// Processor time (user + system) of this process, in ms.
inline double cpuMs() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  auto toMs = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  return toMs(ru.ru_utime) + toMs(ru.ru_stime);
}

inline double wallMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Lets the event loop run untouched: after `settleMs` it notes the processor time, after
// `idleMs` more it reports the processor time used meanwhile as % of one core, then
// deletes itself (its parent owns it until then). The program's own loop keeps running throughout.
class IdleProbe final : public QObject {
 public:
  IdleProbe(QObject* parent, int idleMs, std::function<void(double)> done, int settleMs = 500)
      : QObject(parent), done_(std::move(done)) {
    QTimer::singleShot(settleMs, this, [this, idleMs] {
      cpu0_ = cpuMs();
      wall0_ = wallMs();
      QTimer::singleShot(idleMs, this, [this] {
        const double pct = 100.0 * (cpuMs() - cpu0_) / (wallMs() - wall0_);
        done_(pct);
        deleteLater();
      });
    });
  }

 private:
  std::function<void(double)> done_;
  double cpu0_ = 0, wall0_ = 0;
};
