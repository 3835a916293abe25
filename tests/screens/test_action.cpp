// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/action/frm_aktion.h"
#include "test_quiz_support.h"

namespace tj::testing {
namespace {

// Both cars on their fields, each shown by exactly its own picture.
void placeCars(Harness& h, FrmSpielfeld& board, int p1, int p2) {
  for (int i = 0; i < FrmSpielfeld::kFelder; ++i) {
    board.imgSpieler1(i).setVisible(i == p1);
    board.imgSpieler2(i).setVisible(i == p2);
  }
  h.g().PositionSpieler1 = p1;
  h.g().PositionSpieler2 = p2;
  h.app.dispatch([&] { h.app.race.separateCars(); });
}

std::vector<int> shownFields(FrmSpielfeld& board, int player) {
  std::vector<int> out;
  for (int i = 0; i < FrmSpielfeld::kFelder; ++i)
    if ((player == 1 ? board.imgSpieler1(i) : board.imgSpieler2(i)).Visible()) out.push_back(i);
  return out;
}

// Plays one card for `player` from a board where player 1 stands on p1 and player 2 on p2.
struct CardGame {
  Harness h;
  FrmSpielfeld& board = openBoard(h, 2);
  CardGame(const std::string& code, const std::string& player, int p1 = 10, int p2 = 12) {
    setCard(h, code);
    placeCars(h, board, p1, p2);
    h.g().AktiverSpieler = player;
    h.random.queue({0.0f});
  }
  void play() {
    showFromBoard(h, "frmAktion");
    h.loop.click("frmAktion", "cmdWeiter");
    h.loop.drain();
  }
};

// "Weiter" plays the card for the active player and rewrites both fuel labels; the card
// rules themselves live with the game.
TEST(ActionCard, weiterPlaysTheCardForTheActivePlayer) {
  struct Case {
    const char* code;
    const char* player;
    int tank1, tank2;  // before the card, and expected after it
    int tank1After, tank2After;
    Flag skip2;
  };
  const Case cases[] = {
      {"+10L", "spieler2", 10, 10, 10, 20, kFalse},
      {"-10L", "spieler1", 7, -2, 0, 0, kFalse},  // both tanks held at 0
      {"P", "spieler2", 10, 10, 10, 10, kTrue},
      {"+10L ", "spieler1", 10, 10, 10, 10, kFalse},  // not a code: only the relabelling
      {"+10L", "niemand", 10, 10, 10, 10, kFalse},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.code + "\" für " + c.player);
    CardGame game(c.code, c.player);
    GameState& g = game.h.g();
    g.TankSpieler1 = c.tank1;
    g.TankSpieler2 = c.tank2;
    game.board.lblTank.setCaption("alt");
    game.play();
    EXPECT_EQ(g.TankSpieler1, c.tank1After);
    EXPECT_EQ(g.TankSpieler2, c.tank2After);
    EXPECT_EQ(g.AussetzenSpieler2, c.skip2);
    EXPECT_EQ(g.AussetzenSpieler1, kFalse);
    EXPECT_EQ(game.board.lblTank.Caption(), Str(g.TankSpieler1));
    EXPECT_EQ(game.board.lblTank2.Caption(), Str(g.TankSpieler2));
    EXPECT_EQ(shownFields(game.board, 1), std::vector<int>{10});
    EXPECT_FALSE(game.h.app.forms.isLoaded("frmAktion"));
  }
}

TEST(ActionCard, movesAlongTheTrack) {
  {
    SCOPED_TRACE("+4 from field 40");
    CardGame game("+4", "spieler1", 40, 12);
    game.play();
    EXPECT_EQ(shownFields(game.board, 1), std::vector<int>{44});
    EXPECT_EQ(game.board.imgSpieler1(44).Top(), 9360) << "no shift: the cars stand apart";
  }
  {
    SCOPED_TRACE("-2 from field 1 stops at the start");
    CardGame game("-2", "spieler2", 10, 1);
    game.play();
    EXPECT_EQ(game.h.g().PositionSpieler2, 0);
    EXPECT_EQ(shownFields(game.board, 2), std::vector<int>{0});
  }
  {
    SCOPED_TRACE("-2 onto the other car's field draws the cars apart");
    CardGame game("-2", "spieler2", 8, 10);
    game.play();
    EXPECT_EQ(shownFields(game.board, 2), std::vector<int>{8});
    EXPECT_EQ(game.h.g().VerschiebungAktiv, kTrue);
    EXPECT_EQ(game.board.imgSpieler1(8).Top(), 3480 + 250);
    EXPECT_EQ(game.board.imgSpieler2(8).Top(), 3480 - 250);
  }
}

// The card shows at once; its effect waits for "Weiter".
TEST(ActionCard, showsTheCardAndActsOnlyOnWeiter) {
  CardGame game("+5L", "spieler1");
  showFromBoard(game.h, "frmAktion");
  game.h.loop.then([&](ScriptLoop&) {
    auto& a = game.h.form<FrmAktion>();
    EXPECT_EQ(a.lblAktion.Caption(), "Titel +5L");
    EXPECT_EQ(a.lblAktionstxt.Caption(), "Text zu +5L");
    EXPECT_EQ(a.lblEreignis.Caption(), "+5L");
    EXPECT_EQ(a.lblBildnr.Caption(), "7");
    EXPECT_EQ(game.h.g().TankSpieler1, 10);
    EXPECT_EQ(game.board.lblTank.Caption(), "10");
  });
  game.h.loop.click("frmAktion", "cmdWeiter");
  game.h.loop.drain();
  EXPECT_EQ(game.h.g().TankSpieler1, 15);
  EXPECT_EQ(game.board.lblTank.Caption(), "15");
}

// The picture takes its own size (pixels x 15) and is centred on lblBildnr's rectangle;
// one that cannot be read, or a number that names a file outside "Bilder", leaves the
// element empty at its designed place, and the card still plays.
TEST(ActionCard, cardPicture) {
  struct Case {
    std::string bildnr;
    bool missing;
    std::string path;  // loaded picture, empty for none
  };
  const Case cases[] = {
      {"7", false, "/spiel/Bilder/7.gif"},
      {"7", true, ""},
      {"../autos/rotes auto links", false, ""},
      {"\\etc\\passwd", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("Bildnr \"" + c.bildnr + "\"" + (c.missing ? " (fehlt)" : ""));
    Harness h;
    FrmSpielfeld& board = openBoard(h, 2);
    h.g().AktiverSpieler = "spieler1";
    setCard(h, "+2", c.bildnr);
    h.pictures.size = {100, 60};
    if (c.missing) h.pictures.missing.push_back("/spiel/Bilder/7.gif");
    h.random.queue({0.0f});
    const auto warningsBefore = h.warnings.size();
    showFromBoard(h, "frmAktion");
    h.loop.then([&](ScriptLoop&) {
      Element& img = h.form<FrmAktion>().imgAktion;
      if (!c.path.empty()) {
        EXPECT_EQ(img.picture(), Picture::file(c.path, 100, 60));
        EXPECT_EQ(img.Width(), 1500);
        EXPECT_EQ(img.Height(), 900);
        EXPECT_EQ(img.Left(), (5055.0f - 1500) / 2 + 3480);
        EXPECT_EQ(img.Top(), (3615.0f - 900) / 2 + 120);
        EXPECT_EQ(h.warnings.size(), warningsBefore);
      } else {
        EXPECT_TRUE(img.picture().empty());
        EXPECT_EQ(img.Left(), 3960);
        EXPECT_EQ(img.Top(), 600);
        EXPECT_EQ(img.Width(), 4335);
        EXPECT_EQ(img.Height(), 2535);
        EXPECT_EQ(h.warnings.size(), warningsBefore + 1);
      }
    });
    h.loop.click("frmAktion", "cmdWeiter");
    h.loop.drain();
    EXPECT_EQ(h.g().PositionSpieler1, 2) << "the card plays";
    EXPECT_TRUE(board.cmdWuerfeln2.Visible());
  }
}

}  // namespace
}  // namespace tj::testing
