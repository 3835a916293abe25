// SPDX-License-Identifier: GPL-3.0-or-later
// One question drawn the way a question dialog draws it: the table handed out by the store
// (a shared reading, as the store's cache gives it), the generator reseeded from the clock,
// one value drawn, the record taken and its five fields read. The deck's draw (a record not
// yet asked, of the chosen topics) beside a draw of any record in the same run; and the
// first draw after the file has changed, when the deck takes the table's records anew.
// Prints tab-separated figures (name, value, unit, reference, ratio).
//
// Usage: bench-draw [QUESTIONS]   (default 10000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "screens/record_dialog.h"
#include "screens/app.h"
#include "support/script_loop.h"

namespace {

using namespace tj;

constexpr const char* kFields[] = {"Antwort1", "Antwort2", "Antwort3", "Antwort Richtig", "Frage"};
const char* const kTopics[] = {"Erdkunde", "Geschichte", "Natur und Tiere", "Sport und Spiel", "Mathematik"};

data::Recordset questions(int n) {
  data::TableSnapshot snap{{"Frage", "Antwort1", "Antwort2", "Antwort3", "Antwort Richtig", "Thema"}, {}};
  for (int i = 0; i < n; ++i) {
    const std::string k = std::to_string(i);
    for (const std::string& c : {"Wie heißt die Antwort auf die Frage Nummer " + k + "?", "falsch " + k, "daneben " + k,
                                 "weit weg " + k, "richtig " + k, std::string(kTopics[i % 5])})
      snap.cells.emplace_back(c);
  }
  return data::Recordset("memory", "tabFragen_leicht", std::move(snap));
}

std::size_t readFields(const data::Recordset& r) {
  std::size_t bytes = 0;
  for (const char* f : kFields) bytes += r.field(f).size();
  return bytes;
}

// Mean microseconds per call over `runs` calls.
double meanUs(int runs, const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) work();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  // The game's own generator, reseeded from the clock at every draw.
  SystemClock clock;
  ClockSeededRandom random(clock);
  testing::ScriptLoop loop;
  testing::FakePictures pictures;
  data::Recordset table = questions(n);
  Services services{loop, random, pictures, "/", "/", [](const std::string&) {}};
  services.openTable = [&table](std::string_view) { return table; };  // one shared reading
  App app(std::move(services));
  loop.attach(app);
  std::size_t sink = 0;

  // Any record: what every dialog did before the deck.
  const double anyUs = meanUs(n, [&] {
    data::Recordset r = app.services().openTable("tabFragen_leicht");
    random.Randomize();
    r.setAbsolutePosition(recordForDraw(random.Rnd(), r.RecordCount()));
    sink += readFields(r);
  });
  // A whole round of the deck: every record once.
  openDeck(app, DeckId::Easy);
  const double deckUs = meanUs(n, [&] { sink += readFields(drawRecord(app, DeckId::Easy)); });
  // Two topics of five left out.
  app.race.chooseTopics(TopicChoice{{kTopics[1], kTopics[3]}});
  const double topicUs = meanUs(n, [&] { sink += readFields(drawRecord(app, DeckId::Easy)); });
  // The file has changed before every draw: the deck takes the records and topics anew.
  const int changes = std::max(1, n / 100);
  const double changedUs = meanUs(changes, [&] {
    table = questions(n);
    sink += readFields(drawRecord(app, DeckId::Easy));
  });
  const double readUs = meanUs(changes, [&] { table = questions(n); });

  std::printf("# %d questions, %zu bytes read\n", n, sink);
  const auto row = [&](const std::string& what, double us, const std::string& reference, double ref) {
    std::printf("%s\t%.2f\tus\t%s\t%.2fx\n", what.c_str(), us, reference.c_str(), us / ref);
  };
  const std::string any = std::to_string(anyUs).substr(0, 5) + " us any record, same run";
  row("draw from " + std::to_string(n) + " questions, deck (mean of a round)", deckUs, any, anyUs);
  row("the same, 3 of 5 topics chosen", topicUs, any, anyUs);
  // The table's own reading is in the reference, so the ratio shows what the deck adds.
  row("first draw after the file changed (incl. reading)", changedUs,
      std::to_string(readUs).substr(0, 7) + " us reading the table alone", readUs);
  return 0;
}
