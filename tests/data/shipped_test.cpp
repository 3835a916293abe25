// SPDX-License-Identifier: GPL-3.0-or-later
// The database built from the content files: every record of every table
// gives a text for each field the dialogs read.
#include <gtest/gtest.h>

#include "data/builder.h"
#include "data/store.h"

namespace tj::data {
namespace {

#ifdef TJ_SHIPPED_DATABASE
TEST(ShippedDatabase, EveryRecordHasTheFieldsTheDialogsRead) {
  for (const auto& layout : gameTables()) {
    Recordset rs = openTable(TJ_SHIPPED_DATABASE, layout.name);
    EXPECT_GT(rs.RecordCount(), 0) << layout.name;
    for (int32_t k = 1; k <= rs.RecordCount(); ++k) {
      rs.setAbsolutePosition(k);
      for (const auto field : layout.required) {
        EXPECT_FALSE(rs.field(field).empty()) << layout.name << " record " << k << " field " << field;
      }
      // content/themen.txt gives every question its topic.
      for (const auto field : layout.optional) EXPECT_FALSE(rs.field(field).empty()) << layout.name << " record " << k;
    }
  }
}
#else
TEST(ShippedDatabase, EveryRecordHasTheFieldsTheDialogsRead) { GTEST_SKIP() << "content files not present"; }
#endif

}  // namespace
}  // namespace tj::data
