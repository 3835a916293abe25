// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "screens/screen.h"

namespace tj {

class App;

// The registry of screens: each exists at most once, is reached by its name and is
// loaded on first access. It also keeps the order of the visible windows, decides which
// screen is active and runs activation handlers.
class Forms {
 public:
  using Factory = std::function<std::unique_ptr<Screen>(App&)>;

  explicit Forms(App& app) : app_(app) {}
  ~Forms();

  void define(const std::string& name, Factory factory);
  App& app() const { return app_; }

  // The loaded screen, loading it (and running its Form_Load) first if needed.
  // Throws ProgramEnding once quitting has begun.
  Screen& get(const std::string& name);
  template <class T>
  T& get() {
    return static_cast<T&>(get(T::kName));
  }
  // The screen of type T as a plain screen, for opening it: a test may define a stand-in
  // under T's name.
  template <class T>
  Screen& screen() {
    return get(T::kName);
  }

  bool isLoaded(const std::string& name) const;
  bool anyLoaded() const { return !loaded_.empty(); }
  // Loaded screens in load order.
  std::vector<Screen*> loaded() const;
  // Visible screens, bottom to top.
  const std::vector<Screen*>& zOrder() const { return zorder_; }
  Screen* top() const { return zorder_.empty() ? nullptr : zorder_.back(); }
  Screen* active() const { return active_; }
  // Input reaches a screen only when it is visible and no modal screen lies above it.
  bool acceptsInput(const Screen& s) const;

  // Unloads every loaded screen, visible or hidden, over a snapshot of the list; from
  // then on nothing loads again and the program ends once the handlers have returned.
  void UnloadForms();
  bool quitting() const { return quitting_; }

  // Runs the activation handler of the top screen if it has just become active.
  void processActivation();
  // Destroys screens unloaded while their handlers were still running.
  void collectGarbage();

 private:
  friend class Screen;
  void shown(Screen& s);
  void hidden(Screen& s);
  void unload(Screen& s);

  App& app_;
  std::map<std::string, Factory> factories_;
  std::vector<std::unique_ptr<Screen>> loaded_;
  std::vector<std::unique_ptr<Screen>> graveyard_;
  std::vector<Screen*> zorder_;
  Screen* active_ = nullptr;
  bool quitting_ = false;
};

}  // namespace tj
