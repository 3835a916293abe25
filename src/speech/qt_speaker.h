// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "screens/speech.h"

namespace tj::speech {

// Reads aloud through the speech module (engine.h). Nothing is loaded before the first
// text: then a worker thread starts, loads the module and connects to the speech service
// (which may take seconds while the service starts); the game never waits for it. Texts
// asked for meanwhile are not queued: only the newest is read.
class QtSpeaker final : public Speaker {
 public:
  // `folders` are searched for the module in turn. `unavailable` runs on the UI thread
  // when the module, the speech service or a German voice is missing; after it the next
  // stop() lets the following text try again.
  QtSpeaker(std::vector<std::filesystem::path> folders, std::function<void(const std::string& why)> unavailable);
  // Ends the worker; one still waiting for the speech service is left behind rather than
  // holding up the end of the program.
  ~QtSpeaker() override;
  QtSpeaker(const QtSpeaker&) = delete;
  QtSpeaker& operator=(const QtSpeaker&) = delete;

  void say(const std::string& text) override;
  void stop() override;

 private:
  struct State;
  void post();
  std::shared_ptr<State> state_;  // shared with the worker thread
};

}  // namespace tj::speech
