// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/int16.h"
#include "game/random.h"

namespace tj::race {

// The die: r in [0, 1) gives r * 5 + 1 in single precision, rounded to the nearest whole
// number with an exact half going to the even neighbour. Result 1 to 6; 1 and 6 are half
// as likely as 2 to 5.
int rollFromR(float r);

// The start player of a game: floor(2r + 1), so 1 for r < 0.5 and 2 otherwise.
int startPlayerFromR(float r);

// The action-card draw: n = Int(r * 100 + 1), a whole number from 1 to 100.
int cardNumberFromR(float r);

// The track field whose picture shows a car at `position`: min(position, goal), and never
// below 0, so every index lies in 0..goal.
int shownField(Int16 position, Int16 goal);

// The outcome of driving one roll with the fuel in the tank.
struct Drive {
  Int16 steps;        // fields driven: the step label's final number
  bool stepsWritten;  // false only when the roll was below 1 (no step was counted)
  Int16 tank;         // fuel left, never below 0
  bool tankWritten;   // false when the tank was empty before the first field
};

// Pays `perField` litres for each of the `roll` fields, as far as the tank allows. The
// field on which the tank runs dry is still driven; with an empty tank the car stays.
// With one litre per field: min(roll, tank) fields, fuel down by as much.
Drive drive(int roll, Int16 tank, Int16 perField);

// What follows a move.
enum class FieldEvent { None, Question, Card };

// The inputs of the decision after a move; the first-event flags are updated in place.
struct FieldEventState {
  bool spielEnde;  // the move won the race
  Flag& ersterZug1;
  Flag& ersterZug2;
  Int16 spielerAmZug;  // already the player whose turn comes next
  Int16 position1;
  Int16 position2;
  Int16 goal;
};

// Each player's first event is a question. After that, while both cars stand on field
// goal - 5 or lower, one value r is drawn (no reseed) and n <= 10 gives a card; otherwise,
// and whenever a car is past that field (no draw at all), a question. No event after a win.
FieldEvent decideFieldEvent(FieldEventState s, Random& random);

}  // namespace tj::race
