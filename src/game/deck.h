// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tj {

// The random record choice: k = floor(r * n + 1) in double precision, as int32. For r in
// [0, 1) and n >= 1 the result lies in 1..n.
int32_t recordForDraw(float r, int32_t n);

// Which topics the questions come from: every topic but the excluded ones, so that all are
// chosen at first and a topic that a changed set brings along is chosen too. "" stands for
// the questions without a topic.
struct TopicChoice {
  std::set<std::string> excluded;
  bool allows(const std::string& topic) const { return !excluded.contains(topic); }
  friend bool operator==(const TopicChoice&, const TopicChoice&) = default;
};

// How many records of a deck carry one topic.
struct TopicCount {
  std::string topic;  // "" for the records without one
  int32_t records = 0;
  friend bool operator==(const TopicCount&, const TopicCount&) = default;
};

// The records 1..n of one table as a shuffled deck: every draw picks one of the records
// that have not been drawn since the deck was last full, among those whose topic the
// choice allows. When none of those is left the deck is full again, and the record drawn
// last is not drawn first. A deck belongs to one version of its table; stocking it with
// another version starts it anew.
class Deck {
 public:
  // Whether the deck holds the records of table version `version` (0 is no version).
  bool holds(uint64_t version) const { return version != 0 && version_ == version; }
  // The records of table version `version`, with the topic of each in stored order ("" for
  // none): all undrawn, nothing drawn last.
  void stock(uint64_t version, const std::vector<std::string>& topics);
  int32_t size() const { return static_cast<int32_t>(topicOf_.size()); }

  // Draws with r in [0, 1): record Int(r * m + 1) of the m drawable records in stored order.
  // A choice that allows no record at all (the set changed since it was made) counts as
  // allowing every one. Returns the record, 1..size(); 0 for an empty deck.
  int32_t draw(float r, const TopicChoice& choice);
  // The records drawn since the deck was last full, in no particular order of drawing.
  int32_t drawnCount() const { return drawnCount_; }

  // The topics of the records in the order they first appear, with their counts.
  std::vector<TopicCount> topics() const;
  // How many records the choice allows.
  int32_t allowedBy(const TopicChoice& choice) const;

 private:
  std::vector<char> allowedTopics(const TopicChoice& choice) const;

  uint64_t version_ = 0;
  std::vector<std::string> topicNames_;  // distinct, in order of first appearance
  std::vector<uint32_t> topicOf_;        // per record: index into topicNames_
  std::vector<char> drawn_;              // per record
  int32_t drawnCount_ = 0;
  int32_t last_ = 0;                 // the record drawn last, 0 for none
  std::vector<int32_t> candidates_;  // reused by every draw
};

}  // namespace tj
