// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "screens/screen.h"

namespace tj {
class App;
}

namespace tj::ui {

class QtPictures;
class FrameBox;

// The window of one loaded screen: one widget per element, placed from twips and kept
// in step with the model. Input goes back to the model through the App.
class ScreenWindow final : public QObject {
 public:
  ScreenWindow(App& app, Screen& screen, QtPictures& pictures, QWidget* owner);
  ~ScreenWindow() override;

  Screen& screen() const { return screen_; }
  QWidget* window() const { return window_; }
  // Applies every change of the model since the last call.
  void sync();
  // The model has dropped the screen: stop everything, close the window later.
  void detach();
  // Lays the elements out again (the window was resized).
  void relayout();

 protected:
  // Arrow keys on a control move the focus along the screen's tab order.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    Element* element;
    QPointer<QWidget> widget;
    std::unique_ptr<QTimer> timer;
    uint64_t seen = 0;
  };
  void build();
  QWidget* makeWidget(Element& e, QWidget* parent);
  void apply(Item& item);
  QRect pixelRect(const Element& e) const;
  double pxPerTwip() const;
  QWidget* canvas() const { return canvas_; }
  void userClosed();

  App& app_;
  Screen& screen_;
  QtPictures& pictures_;
  QPointer<QWidget> window_;
  QWidget* canvas_ = nullptr;
  std::vector<Item> items_;
  std::map<const Element*, QWidget*> byElement_;
  std::map<const Element*, FrameBox*> inner_;                                // the box inside a scrolling frame
  std::vector<std::pair<QPointer<QAction>, std::function<bool()>>> checks_;  // menu items with a check mark
  uint64_t seenRevision_ = 0;
  uint64_t seenFocus_ = 0;
  bool detached_ = false;
  bool shown_ = false;
  friend class CanvasWidget;
  friend class MainWindow;
  friend class DialogWindow;
};

}  // namespace tj::ui
