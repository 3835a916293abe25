// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "game/int16.h"
#include "game/race_game.h"
#include "screens/record_dialog.h"
#include "screens/text_box.h"

namespace tj {

// What tells the easy and the hard question dialog apart.
struct QuestionLevel {
  const char* name;        // screen name
  const char* title;       // window title
  const char* windowName;  // the window's name for a screen reader
  Level level;             // which reward a right answer pays
  float clientHeight;      // twips
  float shift;             // extra Left of the question, the answers and the continue button
};

// The boxes that show a question record, as the easy dialog places them (the hard one
// moves them its QuestionLevel::shift to the right): the question and the first of the
// four answer buttons; the others sit one column or one row further. A marked answer
// keeps its caption clear of the check or cross.
inline const TextBox kQuestionBox{
    .left = 360, .top = 1080, .width = 5895, .height = 1455, .font = {"MS Sans Serif", 12, true}};
inline const TextBox kAnswerBox{.left = 360,
                                .top = 3000,
                                .width = 2655,
                                .height = 1215,
                                .font = {"MS Sans Serif", 9.75f, true},
                                .insetX = kButtonTextInsetX,
                                .insetY = kButtonTextInsetY,
                                .keepsMarkRoom = true};

// One multiple-choice question: a random record of the level's table, the right and the
// three wrong answers spread over four buttons, one answer per showing, the reward paid
// into the active player's tank and shown on the board at once.
class FrmFragen : public RecordDialog {
 public:
  FrmFragen(App& app, const QuestionLevel& level);

  void Form_Load() override;

  Element& lblTankbelohnung;
  Element& lblFrage;
  Element& cmdWeiter;
  Element& cmdAntwort(int i) { return *cmdAntwort_.at(static_cast<std::size_t>(i)); }
  Element& Label1(int i) { return *Label1_.at(static_cast<std::size_t>(i)); }

  Int16 RichtigeAntwort;  // button holding the right answer
  Int16 Zufallsplatz;     // button drawn for the right answer

 private:
  void Label1_Change(int index);
  void cmdAntwort_Click(int index);
  void cmdWeiter_Click();
  void RichtigeAntwortMarkieren();
  // The screen reader's texts of the answer buttons, once the question shows.
  void describeQuestion();

  const QuestionLevel& level_;
  std::array<Element*, 4> cmdAntwort_{};
  std::array<Element*, 4> Label1_{};
};

class FrmFragenLeicht final : public FrmFragen {
 public:
  static constexpr const char* kName = "frmFragenLeicht";
  explicit FrmFragenLeicht(App& app);
};

class FrmFragenSchwer final : public FrmFragen {
 public:
  static constexpr const char* kName = "frmFragenSchwer";
  explicit FrmFragenSchwer(App& app);
};

}  // namespace tj
