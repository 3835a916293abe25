// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screen.h"

#include <algorithm>

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

std::vector<Element*> Screen::tabOrder() const {
  std::vector<Element*> order;
  for (const auto& e : elements_)
    if (e->tabIndex >= 0) order.push_back(e.get());
  std::stable_sort(order.begin(), order.end(),
                   [](const Element* a, const Element* b) { return a->tabIndex < b->tabIndex; });
  return order;
}

Element* Screen::nextFocus(const Element* from, int step) const {
  const std::vector<Element*> order = tabOrder();
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  if (n == 0) return nullptr;
  const std::ptrdiff_t at = std::find(order.begin(), order.end(), from) - order.begin();
  const std::ptrdiff_t d = step < 0 ? -1 : 1;
  std::ptrdiff_t i = at < n ? at : (d > 0 ? -1 : n);
  for (std::ptrdiff_t k = 0; k < n; ++k) {
    i = ((i + d) % n + n) % n;
    const Element* e = order[static_cast<std::size_t>(i)];
    const bool inShownFrame = !e->container || e->container->Visible();
    if (e->Visible() && e->Enabled() && inShownFrame) return order[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

void Screen::focusFirst() {
  if (Element* e = nextFocus(nullptr, 1)) SetFocus(*e);
}

Element& Screen::add(const std::string& elementName, ElementKind kind, float left, float top, float width, float height,
                     std::string caption) {
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
    if (!focus_) focus_ = nextFocus(nullptr, 1);  // the first in the tab order gets the focus
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
