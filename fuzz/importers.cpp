// SPDX-License-Identifier: GPL-3.0-or-later
#include "importers.h"

#include <cstdlib>
#include <string_view>

#include "content/rules.h"
#include "data/import.h"

namespace tj::fuzz::importers {

namespace {

// Every accepted question can be played: a text and four answers, each on one line.
void checkAccepted(const data::ImportResult& result) {
  std::vector<data::Question> questions;
  for (const auto& a : result.accepted) {
    const data::Question& q = a.question;
    for (const std::string* s : {&q.text, &q.right, &q.wrong[0], &q.wrong[1], &q.wrong[2]})
      if (s->empty() || s->find('\n') != std::string::npos) std::abort();
    questions.push_back(q);
  }
  content::measureFairness(questions);
  data::reportText(result);
}

// A sheet's rows are numbered ascending from 1, one number per row, and none is empty.
void checkGrid(const data::Grid& grid) {
  if (grid.lines.size() != grid.rows.size()) std::abort();
  for (std::size_t r = 0; r < grid.rows.size(); ++r)
    if (grid.lines[r] < 1 || (r > 0 && grid.lines[r] <= grid.lines[r - 1]) || grid.rows[r].empty()) std::abort();
  checkAccepted(data::importGrid(grid, data::guessColumns(grid)));
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const data::FileKind kind = data::fileKind(bytes);
    if (data::isSpreadsheet(kind)) {
      const auto names = data::sheetNames(bytes, kind, "eingabe");
      for (std::size_t i = 0; i < names.size() && i < 3; ++i) checkGrid(data::readSheet(bytes, kind, i, "eingabe"));
    }
  } catch (const data::ImportError&) {
  }
  try {
    const data::Grid grid = data::readGrid(bytes, "eingabe.csv");
    checkAccepted(data::importGrid(grid, data::guessColumns(grid)));
  } catch (const data::ImportError&) {
  }
  try {
    const std::string text = data::decodeText(bytes, "eingabe.txt").text;
    checkAccepted(data::importAiken(text, "eingabe.txt"));
    checkAccepted(data::importGift(text, "eingabe.gift"));
  } catch (const data::ImportError&) {
  }
  return 0;
}

}  // namespace tj::fuzz::importers
