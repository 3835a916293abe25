// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QEventLoop>
#include <map>
#include <memory>

#include "screens/app.h"
#include "ui/pictures.h"
#include "ui/screen_window.h"

namespace tj::ui {

// The real event loop: one window per loaded screen, a nested QEventLoop per modal show.
// Nothing polls: the program sleeps in Qt's loop until a click, key or timer tick.
class QtEventLoop final : public EventLoop {
 public:
  explicit QtEventLoop(QtPictures& pictures) : pictures_(pictures) {}
  ~QtEventLoop() override;
  void attach(App& app) { app_ = &app; }

  void runModal(ModalSession& session) override;
  void endModal(ModalSession& session) override;
  void messageBox(const std::string& text, const std::string& title) override;
  void print(const Report& report) override;
  std::optional<std::filesystem::path> askSaveFile(const std::string& title, const std::string& name,
                                                   const std::string& kind) override;
  void screenLoaded(Screen& s) override;
  void screenUnloaded(Screen& s) override;
  void afterEvent() override;

  // The window of a loaded screen, or null.
  ScreenWindow* windowOf(const Screen& s) const;
  void syncAll();

 private:
  // The window of the top screen, which the system's dialogs open over.
  QWidget* topWindow() const;
  App* app_ = nullptr;
  const Screen* raised_ = nullptr;
  QtPictures& pictures_;
  std::map<const Screen*, std::unique_ptr<ScreenWindow>> windows_;
  std::map<const ModalSession*, QEventLoop*> loops_;
};

}  // namespace tj::ui
