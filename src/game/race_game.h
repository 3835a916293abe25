// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "game/answer_log.h"
#include "game/cards.h"
#include "game/deck.h"
#include "game/game_state.h"
#include "game/race.h"
#include "game/random.h"

namespace tj {

// The tables records are drawn from, each with a deck of its own.
enum class DeckId : uint8_t { Easy, Hard, Cards };
inline DeckId deckOf(Level level) { return level == Level::Easy ? DeckId::Easy : DeckId::Hard; }

// What the race shows on the board, told the moment it happens. The board implements it;
// every call names a player (1 or 2) or a field of the track.
class RaceView {
 public:
  virtual ~RaceView() = default;
  virtual void nameSet(int player, const std::string& name) = 0;
  virtual void tankShown(int player, Int16 fuel) = 0;
  // The car picture of `player` on `field` (0..goal) shows or hides.
  virtual void carShown(int player, int field, bool visible) = 0;
  // The car picture of `player` on `field` moves down by `twips` (up when negative).
  virtual void carShifted(int player, int field, int twips) = 0;
  // The hidden value holders: the last roll and the fields driven in this move.
  virtual void rollShown(int player, Int16 roll) = 0;
  virtual void stepsShown(int player, Int16 steps) = 0;
  // The die shows no face (a new game, or the board's first showing).
  virtual void dieCleared() = 0;
  // The player's car colour (0 blue .. 3 white) was chosen: its pictures go on the track.
  virtual void carChosen(int player, int colour) = 0;
  // Both players are set up: the board comes into view.
  virtual void setupDone() = 0;
};

// What one roll of the die did, for the board and for what is said about it.
struct MoveReport {
  int player = 0;
  int roll = 0;
  int steps = 0;  // fields driven
  int fuel = 0;   // litres left
  int field = 0;  // the field the car is shown on
  bool won = false;
};

// The race of one run of the program: the game variables and the board's variables, the
// start values of a game, the die turn with its fuel rule, the rewards, the action cards,
// skipping a turn and whether the start player of this game has been drawn; the decks the
// questions and cards are drawn from, the players' choice of topics and every answer of
// the current game. The screens show it and ask it; it tells the board what to show
// through RaceView.
class RaceGame {
 public:
  static constexpr int kStartFuel = 10;
  static constexpr int kFuelPerField = 1;
  static constexpr int kRewardEasy = 2;
  static constexpr int kRewardHard = 4;

  explicit RaceGame(Random& random) : random_(random) {}

  // Where the reports go: `board` is asked for the view on every report and may load the
  // board first (the first report of a run brings the board into being, hidden). Without
  // one, or when it gives nullptr, nothing is shown.
  void setView(std::function<RaceView*()> board) { view_ = std::move(board); }

  // The variables as they stand. Screens read them; only tests and tools set up a position
  // through the writable forms, the screens change the race through the operations below.
  const GameState& state() const { return g_; }
  GameState& state() { return g_; }
  const BoardVars& vars() const { return b_; }
  BoardVars& vars() { return b_; }

  // ---- a game -------------------------------------------------------------------------------

  // The board has just been loaded: its variables start at 0, no car has won, and the start
  // values of a game hold.
  void boardLoaded();
  // "neues Spiel": every car picture hidden, the rolls and the four counters 0, the start
  // values again, an empty die and no answers yet. Names, the last mover, the end flag, the
  // car shift, the decks and the topic choice stay as they are.
  void newGame();
  // The board became the active window: the cars on one field are drawn apart and, the first
  // time in a game, the start player is drawn (reseeded). The game counts as started then.
  void boardActivated();
  // A dialog of a running game is showing: no new start player when the board comes back.
  void markStarted() { g_.SpielGestartet = 1; }

  // The setup: a confirmed name, a chosen car colour, and both players ready.
  void setName(int player, const std::string& name);
  void chooseCar(int player, int colour);
  void setupDone();

  // ---- the die turn -------------------------------------------------------------------------

  // 1 when player 1's die button is due, 2 otherwise.
  int playerOnTurn() const { return b_.SpielerAmZug == 1 ? 1 : 2; }
  // The player must sit this turn out (an action card said so).
  bool mustSkip(int player) const;
  // The skip is served: the flag is cleared and the turn passes.
  void serveSkip(int player);
  // Reseed, roll, lift the car, drive as far as roll and fuel allow, pay one litre a field,
  // put the car on its new field. At or past the goal the race is won (the end flag is set
  // until passTurn).
  MoveReport rollAndDrive(int player);
  // The last roll's report; player 0 before the first roll of a run.
  const MoveReport& lastMove() const { return last_; }
  // Draws the two cars apart when they share a field, after undoing the last such shift.
  void separateCars();
  // After the move: true when a question or a card follows (the turn has passed to the
  // other player); false after a winning move, whose end flag is cleared here.
  bool passTurn(int player);
  // Question or card after a move, and the first-event flags; draws without reseeding.
  race::FieldEvent fieldEvent();

  // ---- questions and cards ------------------------------------------------------------------

  // What a right answer of the level pays now.
  Int16 reward(Level level) const { return level == Level::Easy ? g_.BelohnungLeicht : g_.BelohnungSchwer; }
  // A right answer: the reward goes into the tank of the player who moved last (no one's
  // when the last mover is unknown), held at the 16-bit limit.
  void payReward(Level level);
  // The card `code` for the player who moved last, then no tank below 0 and both tanks
  // shown; a moved car is lifted, put down and the cars drawn apart. The game counts as
  // started afterwards.
  std::optional<CardMove> applyCard(std::string_view code);
  // The fuel the player who moved last will have once the card `code` has acted (0 when
  // the last mover is unknown); the race itself stays as it is.
  int fuelAfterCard(std::string_view code) const;

  // The player who moved last (1 or 2), 0 before the first move of the run.
  int lastMover() const { return playerFor(g_.AktiverSpieler); }

  // A question was answered by the player who moved last: a right answer pays its reward,
  // and the answer goes into the record of this game.
  void answer(Level level, std::string question, std::string given, std::string right, bool correct);
  // Every question answered in this game, in order.
  const AnswerLog& answers() const { return answers_; }

  // ---- decks and topics ---------------------------------------------------------------------

  // The deck of a table; the caller stocks it when it does not hold the table's version.
  Deck& deck(DeckId id) { return decks_[static_cast<std::size_t>(id)]; }
  // Reseeds, draws r and takes the next record of the deck (Deck::draw): questions follow
  // the topic choice, cards do not. 0 when the deck is empty.
  int32_t draw(DeckId id);
  // The topics the questions come from; all at first, kept for the whole run.
  const TopicChoice& topicChoice() const { return topics_; }
  // Takes the choice, unless it leaves a question deck that has records without one: then
  // the old choice stays and that level is returned. The decks must be stocked.
  std::optional<Level> chooseTopics(TopicChoice choice);

 private:
  RaceView* view() const { return view_ ? view_() : nullptr; }
  void startValues();
  void showTank(int player);
  void showCar(int player, Int16 position, bool visible);

  Random& random_;
  std::function<RaceView*()> view_;
  GameState g_;
  BoardVars b_;
  MoveReport last_;
  std::array<Deck, 3> decks_;
  TopicChoice topics_;
  AnswerLog answers_;
};

}  // namespace tj
