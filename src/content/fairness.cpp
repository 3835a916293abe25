// SPDX-License-Identifier: GPL-3.0-or-later
// How much the answers give away: where a numeric right answer ranks among the four,
// and how often the right answer is the longest.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "content/rules.h"

namespace tj::content {

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// 0 .. 99 written as one German word: "null", "zwölf", "siebzehn", "einundzwanzig", "neunzig".
std::optional<long> below100(std::string_view w) {
  static const std::pair<std::string_view, long> kSmall[] = {
      {"null", 0},      {"eins", 1},      {"ein", 1},       {"eine", 1},      {"zwei", 2},      {"drei", 3},
      {"vier", 4},      {"fünf", 5},      {"sechs", 6},     {"sieben", 7},    {"acht", 8},      {"neun", 9},
      {"zehn", 10},     {"elf", 11},      {"zwölf", 12},    {"dreizehn", 13}, {"vierzehn", 14}, {"fünfzehn", 15},
      {"sechzehn", 16}, {"siebzehn", 17}, {"achtzehn", 18}, {"neunzehn", 19}, {"zwanzig", 20},  {"dreißig", 30},
      {"vierzig", 40},  {"fünfzig", 50},  {"sechzig", 60},  {"siebzig", 70},  {"achtzig", 80},  {"neunzig", 90}};
  for (const auto& [word, value] : kSmall)
    if (w == word) return value;
  if (const auto und = w.find("und"); und != std::string_view::npos && und > 0) {
    const auto ones = below100(w.substr(0, und));
    const auto tens = below100(w.substr(und + 3));
    if (ones && tens && *ones >= 1 && *ones <= 9 && *tens >= 20 && *tens % 10 == 0) return *ones + *tens;
  }
  return std::nullopt;
}

// `w` as "<n>" + unit word + "<rest>", e.g. "dreihundertzwölf" with "hundert"; empty parts
// mean one of the unit and nothing after it.
std::optional<long> withUnit(std::string_view w, std::string_view unit, long size, auto below) {
  const auto at = w.find(unit);
  if (at == std::string_view::npos) return below(w);
  const auto left = w.substr(0, at), right = w.substr(at + unit.size());
  const auto count = left.empty() ? std::optional<long>(1) : below(left);
  const auto rest = right.empty() ? std::optional<long>(0) : below(right);
  if (!count || !rest || *count < 1 || *rest >= size) return std::nullopt;
  return *count * size + *rest;
}

std::optional<long> below1000(std::string_view w) { return withUnit(w, "hundert", 100, below100); }
std::optional<long> numberWord(std::string_view w) { return withUnit(w, "tausend", 1000, below1000); }

// Longer digit strings are no answer a player compares; stod would also throw beyond double.
constexpr std::size_t kLongestNumber = 20;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits as written in German: "7", "-3", "10.000", "3,5".
std::optional<double> digits(std::string_view w) {
  std::string plain;
  std::size_t i = 0;
  if (i < w.size() && (w[i] == '-' || w[i] == '+')) plain += w[i++];
  bool any = false, comma = false;
  for (; i < w.size(); ++i) {
    const char c = w[i];
    if (c >= '0' && c <= '9') {
      plain += c;
      any = true;
    } else if (c == '.' && !comma && any && i + 3 < w.size() && isDigit(w[i + 1]) && isDigit(w[i + 2]) &&
               isDigit(w[i + 3]) && (i + 4 == w.size() || w[i + 4] == '.' || w[i + 4] == ',')) {
      continue;  // thousands point
    } else if (c == ',' && !comma && any) {
      plain += '.';
      comma = true;
    } else {
      return std::nullopt;
    }
  }
  if (!any || plain.size() > kLongestNumber) return std::nullopt;
  return std::stod(plain);
}

struct Value {
  double number;
  std::string unit;  // the words after the number, e.g. "Jahre"
};

// "54", "10.000 km", "zwölf", "zwei Millionen", "drei Tage"; nothing when no number leads.
std::optional<Value> numericValue(const std::string& answer) {
  std::vector<std::string> words;
  std::size_t start = 0;
  const std::string text = lower(answer);
  while (start < text.size()) {
    const auto end = text.find(' ', start);
    if (end != start) words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (words.empty()) return std::nullopt;
  std::optional<double> n = digits(words[0]);
  if (!n)
    if (const auto w = numberWord(words[0])) n = static_cast<double>(*w);
  if (!n) return std::nullopt;
  std::size_t next = 1;
  if (next < words.size()) {
    const std::string& w = words[next];
    if (startsWith(w, "million"))
      *n *= 1e6, ++next;
    else if (startsWith(w, "milliarde"))
      *n *= 1e9, ++next;
    else if (w == "tausend")
      *n *= 1e3, ++next;
  }
  Value v{*n, {}};
  for (; next < words.size(); ++next) v.unit += (v.unit.empty() ? "" : " ") + words[next];
  return v;
}

std::size_t characters(const std::string& s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

int percent(double share) { return static_cast<int>(std::lround(share * 100)); }

}  // namespace

Fairness measureFairness(const std::vector<data::Question>& questions) {
  Fairness f;
  std::array<int, 4> ranks{};
  double longest = 0;
  for (const data::Question& q : questions) {
    ++f.questionCount;
    const std::array<const std::string*, 4> answers{&q.right, &q.wrong[0], &q.wrong[1], &q.wrong[2]};
    std::size_t maxLength = 0;
    for (const auto* a : answers) maxLength = std::max(maxLength, characters(*a));
    const auto tied =
        std::count_if(answers.begin(), answers.end(), [&](auto* a) { return characters(*a) == maxLength; });
    if (characters(q.right) == maxLength) longest += 1.0 / static_cast<double>(tied);

    std::array<double, 4> values{};
    bool numeric = true;
    std::optional<std::string> unit;
    for (std::size_t i = 0; i < 4 && numeric; ++i) {
      const auto v = numericValue(*answers[i]);
      numeric = v && (!unit || *unit == v->unit);
      if (numeric) values[i] = v->number, unit = v->unit;
    }
    if (!numeric) continue;
    auto sorted = values;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) continue;  // two equal values
    ++f.numericCount;
    ++ranks[static_cast<std::size_t>(
        std::count_if(values.begin(), values.end(), [&](double v) { return v < values[0]; }))];
  }
  if (f.numericCount > 0)
    for (std::size_t r = 0; r < 4; ++r) f.rankShare[r] = static_cast<double>(ranks[r]) / f.numericCount;
  if (f.questionCount > 0) f.longestShare = longest / f.questionCount;
  return f;
}

std::vector<Problem> checkFairness(const std::vector<data::Question>& questions, Table table) {
  static const char* const kRank[4] = {"die kleinste", "die zweitkleinste", "die zweitgrößte", "die größte"};
  const Fairness f = measureFairness(questions);
  std::vector<Problem> out;
  const auto band = [](double min, double max) {
    return " (ausgewogen: " + std::to_string(percent(min)) + " bis " + std::to_string(percent(max)) + " %).";
  };
  if (f.numericCount >= kFewQuestions) {
    for (std::size_t r = 0; r < 4; ++r) {
      if (f.rankShare[r] >= kRankShareMin && f.rankShare[r] <= kRankShareMax) continue;
      out.push_back({table, -1, -1,
                     "Die richtige Antwort ist in " + std::to_string(percent(f.rankShare[r])) + " % der " +
                         std::to_string(f.numericCount) + " Zahlenfragen " + kRank[r] + " Zahl" +
                         band(kRankShareMin, kRankShareMax),
                     false});
    }
  }
  if (f.questionCount >= kFewQuestions && (f.longestShare < kLongestShareMin || f.longestShare > kLongestShareMax))
    out.push_back({table, -1, -1,
                   "Die richtige Antwort ist in " + std::to_string(percent(f.longestShare)) +
                       " % der Fragen die längste" + band(kLongestShareMin, kLongestShareMax),
                   false});
  return out;
}

}  // namespace tj::content
