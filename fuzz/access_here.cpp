// SPDX-License-Identifier: GPL-3.0-or-later
#include "access_here.h"

#include <cstdlib>
#include <string>

#include "data/detail.h"
#include "fuzz_support.h"

namespace tj::fuzz::access_here {

namespace {

// A read must give a snapshot whose cells fill whole records, or a fault.
void check(const data::detail::ReadOutcome& outcome) {
  if (outcome.fault) return;
  const auto& s = outcome.snapshot;
  if (s.fields.empty() || s.cells.size() % s.fields.size() != 0) std::abort();
  // What the child sends must come back whole.
  const auto round = data::detail::decodeOutcome(data::detail::encodeOutcome(outcome));
  if (!round || round->snapshot.cells != s.cells || round->snapshot.fields != s.fields) std::abort();
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  const std::string file = writeInput("fragen.mdb", data, size).string();
  // The store looks at the first bytes before it hands a file to mdbtools.
  if (data::detail::sniffFormat(file) != data::detail::Format::Access) return 0;
  for (const char* table : {"tabFragen_leicht", "tabAktion", "DateTest", "Shippers"})
    check(data::detail::readAccessTableHere(file, table));
  return 0;
}

}  // namespace tj::fuzz::access_here
