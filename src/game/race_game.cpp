// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/race_game.h"

#include "game/track.h"

namespace tj {

namespace {
int other(int player) { return player == 1 ? 2 : 1; }
}  // namespace

// ---- a game ---------------------------------------------------------------------------------

void RaceGame::startValues() {
  b_.ZielFeld = track::kGoalField;
  g_.TankSpieler1 = kStartFuel;
  g_.TankSpieler2 = kStartFuel;
  b_.VerbrauchProFeld = kFuelPerField;
  showTank(1);
  showTank(2);
  b_.SchritteSpieler1 = 0;
  g_.PositionSpieler1 = 0;
  b_.SchritteSpieler2 = 0;
  g_.PositionSpieler2 = 0;
  if (RaceView* v = view()) {
    v->carShown(1, 0, true);
    v->carShown(2, 0, true);
    // Only player 1's counters: player 2's stay empty until the first new game.
    v->stepsShown(1, 0);
    v->rollShown(1, 0);
  }
  g_.BelohnungLeicht = kRewardEasy;
  g_.SpielGestartet = 0;
  g_.BelohnungSchwer = kRewardHard;
  g_.AussetzenSpieler1 = kFalse;
  g_.AussetzenSpieler2 = kFalse;
  b_.ErsterZugSpieler1 = kFalse;
  b_.ErsterZugSpieler2 = kFalse;
}

void RaceGame::boardLoaded() {
  b_ = BoardVars{};
  g_.SpielEnde = kFalse;
  startValues();
  if (RaceView* v = view()) v->dieCleared();
}

void RaceGame::newGame() {
  if (RaceView* v = view()) {
    for (int i = 0; i <= b_.ZielFeld.value() && i < track::kFieldCount; ++i) {
      v->carShown(1, i, false);
      v->carShown(2, i, false);
    }
  }
  b_.WurfSpieler1 = 0;
  b_.WurfSpieler2 = 0;
  if (RaceView* v = view()) {
    for (int player : {1, 2}) {
      v->stepsShown(player, 0);
      v->rollShown(player, 0);
    }
  }
  startValues();
  answers_.clear();
  if (RaceView* v = view()) v->dieCleared();
}

void RaceGame::boardActivated() {
  separateCars();
  if (g_.SpielGestartet == 0) {
    random_.Randomize();
    b_.SpielerAmZug = race::startPlayerFromR(random_.Rnd());
  }
  g_.SpielGestartet = 1;
}

void RaceGame::setName(int player, const std::string& name) {
  playerVars(g_, player).name = name;
  if (RaceView* v = view()) v->nameSet(player, name);
}

void RaceGame::chooseCar(int player, int colour) {
  if (RaceView* v = view()) v->carChosen(player, colour);
}

void RaceGame::setupDone() {
  if (RaceView* v = view()) v->setupDone();
}

// ---- the die turn ---------------------------------------------------------------------------

bool RaceGame::mustSkip(int player) const {
  return (player == 1 ? g_.AussetzenSpieler1 : g_.AussetzenSpieler2) != kFalse;
}

void RaceGame::serveSkip(int player) {
  playerVars(g_, player).skip = kFalse;
  b_.SpielerAmZug = other(player);
}

MoveReport RaceGame::rollAndDrive(int player) {
  Int16& wurf = player == 1 ? b_.WurfSpieler1 : b_.WurfSpieler2;
  Int16& schritte = player == 1 ? b_.SchritteSpieler1 : b_.SchritteSpieler2;
  const PlayerVars p = playerVars(g_, player);

  random_.Randomize();
  wurf = race::rollFromR(random_.Rnd());
  if (RaceView* v = view()) v->rollShown(player, wurf);

  showCar(player, p.position, false);
  const race::Drive d = race::drive(wurf.value(), p.tank, b_.VerbrauchProFeld);
  p.tank = d.tank;
  if (d.tankWritten) showTank(player);
  // A roll is never below 1, so the step count is always written.
  schritte = d.steps;
  if (RaceView* v = view()) v->stepsShown(player, schritte);

  g_.AktiverSpieler = player == 1 ? kSpieler1 : kSpieler2;
  p.position = p.position + schritte;
  showCar(player, p.position, true);
  const bool won = p.position >= b_.ZielFeld;
  if (won) g_.SpielEnde = kTrue;
  last_ = {player, wurf.value(), schritte.value(), p.tank.value(), race::shownField(p.position, b_.ZielFeld), won};
  return last_;
}

// Undo the last shift, then draw the two cars apart when they share a field. The shifted
// pictures are those of the shown field min(position, goal), clamped at 0, so no index
// leaves the track even with both cars past the goal.
void RaceGame::separateCars() {
  RaceView* v = view();
  if (g_.VerschiebungAktiv != kFalse) {
    if (v) {
      v->carShifted(1, race::shownField(g_.VerschiebungFeldSpieler1, b_.ZielFeld), -track::kPairShift);
      v->carShifted(2, race::shownField(g_.VerschiebungFeldSpieler2, b_.ZielFeld), track::kPairShift);
    }
    g_.VerschiebungAktiv = kFalse;
  }
  if (g_.PositionSpieler1 == g_.PositionSpieler2) {
    g_.VerschiebungFeldSpieler1 = g_.PositionSpieler1;
    g_.VerschiebungFeldSpieler2 = g_.PositionSpieler2;
    if (v) {
      v->carShifted(1, race::shownField(g_.PositionSpieler1, b_.ZielFeld), track::kPairShift);
      v->carShifted(2, race::shownField(g_.PositionSpieler2, b_.ZielFeld), -track::kPairShift);
    }
    g_.VerschiebungAktiv = kTrue;
  }
}

bool RaceGame::passTurn(int player) {
  if (g_.SpielEnde != kFalse) {
    g_.SpielEnde = kFalse;
    return false;
  }
  b_.SpielerAmZug = other(player);
  return true;
}

race::FieldEvent RaceGame::fieldEvent() {
  const race::FieldEventState s{g_.SpielEnde != kFalse, b_.ErsterZugSpieler1, b_.ErsterZugSpieler2, b_.SpielerAmZug,
                                g_.PositionSpieler1,    g_.PositionSpieler2,  b_.ZielFeld};
  return race::decideFieldEvent(s, random_);
}

// ---- questions and cards --------------------------------------------------------------------

void RaceGame::payReward(Level level) {
  const int player = lastMover();
  if (player == 0) return;
  Int16& tank = playerVars(g_, player).tank;
  tank = addFuel(tank, reward(level).value());
  showTank(player);
}

std::optional<CardMove> RaceGame::applyCard(std::string_view code) {
  const std::optional<CardMove> move = tj::applyCard(g_, g_.AktiverSpieler, code);
  if (move) {
    showCar(move->player, move->from, false);
    showCar(move->player, move->to, true);
    separateCars();
  }
  showTank(1);
  showTank(2);
  g_.SpielGestartet = 1;
  return move;
}

int RaceGame::fuelAfterCard(std::string_view code) const {
  const int player = lastMover();
  if (player == 0) return 0;
  GameState after = g_;
  tj::applyCard(after, after.AktiverSpieler, code);
  return playerVars(after, player).tank.value();
}

void RaceGame::answer(Level level, std::string question, std::string given, std::string right, bool correct) {
  if (correct) payReward(level);
  const int player = lastMover();
  answers_.add({player, player == 0 ? std::string() : playerName(g_, player), level, std::move(question),
                std::move(given), std::move(right), correct});
}

// ---- decks and topics -----------------------------------------------------------------------

int32_t RaceGame::draw(DeckId id) {
  random_.Randomize();
  const float r = random_.Rnd();
  return deck(id).draw(r, id == DeckId::Cards ? TopicChoice{} : topics_);
}

std::optional<Level> RaceGame::chooseTopics(TopicChoice choice) {
  for (const Level level : {Level::Easy, Level::Hard})
    if (const Deck& d = deck(deckOf(level)); d.size() > 0 && d.allowedBy(choice) == 0) return level;
  topics_ = std::move(choice);
  return std::nullopt;
}

// ---- reports --------------------------------------------------------------------------------

void RaceGame::showTank(int player) {
  if (RaceView* v = view()) v->tankShown(player, playerVars(g_, player).tank);
}

void RaceGame::showCar(int player, Int16 position, bool visible) {
  if (RaceView* v = view()) v->carShown(player, race::shownField(position, b_.ZielFeld), visible);
}

}  // namespace tj
