// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "screens/report.h"

namespace tj {

class Screen;
class Element;

// One modal showing of a screen; finished once the screen is hidden or unloaded.
struct ModalSession {
  Screen* screen = nullptr;
  bool finished = false;
};

// What the screens need of whoever runs them: the real front end or a test's script.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Dispatches input and timer ticks until `session.finished`; must not poll.
  virtual void runModal(ModalSession& session) = 0;
  // The session has just finished; wake runModal.
  virtual void endModal(ModalSession& session) = 0;
  // A modal message box with text, title and an OK button; returns when it is closed.
  virtual void messageBox(const std::string& text, const std::string& title) = 0;
  // The system's modal print dialog for `report` (it can also save a PDF); returns once the
  // dialog is closed, printed or not. Without one nothing happens.
  virtual void print(const Report&) {}
  // The system's modal dialog that asks where to save a file of kind `kind` (e.g. "CSV"),
  // suggesting `name`; nothing when the player cancels or there is no such dialog.
  virtual std::optional<std::filesystem::path> askSaveFile(const std::string& title, const std::string& name,
                                                           const std::string& kind) {
    (void)title, (void)name, (void)kind;
    return std::nullopt;
  }
  // A screen was created / is about to be destroyed (drop every reference to it).
  virtual void screenLoaded(Screen&) {}
  virtual void screenUnloaded(Screen&) {}
  // The handler stack has returned to the loop: bring the view in step with the model.
  virtual void afterEvent() {}
};

// Loads pictures for the screens. The front end decodes each file once and shares it.
class PictureSource {
 public:
  virtual ~PictureSource() = default;
  struct Size {
    int width = 0;
    int height = 0;
  };
  // Size of the picture in `path`, or nothing when the file is missing or unreadable.
  virtual std::optional<Size> probe(const std::string& path) = 0;
};

}  // namespace tj
