// SPDX-License-Identifier: GPL-3.0-or-later
// Which sound each event of the race plays, and the "Ton" switch.
#include <gtest/gtest.h>

#include "test_board_support.h"
#include "test_quiz_support.h"
#include "test_setup_support.h"

namespace tj::testing {
namespace {

using Sounds = std::vector<Sound>;

Sounds answer(int clicked) {
  Harness h;
  setQuestions(h, "tabFragen_leicht", {{"Wie?", "falsch1", "falsch2", "falsch3", "richtig"}});
  h.random.queue({0.5f, 0.01f});  // the right answer in slot 0
  openBoard(h);
  showFromBoard(h, "frmFragenLeicht");
  h.loop.click("frmFragenLeicht", "cmdAntwort(" + std::to_string(clicked) + ")").click("frmFragenLeicht", "cmdWeiter");
  h.loop.drain();
  return h.sounds.played;
}

// Player 1 stands on `field` and rolls a 6 (r = 0.95); `button` closes the dialog that follows.
Sounds roll(int field, std::function<void(BoardHarness&)> before, const char* dialog, const char* button) {
  BoardHarness h;
  h.startGame(0.0f);
  h.place(1, field);
  before(h);
  h.random.queue({0.95f});
  h.loop.click("frmSpielfeld", "cmdWuerfel").click(dialog, button);
  h.loop.drain();
  return h.sounds.played;
}

TEST(RaceSounds, eachEventPlaysItsSound) {
  auto none = [](BoardHarness&) {};
  const struct {
    const char* event;
    std::function<Sounds()> run;
    Sounds expected;
  } cases[] = {
      {"roll, then a question", [&] { return roll(3, none, "frmLevel", "cmdOk"); }, {Sound::Roll}},
      {"roll to the goal", [&] { return roll(40, none, "frmGewonnen", "cmdEnde"); }, {Sound::Roll, Sound::Win}},
      {"skip instead of a roll",
       [&] { return roll(3, [](BoardHarness& h) { h.g().AussetzenSpieler1 = kTrue; }, "frmAussetzen", "cmdWeiter"); },
       {Sound::Skip}},
      {"right answer", [] { return answer(0); }, {Sound::Right}},
      {"wrong answer", [] { return answer(2); }, {Sound::Wrong}},
      {"action card",
       [] {
         Harness h;
         setCard(h, "+2");
         openBoard(h);
         h.random.queue({0.0f});
         showFromBoard(h, "frmAktion");
         h.loop.click("frmAktion", "cmdWeiter");
         h.loop.drain();
         return h.sounds.played;
       },
       {Sound::Card}},
      {"a card that cannot be read is silent",
       [] {
         Harness h;
         openBoard(h);
         showFromBoard(h, "frmAktion");
         h.loop.ok();
         h.loop.drain();
         return h.sounds.played;
       },
       {}},
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

// "Ton" silences every sound for the rest of the run and shows its state as a check mark.
TEST(RaceSounds, tonMenuItemSwitchesTheSoundsOffAndOn) {
  BoardHarness h;
  h.startGame(0.0f);
  const MenuItem& ton = h.board().menus().at(0).items.at(0);
  ASSERT_TRUE(ton.Checked);
  EXPECT_TRUE(ton.Checked());
  h.loop.menu("frmSpielfeld", "Ton");
  h.random.queue({0.95f});
  h.loop.click("frmSpielfeld", "cmdWuerfel").click("frmLevel", "cmdOk");
  h.loop.drain();
  EXPECT_FALSE(ton.Checked());
  EXPECT_EQ(h.sounds.played, Sounds{});
  h.loop.menu("frmSpielfeld", "Ton");
  h.random.queue({0.95f});
  h.loop.click("frmSpielfeld", "cmdWuerfeln2").click("frmLevel", "cmdOk");
  h.loop.drain();
  EXPECT_TRUE(ton.Checked());
  EXPECT_EQ(h.sounds.played, Sounds{Sound::Roll});
}

}  // namespace
}  // namespace tj::testing
