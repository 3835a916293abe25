// SPDX-License-Identifier: GPL-3.0-or-later
// Whole scripted games through the screen model alone: the scripted event loop with
// virtual time, fake pictures, and a random agent that clicks any button or picture a
// person could click on the top screen. The questions and action cards come from the
// shipped database beside this program when it is there, else from a small table in
// memory. Prints tab-separated figures (name, value, unit, reference, ratio/target).
//
// Usage: bench-model-games [GAMES]   (default 200)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/question_set.h"
#include "data/store.h"
#include "support/harness.h"

namespace {

using namespace tj;
using namespace tj::testing;

std::filesystem::path programFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

data::Recordset memoryTable(std::string_view table) {
  if (table == data::kCardTable) {
    data::TableSnapshot snap{{data::kCardFields.begin(), data::kCardFields.end()}, {}};
    for (const char* code : {"+10L", "-5L", "+2", "-4", "P"})
      for (const char* c : {code, "Titel", "Text", "1"}) snap.cells.emplace_back(c);
    return data::Recordset("memory", std::string(table), std::move(snap));
  }
  data::TableSnapshot snap{{data::kQuestionFields.begin(), data::kQuestionFields.end()}, {}};
  for (const char* c : {"Frage?", "falsch1", "falsch2", "falsch3", "richtig"}) snap.cells.emplace_back(c);
  return data::Recordset("memory", std::string(table), std::move(snap));
}

// Clicks a random element a person could use on the top screen; types a name into an
// empty text box; lets virtual time pass while a timer of the top screen runs.
struct RandomAgent {
  int games;
  int won = 0;
  long actions = 0;
  std::mt19937 rnd{2024};

  bool operator()(ScriptLoop& s) {
    Screen* top = s.app().forms.top();
    if (!top) return false;
    ++actions;
    const std::string n = top->name();
    if (n == "frmGewonnen") return s.tryClick(n, ++won < games ? "cmdNeu" : "cmdEnde");
    // While something moves (countdown, a car driving out) the player watches.
    for (const auto& e : top->elements())
      if (e->kind() == ElementKind::Timer && e->TimerEnabled()) {
        s.advance(std::max<int64_t>(1, e->Interval()));
        return true;
      }
    std::vector<Element*> choices;
    for (const auto& e : top->elements()) {
      if (!e->Visible() || !e->Enabled()) continue;
      if (e->kind() == ElementKind::TextBox && e->Caption().empty()) {
        s.app().typeText(*e, rnd() % 2 ? "Anna" : "Bert");
        return true;
      }
      if ((e->kind() == ElementKind::Button || e->kind() == ElementKind::Picture) && e->Click)
        choices.push_back(e.get());
    }
    std::shuffle(choices.begin(), choices.end(), rnd);
    for (Element* e : choices)
      if (s.tryClick(n, e->name())) return true;
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const std::filesystem::path db = programFolder() / "mdbZielflagge.mdb";
  const bool real = std::filesystem::exists(db);

  Harness h;
  for (const std::string_view t : {data::kEasyTable, data::kHardTable, data::kCardTable}) {
    const std::string table(t);
    if (real)
      h.tables[table] = [db, table] { return data::openTable(db, table); };
    else
      h.tables[table] = [table] { return memoryTable(table); };
  }
  h.loop.autoOk = true;
  RandomAgent agent{games};
  h.loop.agent = [&](ScriptLoop& s) { return agent(s); };

  const auto t0 = std::chrono::steady_clock::now();
  try {
    h.loop.runMain();
  } catch (const ScriptStall& e) {
    std::fprintf(stderr, "stalled: %s\n", e.message.c_str());
    return 1;
  }
  const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("# %d games, %ld agent actions, %llu events, questions from %s\n", agent.won, agent.actions,
              static_cast<unsigned long long>(h.loop.eventsRun()), real ? db.c_str() : "memory");
  std::printf("scripted games per second (model only)\t%.1f\tgames/s\t%s\t%.0f events/s\n", agent.won / secs,
              real ? "random agent, shipped database" : "random agent, questions in memory", h.loop.eventsRun() / secs);
  return 0;
}
