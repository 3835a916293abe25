// SPDX-License-Identifier: GPL-3.0-or-later
// The store on Access files: third-party sample databases (Jet 3 and Jet 4),
// and damaged copies of them, which must give DataError and nothing worse.
#include <gtest/gtest.h>

#include <random>

#include "data/store.h"
#include "fixtures.h"

namespace tj::data {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = TJ_ACCESS_SAMPLES;

class AccessSamples : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kSamples / "nwind.mdb") || !fs::exists(kSamples / "DateTestDatabase.mdb")) {
      GTEST_SKIP() << "Access sample files not found in " << kSamples;
    }
  }
  static fs::path nwind() { return kSamples / "nwind.mdb"; }
  static fs::path dates() { return kSamples / "DateTestDatabase.mdb"; }
};

TEST_F(AccessSamples, Jet3TableWithUmlautInItsName) {
  Recordset rs = openTable(nwind(), "Umsätze");
  EXPECT_EQ(rs.RecordCount(), 830);
  EXPECT_EQ(rs.field("OrderID"), "10330");
  EXPECT_EQ(rs.field("CustomerID"), "LILAS");
  EXPECT_EQ(rs.field("ShipAddress"), "Carrera 52 con Ave. Bolívar #65-98 Llano Largo");  // CP1252 as UTF-8
  EXPECT_EQ(rs.field("Freight"), "12.75");
  EXPECT_EQ(rs.field("OrderDate"), "16.11.1994 00:00:00");
  rs.setAbsolutePosition(2);
  EXPECT_EQ(rs.field("ShipName"), "Bon app'");
  const DataError e = test::thrown<DataError>([&] { (void)rs.field("ShipRegion"); }).value();
  EXPECT_EQ(e.fault(), Fault::FieldEmpty);
  EXPECT_NE(std::string(e.what()).find("Umsätze"), std::string::npos);
  EXPECT_EQ(rs.field("ShipCountry"), "France");
}

TEST_F(AccessSamples, TablesByExactNameWithTheirRecordCounts) {
  const std::vector<std::pair<std::string, int32_t>> tables = {
      {"Order Details", 2155}, {"Products", 77}, {"Shippers", 3}, {"Employees", 9}, {"Categories", 8}};
  for (const auto& [name, count] : tables) {
    EXPECT_EQ(openTable(nwind(), name).RecordCount(), count) << name;
  }
  for (const char* missing : {"umsätze", "UMSÄTZE", "Umsatze", "Orders ", "tabAktion"}) {
    EXPECT_EQ(test::thrown<DataError>([&] { openTable(nwind(), missing); }).value().fault(), Fault::TableMissing)
        << missing;
  }
}

TEST_F(AccessSamples, NumbersAsPlainDecimalText) {
  Recordset rs = openTable(nwind(), "Order Details");
  EXPECT_EQ(rs.field("UnitPrice"), "14");
  EXPECT_EQ(rs.field("Discount"), "0");
  rs.setAbsolutePosition(7);
  EXPECT_EQ(rs.field("ProductID"), "51");
  EXPECT_EQ(rs.field("UnitPrice"), "42.4");
  EXPECT_EQ(rs.field("Discount"), "0.15");
}

TEST_F(AccessSamples, Jet4MemoAndTextFields) {
  Recordset rs = openTable(dates(), "DateTest");
  ASSERT_EQ(rs.RecordCount(), 6);
  EXPECT_EQ(rs.field("ShortTextCol"), "Hello");
  rs.setAbsolutePosition(6);
  EXPECT_EQ(rs.field("IDCol"), "6");
  EXPECT_EQ(rs.field("ShortTextCol"), "No new line");
  const std::string memo = rs.field("LongTextCol");
  EXPECT_TRUE(memo == "New line\r\nin field" || memo == "New line\nin field") << memo;
}

TEST_F(AccessSamples, FormatIsChosenByContentNotByName) {
  test::TempDir dir;
  const fs::path copy = dir / "ohne_endung";
  fs::copy_file(nwind(), copy);
  EXPECT_EQ(openTable(copy, "Shippers").RecordCount(), 3);
}

// Damaged copies of a real file: each must end in DataError; a crash fails the test and
// a hang past the reader's own time limit runs into the test's timeout.
TEST_F(AccessSamples, DamagedFilesGiveDataErrorNeverACrashOrHang) {
  test::TempDir dir;
  const std::string bytes = test::readFile(nwind());
  ASSERT_GT(bytes.size(), 100000u);
  std::vector<std::pair<std::string, std::string>> variants;
  for (const std::size_t size : {std::size_t{40}, std::size_t{2048}, std::size_t{4096}, std::size_t{4097},
                                 std::size_t{20000}, bytes.size() / 2, bytes.size() - 1}) {
    variants.emplace_back("cut" + std::to_string(size), bytes.substr(0, size));
  }
  std::mt19937 gen(2024);
  for (int v = 0; v < 6; ++v) {
    std::string flipped = bytes;
    // Leave the signature alone so that the Access reader is the one to judge.
    for (int i = 0; i < 300; ++i) {
      const std::size_t at = 32 + gen() % (flipped.size() - 32);
      flipped[at] = static_cast<char>(flipped[at] ^ (1u << (gen() % 8)));
    }
    variants.emplace_back("flip" + std::to_string(v), flipped);
  }
  std::string pages = bytes;  // the catalog and table pages overwritten with noise
  for (std::size_t i = 2 * 2048; i < 40 * 2048 && i < pages.size(); ++i) pages[i] = static_cast<char>(gen());
  variants.emplace_back("noisepages", pages);

  for (const auto& [name, content] : variants) {
    const fs::path file = dir / (name + ".mdb");
    test::writeFile(file, content);
    for (const char* table : {"Umsätze", "Order Details"}) {
      try {
        Recordset rs = openTable(file, table);
        // A damage that spares this table may read; its records are then intact snapshots.
        if (rs.RecordCount() > 0) rs.setAbsolutePosition(rs.RecordCount());
      } catch (const DataError& e) {
        EXPECT_TRUE(e.fault() == Fault::Unreadable || e.fault() == Fault::TableMissing) << name << ": " << e.what();
      }
    }
  }
}

}  // namespace
}  // namespace tj::data
