// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/deck.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tj {

int32_t recordForDraw(float r, int32_t n) {
  return static_cast<int32_t>(std::floor(static_cast<double>(r) * static_cast<double>(n) + 1.0));
}

void Deck::stock(uint64_t version, const std::vector<std::string>& topics) {
  version_ = version;
  topicNames_.clear();
  topicOf_.clear();
  topicOf_.reserve(topics.size());
  std::map<std::string, uint32_t, std::less<>> index;
  for (const std::string& t : topics) {
    auto [it, added] = index.try_emplace(t, static_cast<uint32_t>(topicNames_.size()));
    if (added) topicNames_.push_back(t);
    topicOf_.push_back(it->second);
  }
  drawn_.assign(topicOf_.size(), 0);
  drawnCount_ = 0;
  last_ = 0;
}

std::vector<char> Deck::allowedTopics(const TopicChoice& choice) const {
  std::vector<char> allowed(topicNames_.size());
  for (std::size_t t = 0; t < topicNames_.size(); ++t) allowed[t] = choice.allows(topicNames_[t]) ? 1 : 0;
  return allowed;
}

int32_t Deck::allowedBy(const TopicChoice& choice) const {
  const std::vector<char> allowed = allowedTopics(choice);
  return static_cast<int32_t>(std::count_if(topicOf_.begin(), topicOf_.end(), [&](uint32_t t) { return allowed[t]; }));
}

int32_t Deck::draw(float r, const TopicChoice& choice) {
  if (topicOf_.empty()) return 0;
  std::vector<char> allowed = allowedTopics(choice);
  if (std::find(allowed.begin(), allowed.end(), 1) == allowed.end()) allowed.assign(allowed.size(), 1);
  const auto n = static_cast<int32_t>(topicOf_.size());
  candidates_.clear();
  for (int32_t k = 0; k < n; ++k)
    if (!drawn_[static_cast<std::size_t>(k)] && allowed[topicOf_[static_cast<std::size_t>(k)]])
      candidates_.push_back(k + 1);
  if (candidates_.empty()) {
    // Every allowed record has been drawn: they go back, all but the last one drawn (unless
    // it is the only one).
    for (int32_t k = 0; k < n; ++k) {
      if (!allowed[topicOf_[static_cast<std::size_t>(k)]]) continue;
      drawn_[static_cast<std::size_t>(k)] = 0;
      --drawnCount_;
      if (k + 1 != last_) candidates_.push_back(k + 1);
    }
    if (candidates_.empty()) candidates_.push_back(last_);
  }
  const auto m = static_cast<int32_t>(candidates_.size());
  const int32_t pick = candidates_[static_cast<std::size_t>(std::clamp(recordForDraw(r, m), 1, m) - 1)];
  drawn_[static_cast<std::size_t>(pick - 1)] = 1;
  ++drawnCount_;
  last_ = pick;
  return pick;
}

std::vector<TopicCount> Deck::topics() const {
  std::vector<TopicCount> counts;
  for (const std::string& t : topicNames_) counts.push_back({t, 0});
  for (uint32_t t : topicOf_) ++counts[t].records;
  return counts;
}

}  // namespace tj
