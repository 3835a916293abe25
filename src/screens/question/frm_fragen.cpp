// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/question/frm_fragen.h"

#include "game/answers.h"
#include "screens/app.h"
#include "screens/spoken.h"

namespace tj {

namespace {
constexpr Color kResting = Color::rgb(128, 128, 255);

const QuestionLevel kLeicht{FrmFragenLeicht::kName, "Leicht", "Leichte Frage", Level::Easy, 6975, 0};
const QuestionLevel kSchwer{FrmFragenSchwer::kName, "Schwer", "Schwere Frage", Level::Hard, 6930, 120};

WindowSpec questionWindow(const QuestionLevel& level) {
  return WindowSpec::dialog(level.title, 6915, level.clientHeight, Color::highlight(), level.windowName);
}

// The fields in the order they are read: the answers in the order the bound labels take
// them (the right answer last), then the question.
constexpr std::array kFields{data::kQuestionFields[1], data::kQuestionFields[2], data::kQuestionFields[3],
                             data::kQuestionFields[data::kRightAnswer], data::kQuestionFields[data::kQuestionText]};
}  // namespace

FrmFragen::FrmFragen(App& app, const QuestionLevel& level)
    : RecordDialog(app, level.name, questionWindow(level)),
      lblTankbelohnung(add("lblTankbelohnung", ElementKind::Label, 480, 120, 5895, 615)),
      lblFrage(add("lblFrage", ElementKind::Label, kQuestionBox.left + level.shift, kQuestionBox.top,
                   kQuestionBox.width, kQuestionBox.height)),
      cmdWeiter(add("cmdWeiter", ElementKind::Button, 360 + level.shift, 6120, 2655, 495, "weiter spielen!")),
      level_(level) {
  lblTankbelohnung.setBackColor(Color::highlight());
  lblTankbelohnung.setForeColor(kCream);
  lblTankbelohnung.font = Font{"MS Sans Serif", 12, true};
  lblFrage.setBackColor(Color::highlight());
  lblFrage.setForeColor(Color::highlightText());
  takeLook(lblFrage, kQuestionBox);

  const float left[2] = {kAnswerBox.left + level.shift, 3600 + level.shift};
  const float top[2] = {kAnswerBox.top, 4560};
  for (int i = 0; i < 4; ++i) {
    Element& b = add("cmdAntwort(" + std::to_string(i) + ")", ElementKind::Button, left[i % 2], top[i / 2],
                     kAnswerBox.width, kAnswerBox.height);
    b.setBackColor(kResting);
    takeLook(b, kAnswerBox);
    b.tabIndex = i;
    b.Click = [this, i] { cmdAntwort_Click(i); };
    cmdAntwort_[static_cast<std::size_t>(i)] = &b;
  }
  cmdWeiter.setVisible(false);
  cmdWeiter.setBackColor(kResting);
  cmdWeiter.font = Font{"MS Sans Serif", 9.75f, true};
  cmdWeiter.tabIndex = 4;
  cmdWeiter.Click = [this] { cmdWeiter_Click(); };

  for (int i = 0; i < 4; ++i) {
    Element& l = add("Label1(" + std::to_string(i) + ")", ElementKind::Label, 0, 0, 0, 0);
    l.setVisible(false);
    Label1_[static_cast<std::size_t>(i)] = &l;
  }
  // Keys 1 to 4 answer with the button read as that number, in reading order.
  KeyPress = [this](int key) {
    if (key < '1' || key > '4' || !cmdAntwort(key - '1').Enabled()) return false;
    cmdAntwort_Click(key - '1');
    return true;
  };
  // Wired last, so that building the layout runs no change handler.
  for (int i = 0; i < 4; ++i) Label1(i).Change = [this, i] { Label1_Change(i); };
}

void FrmFragen::Form_Load() {
  app().race.markStarted();
  auto record = readRecord(deckOf(level_.level), kFields, "Diese Frage fällt aus, niemand bekommt Tankpunkte.");
  if (!record) return;
  for (int i = 3; i >= 0; --i) Label1(i).setCaption(std::move((*record)[static_cast<std::size_t>(i)]));
  lblFrage.setCaption(std::move((*record)[4]));
  describeQuestion();
}

// A screen reader reads the question label with the dialog (the answers with it, once),
// then each answer by its place; the players with "Vorlesen" hear the same.
void FrmFragen::describeQuestion() {
  std::array<std::string, 4> shown;
  for (int i = 0; i < 4; ++i) {
    shown[static_cast<std::size_t>(i)] = cmdAntwort(i).Caption();
    cmdAntwort(i).accessibleName = spoken::answerName(i, cmdAntwort(i).Caption());
  }
  const int reward = app().race.reward(level_.level).value();
  lblFrage.accessibleName = spoken::question(lblFrage.Caption(), shown, reward);
  app().say(spoken::questionAloud(lblFrage.Caption(), shown, reward));
}

void FrmFragen::Label1_Change(int index) {
  app().rnd().Randomize();
  if (index == kRightAnswerLabel) Zufallsplatz = slotForDraw(app().rnd().Rnd());
  cmdAntwort(buttonForLabel(index, Zufallsplatz)).setCaption(Label1(index).Caption());
  RichtigeAntwort = Zufallsplatz;
}

void FrmFragen::cmdAntwort_Click(int index) {
  const bool right = RichtigeAntwort == index;
  app().play(right ? Sound::Right : Sound::Wrong);
  if (!right) {
    RichtigeAntwortMarkieren();
    cmdAntwort(index).setBackColor(kRed);
    cmdAntwort(index).setMark(Mark::Wrong);
  } else {
    cmdAntwort(index).setBackColor(kGreen);
    cmdAntwort(index).setMark(Mark::Right);
  }
  app().race.answer(level_.level, lblFrage.Caption(), cmdAntwort(index).Caption(), Label1(kRightAnswerLabel).Caption(),
                    right);
  cmdWeiter.setVisible(true);
  for (int i = 0; i < 4; ++i) cmdAntwort(i).setEnabled(false);
  // The player goes on from "weiter spielen!", which says how the answer went.
  const RaceGame& race = app().race;
  const int spieler = race.lastMover() == 2 ? 2 : 1;
  const int reward = race.reward(level_.level).value();
  const int slot = RichtigeAntwort.value();
  const Int16 tank = spieler == 1 ? race.state().TankSpieler1 : race.state().TankSpieler2;
  const std::string& name = playerName(race.state(), spieler);
  const std::string rightAnswer = slot >= 0 && slot <= 3 ? cmdAntwort(slot).Caption() : std::string();
  cmdWeiter.setDescription(spoken::answer(right, name, reward, tank.value(), rightAnswer));
  app().say(spoken::answerAloud(right, name, reward, tank.value(), rightAnswer));
  SetFocus(cmdWeiter);
  const Color clicked = cmdAntwort(index).BackColor();
  if (clicked == kRed) {
    lblTankbelohnung.setCaption("Schade, du erhältst leider keine Tankpunkte");
  } else if (clicked == kGreen) {
    lblTankbelohnung.setCaption("Super gemacht! Du erhältst " + Str(reward) + " Tankpunkte. Weiter so!!!");
  }
}

void FrmFragen::RichtigeAntwortMarkieren() {
  const int right = RichtigeAntwort.value();
  if (right >= 0 && right <= 3) {
    cmdAntwort(right).setBackColor(kGreen);
    cmdAntwort(right).setMark(Mark::Right);
  }
}

void FrmFragen::cmdWeiter_Click() { Unload(); }

FrmFragenLeicht::FrmFragenLeicht(App& app) : FrmFragen(app, kLeicht) {}
FrmFragenSchwer::FrmFragenSchwer(App& app) : FrmFragen(app, kSchwer) {}

}  // namespace tj
