// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "screens/sound.h"

namespace tj::sound {

// Plays the game's sounds on the desktop's sound server (PulseAudio, or PipeWire's pulse
// server) through its simple API. Nothing is loaded before the first sound: then one
// worker thread starts, which loads the library, reads the sound files and plays one sound
// at a time; it sleeps on a condition variable in between. A sound asked for while another
// plays waits and is replaced by a newer one. Without the library or a server the game
// stays silent, and the maintainer is told once; so it does when no worker thread can be
// started. play() never throws: a sound must not stop the turn that asked for it.
class PulsePlayer final : public SoundPlayer {
 public:
  using Warn = std::function<void(const std::string&)>;
  // Runs the worker; may throw as std::thread's constructor does. Empty: a detached std::thread.
  using StartThread = std::function<void(std::function<void()>)>;
  // The sound files are looked for in each of `folders` in turn. `warn` is called from the
  // worker thread and may be called after the player is gone (see the destructor).
  PulsePlayer(std::vector<std::filesystem::path> folders, Warn warn, StartThread start = {});
  // Waits a moment for the sound that plays to end; a worker stuck on a server that does
  // not answer is left behind instead of holding up the end of the program.
  ~PulsePlayer() override;
  PulsePlayer(const PulsePlayer&) = delete;
  PulsePlayer& operator=(const PulsePlayer&) = delete;

  // Returns at once; the UI thread never waits for the sound server.
  void play(Sound s) override;
  // Waits until every sound asked for has been played or given up (tools and tests).
  void finish();

 private:
  struct State;
  std::shared_ptr<State> state_;  // shared with the worker thread
  StartThread start_;
};

}  // namespace tj::sound
