// SPDX-License-Identifier: GPL-3.0-or-later
// A question dialog opened RUNS times in the real game, with "Vorlesen" on or off, while a
// record stream on the sound server's monitor listens to what is played. Prints
//   FRAME_TO_SOUND <ms>   per dialog: its first frame to the first loud sample ("none": silence)
//   SAY_TO_SOUND <ms>     per run, the reference: the same text handed to the voice straight
//                         from the event loop, without a dialog, to its first loud sample
//   OFF_TO_QUIET <ms>     "Vorlesen" switched off while a question is read, to its last loud sample
//   MAPPED <0|1>          whether the speech module was loaded by the end
//   PEAKRSS <kB>
// Usage: bench-speech DATABASE on|off [RUNS]   (needs a sound server; PULSE_SERVER as usual)
#include <pulse/simple.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <thread>

#include "app/real_game.h"

namespace {

using Clock = std::chrono::steady_clock;

// The time of the newest loud sample the monitor has delivered, in steady-clock ticks.
std::atomic<Clock::rep> lastLoud{0};
std::atomic<bool> stopListening{false};

void listen() {
  const pa_sample_spec format{PA_SAMPLE_S16LE, 16000, 1};
  const pa_buffer_attr attr{static_cast<uint32_t>(-1), static_cast<uint32_t>(-1), static_cast<uint32_t>(-1),
                            static_cast<uint32_t>(-1), 320};  // 10 ms fragments
  int err = 0;
  pa_simple* rec = pa_simple_new(nullptr, "bench-speech", PA_STREAM_RECORD, "@DEFAULT_MONITOR@", "Messung", &format,
                                 nullptr, &attr, &err);
  if (!rec) {
    std::fprintf(stderr, "bench-speech: kein Tonserver zum Mithören\n");
    return;
  }
  int16_t buf[160];
  while (!stopListening) {
    if (pa_simple_read(rec, buf, sizeof buf, &err) < 0) break;
    const auto now = Clock::now();
    for (int i = 0; i < 160; ++i)
      if (std::abs(buf[i]) > 600) {  // about -35 dBFS: speech, not the silence between words
        lastLoud = (now - std::chrono::microseconds((160 - i) * 1000000 / 16000)).time_since_epoch().count();
        break;
      }
  }
  pa_simple_free(rec);
}

void spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Waits until a loud sample after `since` arrives (true) or `limitMs` pass.
bool waitLoud(Clock::time_point since, int limitMs) {
  const auto end = Clock::now() + std::chrono::milliseconds(limitMs);
  while (Clock::now() < end) {
    if (lastLoud.load() > since.time_since_epoch().count()) return true;
    spin(2);
  }
  return false;
}

// Waits until nothing loud has come for `quietMs`.
void waitQuiet(int quietMs, int limitMs) {
  const auto end = Clock::now() + std::chrono::milliseconds(limitMs);
  while (Clock::now() < end && Clock::now() - Clock::time_point(Clock::duration(lastLoud.load())) <
                                   std::chrono::milliseconds(quietMs))
    spin(10);
}

// Remembers the first paint of the window whose canvas is named `name`.
class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(QString name) : name_(std::move(name)) { qApp->installEventFilter(this); }
  std::optional<Clock::time_point> at;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!at && e->type() == QEvent::Paint && o->objectName() == name_) at = Clock::now();
    return false;
  }

 private:
  QString name_;
};

bool moduleMapped() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line))
    if (line.find("tankjagd-vorlesen") != std::string::npos || line.find("TextToSpeech") != std::string::npos)
      return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "Aufruf: bench-speech DATENBANK on|off [DURCHLÄUFE]\n");
    return 2;
  }
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  const bool on = std::string(argv[2]) == "on";
  const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
  std::thread listener(listen);
  {
    tj::RealGame game;
    game.useDatabase(argv[1]);
    tj::App& app = game.app();
    app.race.state().NameSpieler1 = "Anna";
    app.race.state().NameSpieler2 = "Ben";
    app.race.state().AktiverSpieler = tj::kSpieler1;
    if (on) {
      // The voice is switched on before the game, as a player would on the board: the
      // speech service starts meanwhile and is warm when the first question opens.
      app.dispatch([&] { app.setSpeechOn(true); });
      app.dispatch([&] { app.say("Los geht's."); });
      waitLoud(Clock::now(), 20000);
      waitQuiet(300, 5000);
    }
    for (int i = 0; i < runs; ++i) {
      FirstPaint paint(QStringLiteral("frmFragenLeicht"));
      app.dispatch([&] { app.forms.get("frmFragenLeicht").Show(); });
      const auto shown = Clock::now();
      while (!paint.at && Clock::now() - shown < std::chrono::seconds(5)) spin(1);
      const auto frame = paint.at.value_or(shown);
      const bool heard = waitLoud(frame, on ? 3000 : 1500);
      if (heard)
        std::printf("FRAME_TO_SOUND %.1f\n",
                    std::chrono::duration<double, std::milli>(Clock::duration(lastLoud.load()) -
                                                             frame.time_since_epoch())
                        .count());
      else
        std::printf("FRAME_TO_SOUND none\n");
      std::fflush(stdout);
      app.dispatch([&] {
        app.forms.get("frmFragenLeicht").Unload();
        app.say("");  // silence before the next dialog
      });
      waitQuiet(300, 3000);
    }
    for (int i = 0; on && i < runs; ++i) {
      const std::string text = "Frage für 2 Liter: Wo geht die Sonne auf? Antwort 1: im Osten.";
      const auto asked = Clock::now();
      app.dispatch([&] { app.say(text); });
      if (waitLoud(asked, 3000))
        std::printf("SAY_TO_SOUND %.1f\n",
                    std::chrono::duration<double, std::milli>(Clock::duration(lastLoud.load()) -
                                                             asked.time_since_epoch())
                        .count());
      app.dispatch([&] { app.say(""); });
      waitQuiet(300, 3000);
    }
    if (on) {
      const auto asked = Clock::now();
      app.dispatch([&] { app.forms.get("frmFragenLeicht").Show(); });
      if (waitLoud(asked, 3000)) {
        spin(500);
        const auto off = Clock::now();
        app.dispatch([&] { app.setSpeechOn(false); });
        waitQuiet(300, 3000);
        std::printf("OFF_TO_QUIET %.1f\n",
                    std::max(0.0, std::chrono::duration<double, std::milli>(Clock::duration(lastLoud.load()) -
                                                                           off.time_since_epoch())
                                      .count()));
      }
    }
    std::printf("MAPPED %d\n", moduleMapped() ? 1 : 0);
  }
  stopListening = true;
  listener.join();
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  std::printf("PEAKRSS %ld\n", ru.ru_maxrss);
  return 0;
}
