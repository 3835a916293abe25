// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <memory>

#include "screens/app.h"
#include "sound/pulse_player.h"
#include "speech/qt_speaker.h"
#include "ui/qt_loop.h"

namespace tj {

// Names the application and sets the look the game draws with. Call after creating the
// QApplication.
void setUpQtApplication();

// The whole game wired to the real front end: clock, random generator, pictures, sounds, the
// voice that reads aloud,
// database and the stored documents. Needs a QApplication.
class RealGame {
 public:
  // The game beside the running executable, with a clock-seeded generator.
  RealGame();
  // The game as if the executable lay in `exeFolder` (its picture folders and database
  // are looked for there); `random`, when given, replaces the clock-seeded generator and
  // must outlive the game.
  explicit RealGame(const std::filesystem::path& exeFolder, Random* random = nullptr);
  ~RealGame();
  // Reads questions and cards from `file` instead of the database the game looks up. When the
  // game could not play it (the file missing or broken, a table or a field the dialogs read
  // missing, a table empty) it tells the players why in a message box and returns false; the
  // caller then ends the program rather than start a game in which every question fails.
  bool useDatabase(std::filesystem::path file);
  // Shows the start screen; false when the program has already ended.
  bool start();
  App& app() { return *app_; }
  ui::QtEventLoop& loop() { return loop_; }
  ui::QtPictures& pictures() { return pictures_; }

 private:
  SystemClock clock_;
  ClockSeededRandom clockRandom_{clock_};
  data::TableCache tables_;
  std::filesystem::path database_;  // empty: looked up
  ui::QtPictures pictures_;
  ui::QtEventLoop loop_{pictures_};
  std::unique_ptr<sound::PulsePlayer> sounds_;
  std::unique_ptr<speech::QtSpeaker> speaker_;
  std::unique_ptr<App> app_;
};

}  // namespace tj
