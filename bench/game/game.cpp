// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games in the real front end, played by clicking the widgets through Qt the way a
// person's mouse would (press and release on the widget's centre). Measures:
//  - the processor time while the game waits 10 s on the board and 10 s on a question;
//  - the time from each click on the die button to the end of the board's next paint;
//  - the peak resident memory after the last game.
// Prints "KEY value..." lines for bench/run.py, which sets them beside the bare label's.
//
// Usage: bench-game [GAMES] [IDLE_MS] [silent|vorlesen]   (default 3 games, 10000 ms, with sound;
// platform from the environment). "silent" switches the sounds off as the "Ton" menu item does,
// "vorlesen" switches reading aloud on as the "Vorlesen" item does.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/real_game.h"
#include "idle.h"

namespace {

using Clock = std::chrono::steady_clock;
double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Sends a left click to the centre of `w`, as the window system would.
void clickWidget(QWidget* w) {
  const QPointF local(w->width() / 2.0, w->height() / 2.0);
  const QPointF global = w->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  if (!w) return;
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

void typeInto(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

// Plays games by clicking, one step every few milliseconds of the event loop.
class Driver final : public QObject {
 public:
  Driver(tj::RealGame& game, int games, int idleMs) : game_(game), games_(games), idleMs_(idleMs) {
    qApp->installEventFilter(this);
    step_.setInterval(2);
    connect(&step_, &QTimer::timeout, this, [this] { step(); });
    step_.start();
  }

  std::vector<double> dieToPaint;
  double boardIdleCpu = -1, questionIdleCpu = -1;
  int clicks = 0, won = 0;

 protected:
  // Times the board's repaint after a die click: the paint runs here, inside the filter,
  // so the time taken after it is the end of the paint.
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!pending_ || inFilter_ || e->type() != QEvent::Paint) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !boardWindow() || w->window() != boardWindow()) return false;
    inFilter_ = true;
    static_cast<QObject*>(w)->event(e);  // QObject::event is public; the widget's own runs
    inFilter_ = false;
    lastPaintEnd_ = Clock::now();
    painted_ = true;
    return true;
  }

