// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screen.h"

#include "screens/app.h"

namespace tj {

Screen::Screen(App& app, std::string name, WindowSpec window)
    : app_(app), name_(std::move(name)), window_(std::move(window)) {}

Screen::~Screen() = default;

Element* Screen::find(const std::string& elementName) const {
  for (const auto& e : elements_)
    if (e->name() == elementName) return e.get();
  return nullptr;
}

void Screen::SetFocus(Element& e) {
  focus_ = &e;
  ++focusRev_;
}

Element& Screen::add(const std::string& elementName, ElementKind kind, float left, float top, float width,
                     float height, std::string caption) {
  auto e = std::make_unique<Element>(*this, elementName, kind);
  e->move(left, top, width, height);
  e->setCaption(std::move(caption));
  elements_.push_back(std::move(e));
  return *elements_.back();
}

Element& Screen::addTimer(const std::string& elementName, int intervalMs, bool enabled) {
  Element& t = add(elementName, ElementKind::Timer, 0, 0, 0, 0);
  t.setVisible(false);
  t.setInterval(intervalMs);
  t.setTimerEnabled(enabled);
  return t;
}

void Screen::Show() {
  if (!visible_) {
    visible_ = true;
    if (!focus_)
      for (const auto& e : elements_)  // the first in the tab order gets the focus
        if (e->tabIndex >= 0 && e->Visible() && e->Enabled() && (!focus_ || e->tabIndex < focus_->tabIndex))
          focus_ = e.get();
    ++focusRev_;
  }
  app_.forms.shown(*this);
}

void Screen::ShowModal() {
  auto session = std::make_shared<ModalSession>();
  session->screen = this;
  modal_ = session;
  Show();
  app_.forms.processActivation();
  app_.loop().runModal(*session);
  if (app_.forms.quitting()) throw ProgramEnding{};
  app_.forms.processActivation();
}

void Screen::Hide() {
  visible_ = false;
  app_.forms.hidden(*this);
  if (auto session = std::move(modal_)) {
    session->finished = true;
    app_.loop().endModal(*session);
  }
}

void Screen::Unload() {
  if (visible_ || modal_) Hide();
  app_.forms.unload(*this);
}

}  // namespace tj
