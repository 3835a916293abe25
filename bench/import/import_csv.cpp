// SPDX-License-Identifier: GPL-3.0-or-later
// Imports 10,000 questions from a spreadsheet CSV (';', quoted cells with the delimiter
// and line breaks, a level column) and saves them as the game's database; beside it, the
// time to open the three tables of the shipped database next to this program. Prints
// tab-separated figures (name, value, unit, reference, ratio).
//
// Usage: bench-import [QUESTIONS]   (default 10000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "median.h"
#include "data/import.h"
#include "data/set_file.h"

namespace {

namespace fs = std::filesystem;
using namespace tj::data;

std::string csv(int questions) {
  std::string out = "Frage;Richtige Antwort;Falsch 1;Falsch 2;Falsch 3;Stufe\r\n";
  for (int i = 0; i < questions; ++i) {
    const std::string n = std::to_string(i);
    if (i % 10 == 0)
      out += "\"Welche Zahl folgt; nach\r\n" + n + "?\"";
    else
      out += "Wie heißt die Antwort auf die Frage Nummer " + n + "?";
    out += ";richtig " + n + ";falsch " + n + ";\"daneben \"\"" + n + "\"\"\";weit weg " + n + ";" +
           (i % 2 ? "schwer" : "leicht") + "\r\n";
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const int questions = argc > 1 ? std::atoi(argv[1]) : 10000;
  std::error_code ec;
  const fs::path here = fs::read_symlink("/proc/self/exe", ec).parent_path();
  const fs::path shipped = here / "mdbZielflagge.mdb";
  const fs::path dir = fs::temp_directory_path() / ("bench-import-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path input = dir / "fragen.csv", output = dir / "fragen.mdb";
  std::ofstream(input, std::ios::binary) << csv(questions);

  double openMs = 0;
  if (fs::exists(shipped)) {
    openMs = medianMs(5, [&] { readSet(shipped); });
  }
  ImportResult result;
  const double importMs = medianMs(3, [&] { result = importFile(input); });
  QuestionSet set;
  for (const auto& q : result.accepted) (q.level == Level::Hard ? set.hard : set.easy).push_back(q.question);
  set.cards.push_back({"+2", "Rückenwind", "Zwei Felder vor.", "5"});
  const double saveMs = medianMs(3, [&] { saveSet(output, set); });
  fs::remove_all(dir, ec);

  const std::string reference = openMs > 0 ? std::to_string(openMs).substr(0, 6) + " ms open the shipped set"
                                           : std::string("(no shipped database beside the program)");
  const auto ratio = [&](double ms) {
    return openMs > 0 ? std::to_string(ms / openMs).substr(0, 6) + "x" : std::string("-");
  };
  std::printf("# %zu of %d questions imported, %zu skipped\n", result.accepted.size(), questions,
              result.skipped.size());
  std::printf("import %d questions from CSV (median of 3)\t%.1f\tms\t%s\t%s\n", questions, importMs, reference.c_str(),
              ratio(importMs).c_str());
  std::printf("save %d imported questions (median of 3)\t%.1f\tms\t%s\t%s\n", questions, saveMs, reference.c_str(),
              ratio(saveMs).c_str());
  return 0;
}
