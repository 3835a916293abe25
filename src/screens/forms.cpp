// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/forms.h"

#include <algorithm>
#include <stdexcept>

#include "screens/app.h"

namespace tj {

Forms::~Forms() {
  // Destroy screens while the app they refer to still exists.
  zorder_.clear();
  active_ = nullptr;
  loaded_.clear();
  graveyard_.clear();
}

void Forms::define(const std::string& name, Factory factory) { factories_[name] = std::move(factory); }

Screen& Forms::get(const std::string& name) {
  for (const auto& s : loaded_)
    if (s->name() == name) return *s;
  if (quitting_) throw ProgramEnding{};
  auto f = factories_.find(name);
  if (f == factories_.end()) throw std::logic_error("unbekannter Bildschirm " + name);
  loaded_.push_back(f->second(app_));
  Screen& s = *loaded_.back();
  app_.loop().screenLoaded(s);
  s.Form_Load();
  return s;
}

bool Forms::isLoaded(const std::string& name) const {
  return std::any_of(loaded_.begin(), loaded_.end(), [&](const auto& s) { return s->name() == name; });
}

std::vector<Screen*> Forms::loaded() const {
  std::vector<Screen*> out;
  for (const auto& s : loaded_) out.push_back(s.get());
  return out;
}

bool Forms::acceptsInput(const Screen& s) const {
  if (!s.Visible()) return false;
  // Nothing above a modal screen's owner gets input but the topmost modal screen.
  for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
    if (*it == &s) return true;
    if ((*it)->isModal()) return false;
  }
  return false;
}

void Forms::shown(Screen& s) {
  std::erase(zorder_, &s);
  zorder_.push_back(&s);
}

void Forms::hidden(Screen& s) {
  std::erase(zorder_, &s);
  if (active_ == &s) active_ = nullptr;
}

void Forms::unload(Screen& s) {
  auto it = std::find_if(loaded_.begin(), loaded_.end(), [&](const auto& p) { return p.get() == &s; });
  if (it == loaded_.end()) return;
  std::erase(zorder_, &s);
  if (active_ == &s) active_ = nullptr;
  app_.loop().screenUnloaded(s);
  // Its handler may still be on the stack: destroy it once the handlers have returned.
  graveyard_.push_back(std::move(*it));
  loaded_.erase(it);
}

void Forms::UnloadForms() {
  quitting_ = true;
  const auto snapshot = loaded();
  for (Screen* s : snapshot) s->Unload();
}

void Forms::processActivation() {
  // An activation handler may show or hide screens; settle within a few rounds.
  for (int round = 0; round < 8 && !quitting_; ++round) {
    Screen* t = top();
    if (t == active_) return;
    active_ = t;
    if (t) t->Form_Activate();
  }
}

void Forms::collectGarbage() { graveyard_.clear(); }

}  // namespace tj
