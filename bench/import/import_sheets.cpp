// SPDX-License-Identifier: GPL-3.0-or-later
// Imports 10,000 questions from a spreadsheet CSV (';', quoted cells with the delimiter
// and line breaks, a level column), from the same rows as .xlsx (shared strings) and as
// .ods, and saves them as the game's database; beside it, the time to open the three
// tables of the shipped database next to this program, and for the spreadsheets the CSV
// import of the same run. Prints tab-separated figures (name, value, unit, reference,
// ratio).
//
// Usage: bench-import [QUESTIONS]   (default 10000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// Every tenth question holds the delimiter and a line break, every answer a quote.
std::vector<std::vector<std::string>> rows(int questions) {
  std::vector<std::vector<std::string>> out{{kColumnHeadings.begin(), kColumnHeadings.end()}};
  for (int i = 0; i < questions; ++i) {
    const std::string n = std::to_string(i);
    out.push_back(
        {i % 10 == 0 ? "Welche Zahl folgt; nach\n" + n + "?" : "Wie heißt die Antwort auf die Frage Nummer " + n + "?",
         "richtig " + n, "falsch " + n, "daneben \"" + n + "\"", "weit weg " + n, i % 2 ? "schwer" : "leicht"});
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
  const auto table = rows(questions);
  writeCsv(input, table);
  const fs::path xlsx = dir / "fragen.xlsx", ods = dir / "fragen.ods";
  writeWorkbook(xlsx, table);
  writeWorkbook(ods, table);

  double openMs = 0;
  if (fs::exists(shipped)) {
    openMs = medianMs(5, [&] { readSet(shipped); });
  }
  ImportResult result, fromXlsx, fromOds;
  const double importMs = medianMs(3, [&] { result = importFile(input); });
  const double xlsxMs = medianMs(3, [&] { fromXlsx = importFile(xlsx); });
  const double odsMs = medianMs(3, [&] { fromOds = importFile(ods); });
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
  std::printf("# %zu of %d questions imported, %zu skipped (.xlsx: %zu, .ods: %zu)\n", result.accepted.size(),
              questions, result.skipped.size(), fromXlsx.accepted.size(), fromOds.accepted.size());
  std::printf("import %d questions from CSV (median of 3)\t%.1f\tms\t%s\t%s\n", questions, importMs, reference.c_str(),
              ratio(importMs).c_str());
  for (const auto& [name, ms] : {std::pair{".xlsx", xlsxMs}, std::pair{".ods", odsMs}})
    std::printf(
        "import %d questions from %s (median of 3)\t%.1f\tms\t%.1f ms the same from CSV\t%.2fx; target < 1000 ms\n",
        questions, name, ms, importMs, ms / importMs);
  std::printf("save %d imported questions (median of 3)\t%.1f\tms\t%s\t%s\n", questions, saveMs, reference.c_str(),
              ratio(saveMs).c_str());
  return 0;
}
