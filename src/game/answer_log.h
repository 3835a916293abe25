// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace tj {

// The two question levels.
enum class Level : uint8_t { Easy, Hard };

// One question of a game as it was answered.
struct AnsweredQuestion {
  int player = 0;    // 1 or 2; 0 when no player had moved
  std::string name;  // the player's name at the time
  Level level = Level::Easy;
  std::string question;
  std::string given;  // the answer the player chose
  std::string right;  // the right answer
  bool correct = false;
  friend bool operator==(const AnsweredQuestion&, const AnsweredQuestion&) = default;
};

// How many questions of a level a player answered, and how many of them right.
struct Tally {
  int right = 0;
  int asked = 0;
  friend bool operator==(const Tally&, const Tally&) = default;
};

// Every question of the current game in the order it was answered.
class AnswerLog {
 public:
  void add(AnsweredQuestion a) { entries_.push_back(std::move(a)); }
  void clear() { entries_.clear(); }
  const std::vector<AnsweredQuestion>& entries() const { return entries_; }
  Tally tally(int player, Level level) const {
    Tally t;
    for (const AnsweredQuestion& a : entries_)
      if (a.player == player && a.level == level) ++t.asked, t.right += a.correct ? 1 : 0;
    return t;
  }

 private:
  std::vector<AnsweredQuestion> entries_;
};

}  // namespace tj
