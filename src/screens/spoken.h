// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "game/race_game.h"

namespace tj::spoken {

// What a screen reader says at each step of the game, in German: first what has just
// happened, then what the player can do. The screens hand these texts to the controls
// that have the focus at that step. The texts read aloud ("Vorlesen", the *Aloud
// functions) are the same without the keys, for a child listening.

// Where one player stands.
struct Stand {
  std::string name;
  int fuel;
  int field;
};

// A roll and the drive it paid for: `fields` driven, `fuel` left, `field` reached.
std::string roll(const std::string& name, int roll, int fields, int fuel, int field, int goal);
// What the race's last roll did (roll() above); empty before the first roll of the run.
std::string lastMove(const RaceGame& race);
// On the board: whose turn it is, how to roll and where both players stand.
std::string turn(const std::string& name, const Stand& p1, const Stand& p2);
// The two levels offered after a move, with the fuel each pays for a right answer.
std::string level(int easyReward, int hardReward);
std::string levelAloud(int easyReward, int hardReward);
// A question with its four answers numbered in reading order, as the screen shows them.
std::string questionAloud(const std::string& text, const std::array<std::string, 4>& answers, int reward);
// The same for a screen reader, once when the question opens: with the keys that answer.
std::string question(const std::string& text, const std::array<std::string, 4>& answers, int reward);
// The name of the answer button in reading place `slot` (0 to 3): "Antwort 2 von 4: im Osten".
std::string answerName(int slot, const std::string& answer);
// The outcome of an answer: on a right one the litres paid and the fuel now in the
// tank, on a wrong one which answer was right.
std::string answer(bool right, const std::string& name, int paid, int fuel, const std::string& rightAnswer);
std::string answerAloud(bool right, const std::string& name, int paid, int fuel, const std::string& rightAnswer);
// An action card: its title and text, and the fuel of the player drawing it once the card
// has acted (no player's when `name` is empty).
std::string card(const std::string& title, const std::string& text, const std::string& name, int fuelAfter);
std::string cardAloud(const std::string& title, const std::string& text, const std::string& name, int fuelAfter);
std::string skip(const std::string& name);
std::string skipAloud(const std::string& name);
std::string winner(const std::string& name);
std::string winnerAloud(const std::string& name);
std::string turnAloud(const std::string& name);
// The setup: the name box's name while player 1 or 2 types, the instruction shown, for the
// name box and for the cars.
std::string nameBoxName(int player);
std::string nameBox(const std::string& instruction);
std::string carChoice(const std::string& instruction);

}  // namespace tj::spoken
