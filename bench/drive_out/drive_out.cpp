// SPDX-License-Identifier: GPL-3.0-or-later
// Times the drive-out of player 1's blue car (44 ticks of the 10 ms timer) in the real
// front end: the real setup screen in its real window, the real event loop, the real
// pictures, the real sound. Beside it, as the reference, a bare Qt timer of 10 ms for 44 ticks in the
// same process. Prints tab-separated figures (name, value, unit, reference, ratio);
// asserts nothing.
//
// Usage: bench-drive-out [RUNS]   (default 20; the platform comes from the environment)
#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "app/locate.h"
#include "screens/all_screens.h"
#include "screens/setup/frm_auswahl.h"
#include "sound/pulse_player.h"
#include "ui/qt_loop.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTicks = 44;  // the blue car from Left 7680
constexpr double kIdealMs = kTicks * 10.0;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Waits in Qt's loop for `ms` of wall time, so windows are shown and painted.
void settle(int waitMs) {
  QEventLoop loop;
  QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
  loop.exec();
}

// One timed sequence: the instant it began and each tick after it.
struct Run {
  Clock::time_point start;
  std::vector<Clock::time_point> ticks;
  double totalMs() const { return ticks.empty() ? 0 : ms(ticks.back() - start); }
  void intervals(std::vector<double>& out) const {
    Clock::time_point prev = start;
    for (auto t : ticks) {
      out.push_back(ms(t - prev));
      prev = t;
    }
  }
};

// The reference: a precise 10 ms QTimer and nothing else, 44 ticks.
Run bareTimer() {
  Run r;
  QEventLoop loop;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    r.ticks.push_back(Clock::now());
    if (static_cast<int>(r.ticks.size()) == kTicks) {
      timer.stop();
      loop.quit();
    }
  });
  r.start = Clock::now();
  timer.start(10);
  loop.exec();
  return r;
}

// The game: a fresh setup screen with both names confirmed, then a click on the blue
// car; returns once its drive-out has ended (player 2's cars are offered).
Run driveOut(tj::App& app) {
  using tj::FrmAuswahl;
  Run r;
  app.dispatch([&] { app.form<FrmAuswahl>().Show(); });
  FrmAuswahl& s = app.form<FrmAuswahl>();
  app.typeText(s.txtName, "Anna");
  app.click(s.cmdName1Weiter);
  app.typeText(s.txtName2, "Ben");
  app.pressKey(s.txtName2, 13);
  settle(300);  // the cars are drawn before the clock starts

  QEventLoop loop;
  auto tick = s.tmrRausFahren.Timer;
  s.tmrRausFahren.Timer = [&, tick] {
    tick();
    r.ticks.push_back(Clock::now());
    if (!s.tmrRausFahren.TimerEnabled()) QTimer::singleShot(0, &loop, &QEventLoop::quit);
  };
  r.start = Clock::now();
  app.click(s.imgAuto1SP1);
  loop.exec();
  app.dispatch([&] { s.Unload(); });
  return r;
}

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size()))) - 1;
  return v[std::min(i, v.size() - 1)];
}
double mean(const std::vector<double>& v) {
  return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

void row(const std::string& name, double value, const char* unit, const std::string& reference,
         const std::string& ratio) {
  std::printf("%s\t%.2f\t%s\t%s\t%s\n", name.c_str(), value, unit, reference.c_str(), ratio.c_str());
}
std::string fmt(const char* f, double a) {
  char buf[96];
  std::snprintf(buf, sizeof buf, f, a);
  return buf;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setQuitOnLastWindowClosed(false);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

  tj::SystemClock clock;
  tj::ClockSeededRandom random(clock);
  tj::ui::QtPictures pictures;
  tj::ui::QtEventLoop loop(pictures);
  const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
  tj::Services services{loop, random, pictures, tj::applicationFolder(exe, TJ_DATA_DIR), TJ_DATA_DIR, nullptr};
  // Each drive-out starts its sound, as in the game; the first one loads the sound library.
  tj::sound::PulsePlayer sounds({services.appFolder, services.dataFolder}, [](const std::string&) {});
  services.sounds = &sounds;
  tj::App app(std::move(services));
  loop.attach(app);
  tj::defineScreens(app.forms);

  std::vector<double> gameTotals, gameIntervals, bareTotals, bareIntervals;
  for (int i = 0; i < runs; ++i) {
    Run g = driveOut(app);
    gameTotals.push_back(g.totalMs());
    g.intervals(gameIntervals);
    Run b = bareTimer();
    bareTotals.push_back(b.totalMs());
    b.intervals(bareIntervals);
  }
  const double ticksPerRun = static_cast<double>(gameIntervals.size()) / runs;

  const double total = mean(gameTotals);
  const double bareTotal = mean(bareTotals);
  std::printf("# %s, %d runs, %.0f ticks per run, platform %s\n", "drive-out of the blue car", runs, ticksPerRun,
              qPrintable(QGuiApplication::platformName()));
  row("drive-out 44 ticks, mean total", total, "ms", fmt("ideal 440; bare QTimer %.1f ms", bareTotal),
      fmt("%.2fx ideal", total / kIdealMs));
  row("drive-out 44 ticks, worst total", *std::max_element(gameTotals.begin(), gameTotals.end()), "ms",
      fmt("bare QTimer worst %.1f ms", *std::max_element(bareTotals.begin(), bareTotals.end())),
      fmt("%.2fx ideal", *std::max_element(gameTotals.begin(), gameTotals.end()) / kIdealMs));
  row("drive-out tick interval, mean", mean(gameIntervals), "ms",
      fmt("ideal 10; bare QTimer %.2f ms", mean(bareIntervals)),
      fmt("%.2fx bare; target <= 10.5 ms", mean(gameIntervals) / mean(bareIntervals)));
  row("drive-out tick interval, p99", percentile(gameIntervals, 0.99), "ms",
      fmt("bare QTimer p99 %.2f ms", percentile(bareIntervals, 0.99)),
      fmt("%.2fx bare; target <= 12 ms", percentile(gameIntervals, 0.99) / percentile(bareIntervals, 0.99)));
  std::fflush(stdout);
  app.dispatch([&] { app.forms.UnloadForms(); });
  return 0;
}
