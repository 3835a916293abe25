// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>
#include <memory>

#include "screens/all_screens.h"
#include "support/script_loop.h"

namespace tj::testing {

// The sounds the game asked for, in order.
struct RecordingSounds final : SoundPlayer {
  std::vector<Sound> played;
  void play(Sound s) override { played.push_back(s); }
};

// What the game gave the voice, in order; "" stands for a stop.
struct RecordingSpeaker final : Speaker {
  std::vector<std::string> heard;
  void say(const std::string& text) override { heard.push_back(text); }
  void stop() override { heard.emplace_back(); }
};

// A whole game wired to the script: scripted loop, scripted random values and fake
// pictures; every screen of the game is defined.
struct Harness {
  ScriptLoop loop;
  ScriptRandom random;
  FakePictures pictures;
  std::vector<std::string> warnings;
  RecordingSounds sounds;
  RecordingSpeaker speaker;
  // The question and action card tables by name; a table not listed is missing.
  std::map<std::string, std::function<data::Recordset()>, std::less<>> tables;
  App app;

  explicit Harness(std::filesystem::path appFolder = "/spiel") : app(services(std::move(appFolder))) {
    loop.attach(app);
    defineScreens(app.forms);
  }
  GameState& g() { return app.race.state(); }
  BoardVars& v() { return app.race.vars(); }
  Services services(std::filesystem::path appFolder) {
    Services s{loop, random, pictures, std::move(appFolder), "/usr/share/tankjagd", [this](const std::string& w) {
                 warnings.push_back(w);
               }};
    s.sounds = &sounds;
    s.speaker = &speaker;
    s.openTable = [this](std::string_view table) {
      auto t = tables.find(table);
      if (t == tables.end())
        throw data::DataError(data::Fault::TableMissing, "Die Tabelle „" + std::string(table) + "“ fehlt.");
      return t->second();
    };
    return s;
  }
  template <class T>
  T& form() {
    return app.form<T>();
  }
};

}  // namespace tj::testing
