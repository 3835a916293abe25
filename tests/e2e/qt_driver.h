// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/real_game.h"

class QMessageBox;

namespace tj::testing {

// The game's generator for tests: always the same value; reseeding from the clock does nothing.
class FixedRandom final : public Random {
 public:
  explicit FixedRandom(float r) : r_(r) {}
  float Rnd() override { return r_; }
  void Randomize() override {}

 private:
  float r_;
};

// Plays the real game in the Qt front end the way a person does: it finds widgets by
// their names on the window that is on top, clicks, types and answers message boxes.
// The game's own modal loops run inside these clicks, so the script is a list of steps
// that a timer works off from whichever event loop is running at the time.
class QtDriver {
 public:
  explicit QtDriver(RealGame& game) : game_(game) {}

  // A step that acts once, as soon as `ready` holds (at most 15 s later).
  QtDriver& when(std::string what, std::function<bool()> ready, std::function<void()> act);
  // A step that calls `act` on every tick until `done` holds (at most 60 s); `act` answers
  // the message boxes itself.
  QtDriver& loop(std::string what, std::function<bool()> done, std::function<void()> act);
  // Checks `ok` once this step is reached; a failed check is recorded with `what`.
  QtDriver& check(std::string what, std::function<bool()> ok);
  // Waits until the element is visible and usable on the top window, then clicks it.
  QtDriver& click(const std::string& screen, const std::string& element);
  // The whole player setup: both names confirmed, then player 1's and player 2's car
  // (picture element names such as "imgAuto3SP1").
  QtDriver& setUpPlayers(const QString& name1, const std::string& car1, const QString& name2, const std::string& car2);
  // Chooses a menu item of a full-screen window.
  QtDriver& menu(const std::string& screen, const std::string& item);
  // Waits until the label (or button) shows this text.
  QtDriver& waitText(const std::string& screen, const std::string& element, const std::string& text);

  // Starts the game and runs Qt's loop until the program has ended; the exit code of
  // QApplication::exec(). Gives up (ending the program) after `limitMs`.
  int run(int limitMs = 300000);

  // ---- what the player sees ---------------------------------------------------------
  static QWidget* window(const std::string& screen);
  // A visible element widget of a screen's visible window, or null.
  static QWidget* widget(const std::string& screen, const std::string& element);
  // The whole text of a label (also where it shows it shortened), a button or a text box;
  // empty when not visible.
  static std::string text(const std::string& screen, const std::string& element);
  static bool shows(const std::string& screen, const std::string& element) { return widget(screen, element); }
  // Visible, enabled and on the window that takes input now.
  static bool usable(QWidget* w);
  // The open message box, or null.
  static QMessageBox* messageBox();
  // The screen whose window takes input now (a message box aside), or empty.
  static std::string topScreen();

  // Immediate actions for loop steps.
  bool clickNow(const std::string& screen, const std::string& element);
  void okNow();

  void fail(const std::string& what);
  const std::vector<std::string>& failures() const { return failures_; }
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
    std::function<bool()> done;  // set for a loop step, which answers message boxes itself
  };
  void tick();
  void abort(const std::string& why);

  RealGame& game_;
  QObject context_;  // the driver's timers die with it
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int64_t stepSince_ = 0;
  int64_t started_ = 0;
  int limitMs_ = 0;
  bool aborted_ = false;
  std::vector<std::string> failures_;
  std::vector<std::string> messages_;
};

}  // namespace tj::testing
