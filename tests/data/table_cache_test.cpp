// SPDX-License-Identifier: GPL-3.0-or-later
// The table cache of the real game: a database file that changes, breaks or disappears
// while the game runs is read afresh at the next dialog; an unchanged file is read once.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>

#include "data/builder.h"
#include "data/store.h"
#include "fixtures.h"

namespace tj::data {
namespace {

namespace fs = std::filesystem;

TextTable questions(const std::string& text) {
  return {"tabFragen_leicht",
          {"Frage", "Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"},
          {{text, "a", "b", "c", "d"}}};
}

// A new file content with a modification time that differs from the old one even on
// file systems with coarse time stamps.
void rewrite(const fs::path& file, const std::function<void()>& write) {
  const auto before = fs::exists(file) ? fs::last_write_time(file) : fs::file_time_type{};
  write();
  if (fs::exists(file) && fs::last_write_time(file) == before)
    fs::last_write_time(file, before + std::chrono::seconds(2));
}

TEST(TableCache, unchangedFileServesTheSameRecordsWithOwnPosition) {
  test::TempDir dir;
  const fs::path db = dir / "mdbZielflagge.mdb";
  TextTable t = questions("Eins?");
  t.records.push_back({"Zwei?", "a", "b", "c", "d"});
  writeDatabase(db, {t});
  TableCache cache;
  Recordset first = cache.open(db, "tabFragen_leicht");
  first.setAbsolutePosition(2);
  Recordset second = cache.open(db, "tabFragen_leicht");
  EXPECT_EQ(second.AbsolutePosition(), 1) << "each open stands on its first record";
  EXPECT_EQ(second.field("Frage"), "Eins?");
  EXPECT_EQ(first.field("Frage"), "Zwei?");
  EXPECT_EQ(second.RecordCount(), 2);
}

// What happens to the file between two dialogs, and what the second dialog meets.
struct Change {
  const char* what;
  std::function<void(const fs::path&)> change;
  std::optional<Fault> fault;  // nullopt: the new question is read
};

class TableCacheChange : public ::testing::TestWithParam<Change> {};

TEST_P(TableCacheChange, nextOpenSeesTheFileAsItIsNow) {
  test::TempDir dir;
  const fs::path db = dir / "mdbZielflagge.mdb";
  writeDatabase(db, {questions("Alt?")});
  TableCache cache;
  ASSERT_EQ(cache.open(db, "tabFragen_leicht").field("Frage"), "Alt?");
  rewrite(db, [&] { GetParam().change(db); });
  if (GetParam().fault) {
    EXPECT_EQ(test::thrown<DataError>([&] { (void)cache.open(db, "tabFragen_leicht"); }).value().fault(),
              *GetParam().fault)
        << GetParam().what;
    // The error is not remembered: a repaired file is read again.
    rewrite(db, [&] { writeDatabase(db, {questions("Repariert?")}); });
    EXPECT_EQ(cache.open(db, "tabFragen_leicht").field("Frage"), "Repariert?");
  } else {
    EXPECT_EQ(cache.open(db, "tabFragen_leicht").field("Frage"), "Neu?");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableCacheChange,
    ::testing::Values(Change{"new question", [](const fs::path& f) { writeDatabase(f, {questions("Neu?")}); },
                             std::nullopt},
                      Change{"removed", [](const fs::path& f) { fs::remove(f); }, Fault::FileMissing},
                      Change{"zero bytes", [](const fs::path& f) { test::writeFile(f, ""); }, Fault::NotADatabase},
                      Change{"table gone",
                             [](const fs::path& f) {
                               TextTable other = questions("x");
                               other.name = "tabAnderes";
                               writeDatabase(f, {other});
                             },
                             Fault::TableMissing}));

}  // namespace
}  // namespace tj::data
