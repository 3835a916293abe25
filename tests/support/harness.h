// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "screens/all_screens.h"
#include "support/script_loop.h"

namespace tj::testing {

// A whole game wired to the script: scripted loop, scripted random values and fake
// pictures; every screen of the game is defined.
struct Harness {
  ScriptLoop loop;
  ScriptRandom random;
  FakePictures pictures;
  std::vector<std::string> warnings;
  App app;

  explicit Harness(std::filesystem::path appFolder = "/spiel")
      : app(Services{loop, random, pictures, std::move(appFolder), "/usr/share/tankjagd",
                     [this](const std::string& w) { warnings.push_back(w); }}) {
    loop.attach(app);
    defineScreens(app.forms);
  }
  GameState& g() { return app.g; }
  template <class T>
  T& form() {
    return app.form<T>();
  }
};

}  // namespace tj::testing
