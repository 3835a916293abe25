// SPDX-License-Identifier: GPL-3.0-or-later
// The child-process runner and the byte form that crosses the pipe.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "data/detail.h"
#include "fixtures.h"

namespace tj::data::detail {
namespace {

using namespace std::chrono_literals;

// No child of the test process is left to reap.
void expectNoChildren() {
  int status = 0;
  EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(RunIsolated, ReturnsTheWholeOutputOfAChildThatSucceeds) {
  const std::string big(3 << 20, 'x');  // larger than a pipe buffer
  EXPECT_EQ(runIsolated([] { return std::string("hallo"); }, 5s, 1 << 20), "hallo");
  EXPECT_EQ(runIsolated([&] { return big; }, 5s, 4 << 20), big);
  EXPECT_EQ(runIsolated([] { return std::string(); }, 5s, 10), "");
  expectNoChildren();
}

TEST(RunIsolated, FailingChildrenGiveNothing) {
  struct Case {
    const char* name;
    std::function<std::string()> work;
    std::chrono::milliseconds limit;
    std::size_t maxBytes;
  };
  const std::vector<Case> cases = {
      {"crash",
       [] {
         ::raise(SIGSEGV);
         return std::string("x");
       },
       5s, 100},
      {"exception", []() -> std::string { throw std::runtime_error("x"); }, 5s, 100},
      {"exit code", []() -> std::string { ::_exit(3); }, 5s, 100},
      {"hang after output",
       [] {
         const std::string part = "teil";
         (void)!::write(STDOUT_FILENO, part.data(), part.size());
         std::this_thread::sleep_for(60s);
         return part;
       },
       300ms, 100},
      {"too much", [] { return std::string(1000, 'x'); }, 5s, 999},
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runIsolated(c.work, c.limit, c.maxBytes), std::nullopt) << c.name;
    // The hanging children sleep a minute; ending far sooner proves the limit cut them off,
    // with room for a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - start, c.limit + 30s) << c.name;
  }
  expectNoChildren();
}

TEST(Outcome, RoundTripsAndRejectsEveryCutOrExtension) {
  ReadOutcome outcome;
  outcome.snapshot.fields = {"Frage", "Antwort Richtig", ""};
  outcome.snapshot.cells = {std::string("Wie?"),    std::nullopt,     std::string(""),
                            std::string("ä\0b", 3), std::string("x"), std::nullopt};
  const std::string bytes = encodeOutcome(outcome);
  const auto back = decodeOutcome(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_FALSE(back->fault.has_value());
  EXPECT_EQ(back->snapshot.fields, outcome.snapshot.fields);
  EXPECT_EQ(back->snapshot.cells, outcome.snapshot.cells);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(decodeOutcome(bytes.substr(0, size)).has_value()) << size;
  }
  EXPECT_FALSE(decodeOutcome(bytes + "x").has_value());

  const auto missing = decodeOutcome(encodeOutcome(ReadOutcome{Fault::TableMissing, {}}));
  ASSERT_TRUE(missing.has_value());
  EXPECT_EQ(missing->fault, Fault::TableMissing);
}

// The reading process's answer as the store takes it: a whole snapshot, or a DataError.
TEST(Outcome, TheReadersAnswerBecomesASnapshotOrADataError) {
  ReadOutcome good;
  good.snapshot = {{"Frage"}, {std::string("Wie?")}};
  EXPECT_EQ(snapshotFromReader(encodeOutcome(good), "f.mdb", "t").cells, good.snapshot.cells);
  const std::pair<std::optional<std::string>, Fault> failed[] = {
      {std::nullopt, Fault::Unreadable},
      {"kein Ergebnis", Fault::Unreadable},
      {encodeOutcome({Fault::TableMissing, {}}), Fault::TableMissing},
      {encodeOutcome({Fault::Unreadable, {}}), Fault::Unreadable}};
  for (const auto& [bytes, fault] : failed) {
    const auto e = test::thrown<DataError>([&] { (void)snapshotFromReader(bytes, "f.mdb", "t"); });
    ASSERT_TRUE(e.has_value()) << bytes.value_or("(nichts)");
    EXPECT_EQ(e->fault(), fault);
  }
}

// Counts in damaged input that no real table has: billions of records, no field at all.
TEST(Outcome, impossibleCountsAreRejectedWithoutAllocating) {
  const std::string head = std::string("TJS1") + '\0';
  const std::string one = std::string("\x01\x00\x00\x00", 4), none(4, '\0'), huge(4, '\xFF');
  for (const std::string& bytes : {head + one + one + "F" + huge + "END!", head + none + one + "END!"})
    EXPECT_FALSE(decodeOutcome(bytes).has_value());
}

}  // namespace
}  // namespace tj::data::detail
