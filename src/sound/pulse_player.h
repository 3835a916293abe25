// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "screens/sound.h"
#include "sound/wav.h"

namespace tj::sound {

// Plays the game's sounds on the desktop's sound server (PulseAudio, or PipeWire's pulse
// server) through its simple API. Nothing is loaded before the first sound: then one
// worker thread starts, which loads the library, reads the sound files and plays one sound
// at a time; it sleeps on a condition variable in between. A sound asked for while another
// plays waits and is replaced by a newer one. Without the library or a server the game
// stays silent, and the maintainer is told once.
class PulsePlayer final : public SoundPlayer {
 public:
  using Warn = std::function<void(const std::string&)>;
  // The sound files are looked for in each of `folders` in turn. `warn` is called from the
  // worker thread.
  PulsePlayer(std::vector<std::filesystem::path> folders, Warn warn);
  ~PulsePlayer() override;
  PulsePlayer(const PulsePlayer&) = delete;
  PulsePlayer& operator=(const PulsePlayer&) = delete;

  // Returns at once; the UI thread never waits for the sound server.
  void play(Sound s) override;
  // Waits until every sound asked for has been played or given up (tools and tests).
  void finish();

 private:
  struct Library;
  void run();
  void playNow(Sound s);
  const Wave* wave(Sound s);

  std::vector<std::filesystem::path> folders_;
  Warn warn_;
  std::mutex m_;
  std::condition_variable wake_, idle_;
  std::optional<Sound> pending_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread worker_;
  // Worker thread only:
  std::unique_ptr<Library> lib_;
  std::atomic<bool> mute_{false};  // no library: nothing will ever play
  bool toldNoServer_ = false;
  std::map<Sound, std::optional<Wave>> waves_;
};

}  // namespace tj::sound
