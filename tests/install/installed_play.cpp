// SPDX-License-Identifier: GPL-3.0-or-later
// installed_play <installed bin folder>: plays an installed game from the current folder
// through the setup onto the board and into a first question, checking that the pictures
// (the die's stands for all: one folder lookup) and the questions come from the installed
// data folder; the test sets QT_QPA_PLATFORM. Exit status 0 when all holds.
#include <QApplication>
#include <iostream>

#include "qt_driver.h"
#include "screens/board/frm_spielfeld.h"

using tj::testing::QtDriver;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: installed_play <installed bin folder>\n";
    return 2;
  }
  QApplication qapp(argc, argv);
  tj::setUpQtApplication();
  const std::filesystem::path bin = argv[1];
  const std::string share = std::filesystem::weakly_canonical(bin / ".." / "share" / "tankjagd").string();

  tj::testing::FixedRandom random(0.05f);  // rolls 1, player 1 starts
  tj::RealGame game(bin, &random);
  QtDriver d(game);
  d.setUpPlayers("Anna", "imgAuto3SP1", "Bert", "imgAuto1SP2");
  d.waitText("frmSpielfeld", "lblAktiverSpieler", "Anna ist dran!");
  d.click("frmSpielfeld", "cmdWuerfel");
  d.check("Würfelbild aus dem installierten Ordner", [&] {
    const tj::Picture& die = game.app().form<tj::FrmSpielfeld>().imgWuerfel.picture();
    return die.kind == tj::Picture::Kind::File && die.ref == share + "/wuerfel/w1.gif";
  });
  d.click("frmLevel", "cmdLeicht");
  d.check("eine Frage aus der installierten Datenbank", [] {
    return !QtDriver::text("frmFragenLeicht", "lblFrage").empty() &&
           !QtDriver::text("frmFragenLeicht", "cmdAntwort(0)").empty() && !QtDriver::messageBox();
  });
  d.click("frmFragenLeicht", "cmdAntwort(0)").click("frmFragenLeicht", "cmdWeiter");
  d.waitText("frmSpielfeld", "lblAktiverSpieler", "Bert ist dran!");
  d.menu("frmSpielfeld", "Beenden");
  const int status = d.run(60000);
  for (const std::string& f : d.failures()) std::cerr << "FAIL: " << f << '\n';
  return status == 0 && d.failures().empty() ? 0 : 1;
}
