// SPDX-License-Identifier: GPL-3.0-or-later
// The selected question or card in the game's own dialog: the game's screens run on the
// real front end, with a store that holds just the one record, and a right answer pays what
// it pays in a game.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

class QWidget;

#include "data/question_set.h"
#include "data/set_file.h"
#include "game/random.h"
#include "screens/app.h"
#include "ui/pictures.h"
#include "ui/qt_loop.h"

namespace tj::editor {

class PreviewLoop;

class Preview {
 public:
  // `appFolder` holds the game's picture folders (card pictures). The dialog opens centred
  // over `owner`; Escape closes it.
  Preview(const std::filesystem::path& appFolder, const std::filesystem::path& dataFolder, QWidget* owner);
  ~Preview();

  // Shows the dialog of table t with the given record; replaces what is shown.
  void show(data::SetTable t, const data::QuestionSet& set, int index);
  void close();
  bool isOpen() const;

 private:
  data::TableSnapshot snapshot(data::SetTable t, const data::QuestionSet& set, int index) const;
  const char* screenName(data::SetTable t) const;
  void placeOverOwner();
  void makeApp();

  SystemClock clock_;
  ClockSeededRandom random_{clock_};
  ui::QtPictures pictures_;
  std::unique_ptr<PreviewLoop> loop_;
  std::unique_ptr<Services> services_;
  std::unique_ptr<App> app_;
  std::optional<data::TableSnapshot> record_;
  std::string shownScreen_;
  QWidget* owner_;
};

}  // namespace tj::editor