 private:
  QWidget* boardWindow() {
    tj::Screen* board = game_.app().forms.isLoaded("frmSpielfeld") ? &game_.app().forms.get("frmSpielfeld") : nullptr;
    tj::ui::ScreenWindow* w = board ? game_.loop().windowOf(*board) : nullptr;
    return w ? w->window() : nullptr;
  }
  QWidget* widget(tj::Screen& s, const std::string& name) {
    tj::ui::ScreenWindow* sw = game_.loop().windowOf(s);
    if (!sw || !sw->window()) return nullptr;
    auto* w = sw->window()->findChild<QWidget*>(QString::fromStdString(name));
    return w && w->isVisible() && w->isEnabled() ? w : nullptr;
  }
  bool click(tj::Screen& s, const std::string& name, bool timed = false) {
    QWidget* w = widget(s, name);
    if (!w) return false;
    ++clicks;
    later(w, timed);
    return true;
  }
  // Clicks from a fresh event of the loop, not from inside the step timer: a click may
  // open a modal screen whose nested loop must go on running the steps.
  void later(QWidget* w, bool timed) {
    queued_ = true;
    QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(w), timed] {
      queued_ = false;
      if (!target) return;
      if (timed) {
        clickAt_ = Clock::now();
        pending_ = true;
      }
      clickWidget(target);
    });
  }
  // Stops clicking for `idleMs_` and reports the processor time the program used meanwhile.
  void idle(double& out) {
    step_.stop();
    new IdleProbe(this, idleMs_, [this, &out](double pct) {
      out = pct;
      step_.start();
    });
  }

  void step() {
    // A sample is complete once the board has painted and a step has passed since.
    if (pending_ && painted_) {
      dieToPaint.push_back(ms(lastPaintEnd_ - clickAt_));
      pending_ = painted_ = false;
    }
    if (pending_ || queued_) return;
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (QAbstractButton* b = box->buttons().value(0)) later(b, false);
      return;
    }
    tj::Screen* top = game_.app().forms.top();
    if (!top) return;
    const std::string n = top->name();
    if (n == "frmAuswahl") return setup(*top);
    if (n == "frmSpielfeld") {
      if (boardIdleCpu < 0) return idle(boardIdleCpu);
      const std::string die = widget(*top, "cmdWuerfel") ? "cmdWuerfel" : "cmdWuerfeln2";
      click(*top, die, true);
      return;
    }
    if (n == "frmLevel") {
      click(*top, rnd_() % 2 ? "cmdLeicht" : "cmdSchwer");
      return;
    }
    if (n == "frmFragenLeicht" || n == "frmFragenSchwer") {
      if (questionIdleCpu < 0) return idle(questionIdleCpu);
      std::vector<std::string> answers;
      for (int i = 0; i < 4; ++i)
        if (widget(*top, "cmdAntwort(" + std::to_string(i) + ")"))
          answers.push_back("cmdAntwort(" + std::to_string(i) + ")");
      if (!answers.empty())
        click(*top, answers[rnd_() % answers.size()]);
      else
        click(*top, "cmdWeiter");
      return;
    }
    if (n == "frmGewonnen") {
      if (widget(*top, "cmdNeu")) click(*top, ++won < games_ ? "cmdNeu" : "cmdEnde");
      return;
    }
    click(*top, "cmdWeiter");  // action card, skip notice
  }

  void setup(tj::Screen& s) {
    for (const auto& e : s.elements())
      if (e->kind() == tj::ElementKind::Timer && e->TimerEnabled()) return;  // a car drives out
    if (QWidget* name = widget(s, "txtName") ? widget(s, "txtName") : widget(s, "txtName2")) {
      auto* edit = static_cast<QLineEdit*>(name);
      const char* next = widget(s, "cmdName1Weiter")   ? "cmdName1Weiter"
                         : widget(s, "cmdName2Weiter") ? "cmdName2Weiter"
                                                       : nullptr;
      if (next) {
        if (edit->text().isEmpty()) typeInto(edit, next[7] == '1' ? QStringLiteral("Anna") : QStringLiteral("Bert"));
        click(s, next);
        return;
      }
    }
    for (const auto& e : s.elements())
      if (e->kind() == tj::ElementKind::Picture && e->Click && click(s, e->name())) return;
    click(s, "cmdFertig");
  }

  tj::RealGame& game_;
  int games_, idleMs_;
  QTimer step_;
  std::mt19937 rnd_{7};
  bool queued_ = false, pending_ = false, painted_ = false, inFilter_ = false;
  Clock::time_point clickAt_, lastPaintEnd_;
};

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1));
  return v[i];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int idleMs = argc > 2 ? std::max(100, std::atoi(argv[2])) : 10000;
  const auto t0 = Clock::now();
  tj::RealGame game;
  game.app().setSoundOn(!(argc > 3 && std::strcmp(argv[3], "silent") == 0));
  if (argc > 3 && std::strcmp(argv[3], "vorlesen") == 0) game.app().setSpeechOn(true);
  if (!game.start()) return 1;
  Driver driver(game, games, idleMs);
  QApplication::exec();
  const auto& d = driver.dieToPaint;
  std::printf("GAMES %d clicks %d in %.1f s, platform %s\n", driver.won, driver.clicks, ms(Clock::now() - t0) / 1000,
              qPrintable(QGuiApplication::platformName()));
  std::printf("PEAKRSS %ld\n", peakRssKb());
  std::printf("IDLE_BOARD %.3f\n", driver.boardIdleCpu);
  std::printf("IDLE_QUESTION %.3f\n", driver.questionIdleCpu);
  std::printf("DIE_TO_PAINT %zu %.3f %.3f %.3f\n", d.size(), percentile(d, 0.5), percentile(d, 0.99),
              d.empty() ? 0.0 : *std::max_element(d.begin(), d.end()));
  return 0;
}
