// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_loop.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/dialogs.h"

namespace tj::ui {

QtEventLoop::~QtEventLoop() = default;

ScreenWindow* QtEventLoop::windowOf(const Screen& s) const {
  auto it = windows_.find(&s);
  return it == windows_.end() ? nullptr : it->second.get();
}

void QtEventLoop::syncAll() {
  for (auto& [screen, w] : windows_) w->sync();
  // The top screen's window lies above the others.
  Screen* top = app_->forms.top();
  if (top == raised_) return;
  raised_ = top;
  if (top)
    if (ScreenWindow* w = windowOf(*top); w && w->window() && w->window()->isVisible()) {
      w->window()->raise();
      w->window()->activateWindow();
    }
}

void QtEventLoop::runModal(ModalSession& session) {
  syncAll();
  if (session.finished) return;
  QEventLoop loop;
  loops_[&session] = &loop;
  loop.exec();
  loops_.erase(&session);
}

void QtEventLoop::endModal(ModalSession& session) {
  if (auto it = loops_.find(&session); it != loops_.end()) it->second->exit();
}

QWidget* QtEventLoop::topWindow() const {
  if (Screen* top = app_->forms.top())
    if (ScreenWindow* w = windowOf(*top)) return w->window();
  return nullptr;
}

void QtEventLoop::messageBox(const std::string& text, const std::string& title) {
  syncAll();
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                  topWindow());
  box.setTextFormat(Qt::PlainText);
  box.setObjectName(QStringLiteral("Meldung"));
  box.exec();
  // The window below gets the keyboard back, with the focus where the screen has it.
  raised_ = nullptr;
}

void QtEventLoop::print(const Report& report) {
  syncAll();
  printReport(report, topWindow());
}

std::optional<std::filesystem::path> QtEventLoop::askSaveFile(const std::string& title, const std::string& name,
                                                              const std::string& kind) {
  syncAll();
  return ui::askSaveFile(topWindow(), title, name, kind);
}

void QtEventLoop::screenLoaded(Screen& s) {
  windows_[&s] = std::make_unique<ScreenWindow>(*app_, s, pictures_, nullptr);
}

void QtEventLoop::screenUnloaded(Screen& s) {
  if (raised_ == &s) raised_ = nullptr;
  auto it = windows_.find(&s);
  if (it == windows_.end()) return;
  it->second->detach();
  ScreenWindow* w = it->second.release();
  windows_.erase(it);
  w->deleteLater();  // its own signal may be on the stack
}

void QtEventLoop::afterEvent() {
  if (app_->ended()) {
    QCoreApplication::quit();
    return;
  }
  syncAll();
}

}  // namespace tj::ui
