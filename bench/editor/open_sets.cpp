// SPDX-License-Identifier: GPL-3.0-or-later
// bench-question-sets [RUNS]: opening a question set of 10,000 questions and checking it
// by the content rules (what the editor does on opening), each beside the same for the
// shipped set; and the shipped set's first check, every text measured, beside opening it.
// Prints "name<TAB>value<TAB>unit<TAB>reference<TAB>ratio" lines.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "median.h"
#include "content/rules.h"
#include "data/set_file.h"

namespace {

namespace fs = std::filesystem;

// Questions of realistic length, all different, answers distinct.
tj::data::QuestionSet largeSet(const tj::data::QuestionSet& shipped, int count) {
  tj::data::QuestionSet set;
  set.cards = shipped.cards;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    tj::data::Question q{"Frage Nummer " + n + ": Wie heißt die Hauptstadt des Landes mit der Kennung " + n + "?",
                         {"Stadt A" + n, "Stadt B" + n, "Stadt C" + n},
                         "Stadt D" + n};
    (i % 2 ? set.hard : set.easy).push_back(std::move(q));
  }
  return set;
}

// The set with every text made new (the rules measure each text only once): `tag` before
// each, so a check measures all of them again.
tj::data::QuestionSet retold(tj::data::QuestionSet set, const std::string& tag) {
  for (auto* level : {&set.easy, &set.hard})
    for (auto& q : *level) {
      q.text = tag + q.text;
      for (auto& w : q.wrong) w = tag + w;
      q.right = tag + q.right;
    }
  for (auto& c : set.cards) c.title = tag + c.title, c.text = tag + c.text;
  return set;
}

void row(const char* name, double value, double reference, const char* referenceName) {
  std::printf("%s\t%.1f\tms\t%.1f ms %s\t%.1fx\n", name, value, reference, referenceName,
              reference > 0 ? value / reference : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
#ifdef TJ_SHIPPED_DATABASE
  const fs::path shippedFile = TJ_SHIPPED_DATABASE;
#else
  const fs::path shippedFile = "mdbZielflagge.mdb";
#endif
  const tj::data::QuestionSet shipped = tj::data::readSet(shippedFile).set;
  const fs::path big = fs::temp_directory_path() / "tj-bench-10000.mdb";
  tj::data::saveSet(big, largeSet(shipped, 10000));

  const double openShipped = medianMs(runs, [&] { (void)tj::data::readSet(shippedFile); });
  const double openBig = medianMs(runs, [&] { (void)tj::data::readSet(big); });
  const tj::data::QuestionSet bigSet = tj::data::readSet(big).set;
  std::vector<tj::data::QuestionSet> unmeasured;
  for (int i = 0; i < runs; ++i) unmeasured.push_back(retold(shipped, std::to_string(i) + " "));
  std::size_t next = 0;
  const double firstCheck = medianMs(runs, [&] { (void)tj::content::checkSet(unmeasured.at(next++)); });
  const double checkShipped = medianMs(runs, [&] { (void)tj::content::checkSet(shipped); });
  const double checkBig = medianMs(runs, [&] { (void)tj::content::checkSet(bigSet); });
  const double saveBig = medianMs(runs, [&] { tj::data::saveSet(big, bigSet); });
  fs::remove(big);

  const std::string shippedName =
      "shipped set (" + std::to_string(shipped.easy.size() + shipped.hard.size()) + " questions)";
  row("open a set of 10,000 questions", openBig, openShipped, ("open " + shippedName).c_str());
  row("check a set of 10,000 questions (editor, after each change)", checkBig, checkShipped,
      ("check " + shippedName).c_str());
  row("first check of the shipped set (every text measured)", firstCheck, openShipped, ("open " + shippedName).c_str());
  row("save a set of 10,000 questions", saveBig, openShipped, ("open " + shippedName).c_str());
  return 0;
}
