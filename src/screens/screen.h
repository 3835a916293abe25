// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "screens/element.h"

namespace tj {

class App;
struct ModalSession;

// How a screen's window looks. Maximised screens scale their design area uniformly to
// the window; dialogs open at their client size, centred unless said otherwise.
struct WindowSpec {
  enum class Kind : uint8_t { Maximised, Dialog };
  Kind kind = Kind::Dialog;
  std::string title;
  float clientWidth = 0;   // twips
  float clientHeight = 0;  // twips
  Color background = Color::buttonFace();
  bool centred = true;
  std::string icon;  // stored picture for the window icon, or empty
  std::string accessibleName;  // what a screen reader calls the window, in German

  // A full-screen window whose design area scales to the screen.
  static WindowSpec maximised(float width, float height, Color background, std::string accessibleName) {
    return {Kind::Maximised, {}, width, height, background, true, {}, std::move(accessibleName)};
  }
  // A dialog of the given client size, centred on the screen.
  static WindowSpec dialog(std::string title, float width, float height, Color background,
                           std::string accessibleName) {
    return {Kind::Dialog, std::move(title), width, height, background, true, {}, std::move(accessibleName)};
  }
};

struct MenuItem {
  std::string name;     // handler name, e.g. "Beenden"
  std::string caption;  // shown text
  std::function<void()> Click;
  // Set for an item with a check mark: whether the mark shows now.
  std::function<bool()> Checked = nullptr;
  // The letter of the caption that chooses the item from its open menu; empty: the first.
  std::string accessKey = {};
};

struct Menu {
  std::string caption;
  std::vector<MenuItem> items;
};

// A screen: a window with named elements and handlers. One instance per screen exists
// while it is loaded; the registry creates it on first access and destroys it on unload,
// which discards every screen-level variable of the derived class.
class Screen {
 public:
  Screen(App& app, std::string name, WindowSpec window);
  virtual ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  const std::string& name() const { return name_; }
  const WindowSpec& window() const { return window_; }
  App& app() const { return app_; }

  // Runs once, right after the designed layout exists.
  virtual void Form_Load() {}
  // Runs each time the screen becomes the active window.
  virtual void Form_Activate() {}

  // Makes the screen visible without waiting.
  void Show();
  // Makes the screen visible and waits in a nested event loop until it is hidden or
  // unloaded; the caller continues then. Throws ProgramEnding when the program is
  // quitting by then, so that no caller touches a screen again.
  void ShowModal();
  // Invisible but loaded; ends a modal show of this screen.
  void Hide();
  // Destroys the screen (after the running handlers return); its next access loads it anew.
  void Unload();
  bool Visible() const { return visible_; }
  void setVisible(bool v) { v ? Show() : Hide(); }
  bool isModal() const { return modal_ != nullptr; }

  const std::vector<std::unique_ptr<Element>>& elements() const { return elements_; }
  Element* find(const std::string& elementName) const;
  const std::vector<Menu>& menus() const { return menus_; }
  // A key pressed anywhere on the screen that no control took, as a 16-bit character code;
  // returns whether the screen used it.
  std::function<bool(int keyAscii)> KeyPress;

  // Keyboard focus within the screen.
  Element* focus() const { return focus_; }
  void SetFocus(Element& e);
  // The elements that take the focus, in the order Tab visits them: by tabIndex, equal
  // indexes in the order of creation.
  std::vector<Element*> tabOrder() const;
  // The element a player reaches from `from` with `step` (+1 Tab or arrow forward, -1 back),
  // skipping hidden and disabled ones and wrapping around; from nullptr, the first (or
  // last) reachable one. nullptr when nothing can take the focus.
  Element* nextFocus(const Element* from, int step) const;
  // Gives the focus to the first reachable element, if any.
  void focusFirst();
  uint64_t focusRevision() const { return focusRev_; }

 protected:
  Element& add(const std::string& elementName, ElementKind kind, float left, float top, float width, float height,
               std::string caption = {});
  Element& addTimer(const std::string& elementName, int intervalMs, bool enabled);
  void addMenu(Menu menu) { menus_.push_back(std::move(menu)); }

 private:
  friend class Forms;
  App& app_;
  std::string name_;
  WindowSpec window_;
  std::vector<std::unique_ptr<Element>> elements_;
  std::vector<Menu> menus_;
  Element* focus_ = nullptr;
  uint64_t focusRev_ = 0;
  bool visible_ = false;
  std::shared_ptr<ModalSession> modal_;
};

// Thrown out of a handler once the program is quitting; the dispatcher swallows it.
struct ProgramEnding {};

}  // namespace tj
