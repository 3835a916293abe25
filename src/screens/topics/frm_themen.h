// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "game/deck.h"
#include "screens/screen.h"

namespace tj {

// One topic of the question set, with how many easy and hard questions carry it.
struct TopicRow {
  std::string topic;  // "" for the questions without one
  int32_t easy = 0;
  int32_t hard = 0;
  friend bool operator==(const TopicRow&, const TopicRow&) = default;
};

// The topics of both question decks in the order they first appear, easy ones first.
std::vector<TopicRow> topicRows(const Deck& easy, const Deck& hard);

// The choice of topics: a check box per topic of the set with its number of easy and hard
// questions, ticked as the race's choice stands. "Übernehmen" makes the ticked topics the
// choice for the rest of the run, unless a level would be left without a question (a
// message says which, and the window stays); "Abbrechen" keeps the choice. A set without
// topics, or one that cannot be read, is told in a message instead and the window closes.
class FrmThemen final : public Screen {
 public:
  static constexpr const char* kName = "frmThemen";
  // Check boxes shown at once; more topics scroll.
  static constexpr int kVisibleRows = 12;
  explicit FrmThemen(App& app);

  void Form_Activate() override;

  Element& lblFrage;
  Element& fraThemen;
  Element& cmdAlle;
  Element& cmdUebernehmen;
  Element& cmdAbbrechen;
  Element& chkThema(int i) { return *chkThema_.at(static_cast<std::size_t>(i)); }
  int topicCount() const { return static_cast<int>(topics_.size()); }

 private:
  // The topics of the set, or why there is nothing to choose.
  struct Loaded {
    std::vector<TopicRow> rows;
    std::optional<std::string> message;
  };
  static Loaded load(App& app);
  FrmThemen(App& app, Loaded loaded);
  void cmdUebernehmen_Click();

  std::vector<TopicRow> topics_;
  std::vector<Element*> chkThema_;
  std::optional<std::string> message_;  // instead of the choice, once the window shows
};

}  // namespace tj
