// SPDX-License-Identifier: GPL-3.0-or-later
// Which sound each event of the race plays, and the "Ton" switch.
#include <gtest/gtest.h>

#include "test_board_support.h"
#include "test_quiz_support.h"
#include "test_setup_support.h"

namespace tj::testing {
namespace {

using Sounds = std::vector<Sound>;

// A question with the right answer in slot 0 (or a card) shown from the board; `clicks`
// are the dialog's buttons clicked in turn.
Sounds dialog(const char* screen, std::vector<std::string> clicks) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"Wie?", "falsch1", "falsch2", "falsch3", "richtig"}});
  setCard(h, "+2");
  h.random.queue({0.5f, 0.01f});
  openBoard(h);
  showFromBoard(h, screen);
  for (const std::string& c : clicks) h.loop.click(screen, c);
  h.loop.drain();
  return h.sounds.played;
}

// Player 1 stands on `field` and rolls a 6 (r = 0.95); `button` closes the dialog that follows.
Sounds roll(int field, std::function<void(BoardHarness&)> before, const char* screen, const char* button) {
  BoardHarness h;
  h.startGame(0.0f);
  h.place(1, field);
  before(h);
  h.random.queue({0.95f});
  h.loop.click("frmSpielfeld", "cmdWuerfel").click(screen, button);
  h.loop.drain();
  if (h.app.forms.isLoaded(FrmSpielfeld::kName)) {
    EXPECT_EQ(h.board().menus().at(0).items.at(0).Checked(), h.app.soundOn()) << "the check mark shows the switch";
  }
  return h.sounds.played;
}

TEST(RaceSounds, eachEventPlaysItsSoundUnlessTonIsOff) {
  auto none = [](BoardHarness&) {};
  auto tonOff = [](BoardHarness& h) { h.loop.menu("frmSpielfeld", "Ton"); };
  auto tonOffOn = [](BoardHarness& h) { h.loop.menu("frmSpielfeld", "Ton").menu("frmSpielfeld", "Ton"); };
  auto skip = [](BoardHarness& h) { h.g().AussetzenSpieler1 = kTrue; };
  const struct {
    const char* event;
    std::function<Sounds()> run;
    Sounds expected;
  } cases[] = {
      {"roll, then a question", [&] { return roll(3, none, "frmLevel", "cmdOk"); }, {Sound::Roll}},
      {"roll to the goal", [&] { return roll(40, none, "frmGewonnen", "cmdEnde"); }, {Sound::Roll, Sound::Win}},
      {"skip instead of a roll", [&] { return roll(3, skip, "frmAussetzen", "cmdWeiter"); }, {Sound::Skip}},
      {"Ton off", [&] { return roll(3, tonOff, "frmLevel", "cmdOk"); }, {}},
      {"Ton off and on again", [&] { return roll(3, tonOffOn, "frmLevel", "cmdOk"); }, {Sound::Roll}},
      {"right answer",
       [] {
         return dialog("frmFragenLeicht", {"cmdAntwort(0)", "cmdWeiter"});
       },
       {Sound::Right}},
      {"wrong answer",
       [] {
         return dialog("frmFragenLeicht", {"cmdAntwort(2)", "cmdWeiter"});
       },
       {Sound::Wrong}},
      {"action card", [] { return dialog("frmAktion", {"cmdWeiter"}); }, {Sound::Card}},
      {"drive-out, the moving car clicked again, the second drive-out",
       [] {
         SetupRun r;
         r.enterNames();
         r.clickCar(1, 0);
         r.h.app.tick(r.setup().tmrRausFahren);
         r.clickCar(1, 0);
         r.driveOut();
         r.clickCar(2, 1);
         return r.h.sounds.played;
       },
       {Sound::DriveOut, Sound::DriveOut}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.run(), c.expected) << c.event;
}

}  // namespace
}  // namespace tj::testing
