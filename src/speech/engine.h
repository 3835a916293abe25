// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace tj::speech {

// The voice inside the speech module, which the game loads at the first text it reads
// aloud, so that nothing of the speech libraries is loaded while "Vorlesen" is off.
// Created on a thread that runs a Qt event loop; every call comes from that thread.
class Engine {
 public:
  virtual ~Engine() = default;
  // Starts reading `text`, cutting off what is still being read; returns at once.
  virtual void say(const std::string& text) = 0;
  virtual void stop() = 0;
};

// The module's one entry point: a German voice, or nullptr with `why` set (for the
// maintainer) when there is no speech service or no German voice.
using MakeEngine = Engine* (*)(std::string* why);
inline constexpr const char* kMakeEngine = "tj_speech_make_engine";
// The module's file, beside the program or in the installed library folder.
inline constexpr std::string_view kModuleFile = "tankjagd-vorlesen.so";

}  // namespace tj::speech
