// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/question/frm_fragen.h"

#include "game/answers.h"
#include "screens/app.h"
#include "screens/board/frm_spielfeld.h"
#include "screens/question/draw_record.h"

namespace tj {

namespace {
constexpr Color kResting = Color::rgb(128, 128, 255);

const QuestionLevel kLeicht{FrmFragenLeicht::kName, "Leicht", "tabFragen_leicht", &GameState::BelohnungLeicht, 6975, 0};
const QuestionLevel kSchwer{FrmFragenSchwer::kName, "Schwer", "tabFragen_schwer", &GameState::BelohnungSchwer, 6930,
                            120};

WindowSpec questionWindow(const QuestionLevel& level) {
  return WindowSpec::dialog(level.title, 6915, level.clientHeight, Color::highlight());
}

// The fields in the order the bound labels take a record's texts: right answer first.
constexpr const char* kAnswerFields[4] = {"Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"};
}  // namespace

FrmFragen::FrmFragen(App& app, const QuestionLevel& level)
    : Screen(app, level.name, questionWindow(level)),
      lblTankbelohnung(add("lblTankbelohnung", ElementKind::Label, 480, 120, 5895, 615)),
      lblFrage(add("lblFrage", ElementKind::Label, 360 + level.shift, 1080, 5895, 1455)),
      cmdWeiter(add("cmdWeiter", ElementKind::Button, 360 + level.shift, 6120, 2655, 495, "weiter spielen!")),
      level_(level) {
  lblTankbelohnung.setBackColor(Color::highlight());
  lblTankbelohnung.setForeColor(kLightYellow);
  lblTankbelohnung.font = Font{"MS Sans Serif", 12, true};
  lblFrage.setBackColor(Color::highlight());
  lblFrage.setForeColor(Color::highlightText());
  lblFrage.font = Font{"MS Sans Serif", 12, true};

  const float left[2] = {360 + level.shift, 3600 + level.shift};
  const float top[2] = {3000, 4560};
  for (int i = 0; i < 4; ++i) {
    Element& b = add("cmdAntwort(" + std::to_string(i) + ")", ElementKind::Button, left[i % 2], top[i / 2], 2655, 1215);
    b.setBackColor(kResting);
    b.font = Font{"MS Sans Serif", 9.75f, true};
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
  // Wired last, so that building the layout runs no change handler.
  for (int i = 0; i < 4; ++i) Label1(i).Change = [this, i] { Label1_Change(i); };
}

void FrmFragen::Form_Load() {
  app().g.SpielGestartet = 1;
  try {
    const data::Recordset record = drawRecord(app(), level_.table);
    // Every field is read before any label changes, so a bad record changes nothing.
    std::array<std::string, 4> answers;
    for (std::size_t i = 0; i < 4; ++i) answers[i] = record.field(kAnswerFields[i]);
    std::string frage = record.field("Frage");
    for (int i = 3; i >= 0; --i) Label1(i).setCaption(std::move(answers[static_cast<std::size_t>(i)]));
    lblFrage.setCaption(std::move(frage));
  } catch (const std::exception& e) {
    failure_ = dataFailureMessage(e, "Diese Frage fällt aus, niemand bekommt Tankpunkte.");
  }
}

// A question that could not be read is reported once the dialog shows, then the dialog
// closes without effect.
void FrmFragen::Form_Activate() {
  if (!failure_) return;
  const std::string message = std::move(*failure_);
  failure_.reset();
  app().MsgBox(message, kDataFailureTitle);
  Unload();
}

void FrmFragen::Label1_Change(int index) {
  app().rnd().Randomize();
  if (index == kRightAnswerLabel) Zufallsplatz = slotForDraw(app().rnd().Rnd());
  cmdAntwort(buttonForLabel(index, Zufallsplatz)).setCaption(Label1(index).Caption());
  RichtigeAntwort = Zufallsplatz;
}

void FrmFragen::cmdAntwort_Click(int index) {
  app().play(RichtigeAntwort == index ? Sound::Right : Sound::Wrong);
  if (RichtigeAntwort != index) {
    RichtigeAntwortMarkieren();
    cmdAntwort(index).setBackColor(kRed);
  } else {
    cmdAntwort(index).setBackColor(kGreen);
    payReward();
  }
  cmdWeiter.setVisible(true);
  for (int i = 0; i < 4; ++i) cmdAntwort(i).setEnabled(false);
  const Color clicked = cmdAntwort(index).BackColor();
  if (clicked == kRed) {
    lblTankbelohnung.setCaption("Schade, du erhällst leider keine Tankpunkte");
  } else if (clicked == kGreen) {
    lblTankbelohnung.setCaption("Super gemacht! Du erhällst " + Str(app().g.*level_.reward) +
                                " Tankpunkte. Weiter so!!!");
  }
}

// Fuel that would pass 32767 stays at 32767.
void FrmFragen::payReward() {
  GameState& g = app().g;
  const Int16 reward = g.*level_.reward;
  if (g.AktiverSpieler == kSpieler1) {
    g.TankSpieler1 = Int16::saturated(g.TankSpieler1.value() + reward.value());
    app().form<FrmSpielfeld>().lblTank.setCaption(Str(g.TankSpieler1));
  } else if (g.AktiverSpieler == kSpieler2) {
    g.TankSpieler2 = Int16::saturated(g.TankSpieler2.value() + reward.value());
    app().form<FrmSpielfeld>().lblTank2.setCaption(Str(g.TankSpieler2));
  }
}

void FrmFragen::RichtigeAntwortMarkieren() {
  const int right = RichtigeAntwort.value();
  if (right >= 0 && right <= 3) cmdAntwort(right).setBackColor(kGreen);
}

void FrmFragen::cmdWeiter_Click() { Unload(); }

FrmFragenLeicht::FrmFragenLeicht(App& app) : FrmFragen(app, kLeicht) {}
FrmFragenSchwer::FrmFragenSchwer(App& app) : FrmFragen(app, kSchwer) {}

}  // namespace tj
