// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "screens/app.h"

namespace tj::testing {

// Raised when the program waits for input that the script does not give. It is no
// std::exception, so no handler of the game can swallow it.
struct ScriptStall {
  std::string message;
};

// An event loop for tests: a queue of user actions and virtual time that fires enabled
// timers on their intervals. A modal show consumes actions until its screen closes.
class ScriptLoop final : public EventLoop {
 public:
  using Step = std::function<void(ScriptLoop&)>;

  void attach(App& app) { app_ = &app; }
  App& app() { return *app_; }

  // Queue user actions. Each fails the script when a person could not do it.
  ScriptLoop& click(const std::string& screen, const std::string& element);
  ScriptLoop& key(const std::string& screen, const std::string& element, int keyAscii);
  ScriptLoop& type(const std::string& screen, const std::string& element, const std::string& text);
  ScriptLoop& menu(const std::string& screen, const std::string& item);
  // Close the next message box with OK; `expected`, when given, must be its text.
  ScriptLoop& ok(std::optional<std::string> expected = std::nullopt);
  // Let virtual time pass.
  ScriptLoop& wait(int64_t ms);
  // Let time pass until `done` holds (checked after every tick), at most `limitMs`.
  ScriptLoop& waitUntil(std::function<bool()> done, int64_t limitMs, std::string what);
  // Run any code at this point of the script.
  ScriptLoop& then(Step step);

  // Asked for the next action when the queue is empty; returns false when it has none.
  std::function<bool(ScriptLoop&)> agent;
  // Answer message boxes with OK when no queued action does.
  bool autoOk = false;

  // Starts the app and runs until the program has ended. Throws ScriptStall.
  void runMain();
  // Runs queued actions until the queue is empty (the program need not end).
  void drain();

  int64_t now() const { return now_; }
  struct Message {
    std::string text, title;
  };
  const std::vector<Message>& messages() const { return messages_; }
  uint64_t eventsRun() const { return events_; }
  // Called after every action and tick; tests check invariants here.
  std::function<void()> afterEach;

  // Immediate actions, for agents.
  bool tryClick(const std::string& screen, const std::string& element);
  void advance(int64_t ms);
  Element* element(const std::string& screen, const std::string& element);

  // EventLoop
  void runModal(ModalSession& session) override;
  void endModal(ModalSession&) override {}
  void messageBox(const std::string& text, const std::string& title) override;
  // The print dialog keeps the report; the save dialog gives `saveAs` (nothing: cancelled).
  void print(const Report& report) override { printed.push_back(report); }
  std::optional<std::filesystem::path> askSaveFile(const std::string&, const std::string&,
                                                   const std::string&) override {
    return saveAs;
  }
  std::vector<Report> printed;
  std::optional<std::filesystem::path> saveAs;
  void screenLoaded(Screen& s) override;
  void screenUnloaded(Screen& s) override;

 private:
  struct Action {
    std::string what;
    Step run;
    bool isOk = false;
    std::optional<std::string> expected;
  };
  bool step();
  [[noreturn]] void stall(const std::string& why);
  bool fireNextTimerUntil(int64_t limit);

  App* app_ = nullptr;
  std::deque<Action> queue_;
  std::vector<Message> messages_;
  struct TimerState {
    bool armed = false;
    int64_t since = 0;
  };
  std::map<Element*, TimerState> timers_;
  int64_t now_ = 0;
  uint64_t events_ = 0;
};

// A random generator that plays given values first, then a fixed pseudo-random sequence.
class ScriptRandom final : public Random {
 public:
  ScriptRandom& queue(std::initializer_list<float> values);
  float Rnd() override;
  void Randomize() override {
    ++reseeds;
    calls += 'R';
  }
  int draws = 0;
  std::string calls;  // 'R' per reseed, 'd' per draw, in order
  int reseeds = 0;
  std::deque<float> values;
  uint32_t state = 12345;
};

// Pictures for tests: every path reads as a picture of the given size unless listed missing.
class FakePictures final : public PictureSource {
 public:
  std::optional<Size> probe(const std::string& path) override;
  std::vector<std::string> missing;
  Size size{71, 33};
  int probes = 0;
};

}  // namespace tj::testing
