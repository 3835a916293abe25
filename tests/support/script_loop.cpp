// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/script_loop.h"

#include <algorithm>
#include <limits>

namespace tj::testing {

namespace {
std::string topName(App& app) {
  Screen* t = app.forms.top();
  return t ? t->name() : std::string("(kein Bildschirm sichtbar)");
}
}  // namespace

Element* ScriptLoop::element(const std::string& screen, const std::string& name) {
  if (!app_->forms.isLoaded(screen)) return nullptr;
  return app_->forms.get(screen).find(name);
}

bool ScriptLoop::tryClick(const std::string& screen, const std::string& name) {
  Element* e = element(screen, name);
  return e && app_->click(*e);
}

ScriptLoop& ScriptLoop::click(const std::string& screen, const std::string& name) {
  return then([screen, name](ScriptLoop& s) {
    if (!s.tryClick(screen, name))
      s.stall("Klick auf " + screen + "." + name + " nicht möglich (oben: " + topName(s.app()) + ")");
  });
}

ScriptLoop& ScriptLoop::key(const std::string& screen, const std::string& name, int keyAscii) {
  return then([=](ScriptLoop& s) {
    Element* e = s.element(screen, name);
    if (!e || !s.app().pressKey(*e, keyAscii)) s.stall("Taste in " + screen + "." + name + " nicht möglich");
  });
}

ScriptLoop& ScriptLoop::type(const std::string& screen, const std::string& name, const std::string& text) {
  return then([=](ScriptLoop& s) {
    Element* e = s.element(screen, name);
    if (!e || !s.app().typeText(*e, text)) s.stall("Tippen in " + screen + "." + name + " nicht möglich");
  });
}

ScriptLoop& ScriptLoop::menu(const std::string& screen, const std::string& item) {
  return then([=](ScriptLoop& s) {
    if (!s.app().forms.isLoaded(screen) || !s.app().chooseMenu(s.app().forms.get(screen), item))
      s.stall("Menü " + screen + "." + item + " nicht erreichbar");
  });
}

ScriptLoop& ScriptLoop::ok(std::optional<std::string> expected) {
  queue_.push_back(Action{"OK", nullptr, true, std::move(expected)});
  return *this;
}

ScriptLoop& ScriptLoop::wait(int64_t ms) {
  return then([ms](ScriptLoop& s) { s.advance(ms); });
}

ScriptLoop& ScriptLoop::waitUntil(std::function<bool()> done, int64_t limitMs, std::string what) {
  return then([=](ScriptLoop& s) {
    const int64_t limit = s.now_ + limitMs;
    while (!done()) {
      if (!s.fireNextTimerUntil(limit)) s.stall("Warten auf \"" + what + "\" vergeblich");
    }
  });
}

ScriptLoop& ScriptLoop::then(Step step) {
  queue_.push_back(Action{"Schritt", std::move(step), false, std::nullopt});
  return *this;
}

void ScriptLoop::stall(const std::string& why) { throw ScriptStall{why}; }

void ScriptLoop::advance(int64_t ms) {
  const int64_t target = now_ + ms;
  while (fireNextTimerUntil(target)) {
  }
  now_ = std::max(now_, target);
}

// Fires the enabled timer that is due first, if it is due by `limit`.
bool ScriptLoop::fireNextTimerUntil(int64_t limit) {
  Element* next = nullptr;
  int64_t due = std::numeric_limits<int64_t>::max();
  for (auto& [timer, st] : timers_) {
    if (!timer->TimerEnabled() || timer->Interval() <= 0) {
      st.armed = false;
      continue;
    }
    if (!st.armed) st = {true, now_};
    const int64_t d = st.since + timer->Interval();
    if (d < due) {
      due = d;
      next = timer;
    }
  }
  if (!next || due > limit) return false;
  now_ = std::max(now_, due);
  timers_[next].since = now_;
  ++events_;
  app_->tick(*next);
  if (afterEach) afterEach();
  return true;
}

bool ScriptLoop::step() {
  if (!queue_.empty()) {
    Action a = std::move(queue_.front());
    queue_.pop_front();
    if (a.isOk) stall("OK in der Warteschlange, aber keine Meldung offen");
    ++events_;
    a.run(*this);
    if (afterEach) afterEach();
    return true;
  }
  return agent && agent(*this);
}

void ScriptLoop::runModal(ModalSession& session) {
  while (!session.finished) {
    if (!step())
      stall("Der modale Bildschirm " + session.screen->name() + " wartet auf eine Eingabe, die das Skript nicht gibt");
  }
}

void ScriptLoop::messageBox(const std::string& text, const std::string& title) {
  messages_.push_back({text, title});
  if (!queue_.empty() && queue_.front().isOk) {
    auto expected = queue_.front().expected;
    queue_.pop_front();
    if (expected && *expected != text) stall("Meldung \"" + text + "\" statt \"" + *expected + "\"");
    return;
  }
  if (!autoOk) stall("Die Meldung \"" + text + "\" wartet auf OK, das Skript gibt keins");
}

void ScriptLoop::screenLoaded(Screen& s) {
  for (const auto& e : s.elements())
    if (e->kind() == ElementKind::Timer) timers_[e.get()] = {};
}

void ScriptLoop::screenUnloaded(Screen& s) {
  for (const auto& e : s.elements()) timers_.erase(e.get());
}

void ScriptLoop::runMain() {
  app_->start();
  while (!app_->ended()) {
    if (!step())
      stall("Das Programm wartet auf eine Eingabe, die das Skript nicht gibt (oben: " + topName(*app_) + ")");
  }
}

void ScriptLoop::drain() {
  while (!queue_.empty()) step();
}

ScriptRandom& ScriptRandom::queue(std::initializer_list<float> vs) {
  values.insert(values.end(), vs.begin(), vs.end());
  return *this;
}

float ScriptRandom::Rnd() {
  ++draws;
  calls += 'd';
  if (!values.empty()) {
    float v = values.front();
    values.pop_front();
    return v;
  }
  state = state * 1664525u + 1013904223u;
  return static_cast<float>(state >> 8) * (1.0f / 16777216.0f);
}

std::optional<PictureSource::Size> FakePictures::probe(const std::string& path) {
  ++probes;
  if (std::find(missing.begin(), missing.end(), path) != missing.end()) return std::nullopt;
  return size;
}

}  // namespace tj::testing
