// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace tj {

// Reads the game's German texts aloud. Neither call waits for the voice: the game goes on
// while it speaks. How it speaks is the front end's business.
class Speaker {
 public:
  virtual ~Speaker() = default;
  // Starts reading `text`, cutting off whatever is still being read.
  virtual void say(const std::string& text) = 0;
  // Falls silent at once.
  virtual void stop() = 0;
};

}  // namespace tj
