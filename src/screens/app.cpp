// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/app.h"

#include <exception>
#include <iostream>

#include "game/int16.h"

namespace tj {

App::App(Services services) : race(services.random), s_(std::move(services)) {
  if (!s_.warn) s_.warn = [](const std::string& line) { std::cerr << "tankjagd: " << line << '\n'; };
}

App::~App() = default;

void App::start() {
  dispatch([this] { forms.get("frmStart").Show(); });
}

void App::dispatch(const std::function<void()>& handler) {
  ++depth_;
  runGuarded(handler);
  --depth_;
  if (!forms.quitting()) runGuarded([this] { forms.processActivation(); });
  if (depth_ == 0) forms.collectGarbage();
  s_.loop.afterEvent();
}

void App::runGuarded(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const ProgramEnding&) {
    // The program is quitting; the handler ends here.
  } catch (const std::exception& e) {
    // No error may end a game in progress: tell the players and go on.
    try {
      MsgBox(std::string("Da ist etwas schiefgegangen: ") + e.what() + "\nDas Spiel geht weiter.", "Tank Jagd");
    } catch (const ProgramEnding&) {
    }
  }
}

bool App::canUse(const Element& e) const {
  if (!e.Visible() || !e.Enabled() || !forms.acceptsInput(e.screen())) return false;
  for (const Element* c = e.container; c; c = c->container)
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool App::click(Element& e) {
  if (!canUse(e)) return false;
  if (e.kind() == ElementKind::CheckBox) {
    dispatch([&e] {
      e.setValue(!e.Value());
      if (e.Click) e.Click();
    });
    return true;
  }
  if (!e.Click) return false;
  dispatch(e.Click);
  return true;
}

bool App::pressKey(Element& textBox, int keyAscii) {
  if (!canUse(textBox)) return false;
  if (textBox.KeyPress) dispatch([&] { textBox.KeyPress(keyAscii); });
  return true;
}

bool App::typeText(Element& textBox, const std::string& text) {
  if (!canUse(textBox) || textBox.kind() != ElementKind::TextBox) return false;
  dispatch([&] { textBox.setCaption(text); });
  return true;
}

bool App::chooseMenu(Screen& s, const std::string& itemName) {
  if (!forms.acceptsInput(s)) return false;
  for (const Menu& m : s.menus())
    for (const MenuItem& item : m.items)
      if (item.name == itemName) {
        auto handler = item.Click;  // the screen may be unloaded while it runs
        dispatch(handler);
        return true;
      }
  return false;
}

bool App::pressScreenKey(Screen& s, int keyAscii) {
  if (!forms.acceptsInput(s) || !s.KeyPress) return false;
  bool used = false;
  auto handler = s.KeyPress;  // the screen may be unloaded while it runs
  dispatch([&] { used = handler(keyAscii); });
  return used;
}

bool App::pressCancel(Screen& s) {
  for (const auto& e : s.elements())
    if (e->kind() == ElementKind::Button && e->cancel) return click(*e);
  return false;
}

bool App::tick(Element& timer) {
  if (!timer.TimerEnabled() || !timer.Timer) return false;
  dispatch(timer.Timer);
  return true;
}

void App::say(std::string text) {
  spoken_ = std::move(text);
  if (!speechOn_ || !s_.speaker) return;
  if (spoken_.empty())
    s_.speaker->stop();
  else
    s_.speaker->say(spoken_);
}

void App::setSpeechOn(bool on) {
  if (on && !s_.speaker) return speechUnavailable("kein Vorleser eingerichtet");
  speechOn_ = on;
  if (!s_.speaker) return;
  if (!on)
    s_.speaker->stop();
  else if (!spoken_.empty())
    s_.speaker->say(spoken_);
}

void App::speechUnavailable(const std::string& why) {
  s_.warn("Vorlesen nicht möglich: " + why);
  const bool wasOn = speechOn_;
  speechOn_ = false;
  if (s_.speaker) s_.speaker->stop();
  // One message for each time a player switches it on, none for the texts that follow.
  if (wasOn || !s_.speaker)
    MsgBox(
        "Vorlesen geht auf diesem Computer nicht: Es fehlt der Sprachdienst oder eine deutsche Stimme. "
        "Das Spiel geht ohne Vorlesen weiter.",
        "Tank Jagd – Vorlesen");
}

void App::MsgBox(const std::string& text, const std::string& title) { s_.loop.messageBox(text, title); }

std::string App::AppPath(const std::string& backslashPath) const {
  std::filesystem::path p = s_.appFolder;
  std::string part;
  for (char c : backslashPath) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) p /= part;
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) p /= part;
  return p.string();
}

Picture App::LoadPicture(const std::string& path) {
  if (auto size = s_.pictures.probe(path)) return Picture::file(path, size->width, size->height);
  if (unreadable_.insert(path).second) s_.warn("Bild nicht lesbar: " + path);  // once per file
  return Picture::none();
}

}  // namespace tj
