// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "data/store.h"
#include "game/race_game.h"
#include "game/random.h"
#include "screens/event_loop.h"
#include "screens/forms.h"
#include "screens/sound.h"
#include "screens/speech.h"

namespace tj {

// Everything from outside that the screens use; tests hand in fakes.
struct Services {
  EventLoop& loop;
  Random& random;
  PictureSource& pictures;
  std::filesystem::path appFolder;   // holds the picture folders
  std::filesystem::path dataFolder;  // installed data folder, searched after appFolder
  // One line for the maintainer (stderr in the real program).
  std::function<void(const std::string&)> warn;
  // Opens one table of the question and action card store as a snapshot; throws
  // data::DataError with a complete German message when the table cannot be read.
  std::function<data::Recordset(std::string_view table)> openTable = nullptr;
  // The text of a document stored with the program (e.g. "anleitung.rtf"); empty when absent.
  std::function<std::string(const std::string& storedName)> storedText = nullptr;
  // Plays the sounds of the race; none: the game is silent.
  SoundPlayer* sounds = nullptr;
  // Reads aloud while "Vorlesen" is on; none: the item says that reading aloud is not possible.
  Speaker* speaker = nullptr;
};

// One run of the game: the game variables, the screens and the services.
class App {
 public:
  explicit App(Services services);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  RaceGame race;  // the game of this run
  Forms forms{*this};

  template <class T>
  T& form() {
    return forms.get<T>();
  }
  template <class T>
  Screen& screen() {
    return forms.screen<T>();
  }

  EventLoop& loop() { return s_.loop; }
  Random& rnd() { return s_.random; }
  const Services& services() const { return s_; }

  // Starts the run: loads and shows the start screen.
  void start();
  // True once no screen is loaded and no handler runs: the program has ended.
  bool ended() const { return !forms.anyLoaded() && depth_ == 0; }

  // Runs a handler the way every event does: activation afterwards, errors reported
  // to the players instead of ending the program.
  void dispatch(const std::function<void()>& handler);

  // User input and timer ticks; each is ignored (returns false) when a person could not
  // do it: the element is hidden or disabled, or a modal screen lies above its screen.
  bool click(Element& e);
  bool pressKey(Element& textBox, int keyAscii);
  bool typeText(Element& textBox, const std::string& text);
  bool chooseMenu(Screen& s, const std::string& itemName);
  // A key the screen's controls did not take; false when the screen has no use for it.
  bool pressScreenKey(Screen& s, int keyAscii);
  // Esc: presses the screen's cancel button; false when it has none (the game's own
  // dialogs close only through the choice they ask for).
  bool pressCancel(Screen& s);
  bool tick(Element& timer);

  // The sound of an event, unless the players have switched the sounds off.
  void play(Sound s) {
    if (soundOn_ && s_.sounds) s_.sounds->play(s);
  }
  // The "Ton" switch; on at the start of every run, kept for the whole run.
  bool soundOn() const { return soundOn_; }
  void setSoundOn(bool on) { soundOn_ = on; }

  // What the players hear at this step while "Vorlesen" is on: it replaces what is still
  // being read (empty: silence). Kept while "Vorlesen" is off, so that switching it on
  // reads the step.
  void say(std::string text);
  // The "Vorlesen" switch; off at the start of every run. Off falls silent at once.
  bool speechOn() const { return speechOn_; }
  void setSpeechOn(bool on);
  // The speaker cannot read (no speech service, no German voice): the players are told,
  // "Vorlesen" switches itself off and the game goes on. `why` is for the maintainer.
  void speechUnavailable(const std::string& why);

  // A modal message box.
  void MsgBox(const std::string& text, const std::string& title);
  // The application folder joined with a literal such as "\wuerfel\w1.gif".
  std::string AppPath(const std::string& backslashPath) const;
  // A picture file, or an empty picture when it cannot be read; the maintainer is told once
  // per file and run.
  Picture LoadPicture(const std::string& path);

 private:
  bool canUse(const Element& e) const;
  // Runs `fn`; an error becomes a message to the players instead of ending the program.
  void runGuarded(const std::function<void()>& fn);
  Services s_;
  int depth_ = 0;
  bool soundOn_ = true;
  bool speechOn_ = false;
  std::string spoken_;  // the current step's text
  std::set<std::string> unreadable_;
};

}  // namespace tj
