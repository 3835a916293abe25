// SPDX-License-Identifier: GPL-3.0-or-later
// Every file of the fuzz corpus goes once more through its fuzz entry
// function. An entry function aborts or lets an exception escape on a
// finding, so a passing replay means: no crash, no escaped exception, no
// broken invariant for any input that is kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "access_here.h"
#include "importers.h"
#include "picture.h"
#include "store_access.h"
#include "store_sqlite.h"

namespace {

namespace fs = std::filesystem;

using Entry = int (*)(const uint8_t*, size_t);

struct Target {
  const char* name;    // test name
  const char* corpus;  // folder under fuzz/corpus
  Entry entry;
  size_t minimumFiles;  // a corpus that lost its seeds tests nothing
};

class Replay : public testing::TestWithParam<Target> {};

TEST_P(Replay, EveryCorpusFileRunsCleanly) {
  const Target& target = GetParam();
  std::size_t files = 0;
  for (const auto& file : fs::directory_iterator(fs::path(TJ_FUZZ_CORPUS) / target.corpus)) {
    SCOPED_TRACE(file.path().string());
    std::ifstream in(file.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NO_THROW(EXPECT_EQ(target.entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0));
    ++files;
  }
  EXPECT_GE(files, target.minimumFiles) << "corpus folder " << target.corpus;
  // Empty input: the smallest damaged file there is.
  EXPECT_NO_THROW(target.entry(nullptr, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, Replay,
    testing::Values(Target{"StoreSqlite", "fuzz_store_sqlite", tj::fuzz::store_sqlite::fuzzOne, 5},
                    Target{"StoreAccess", "fuzz_store_access", tj::fuzz::store_access::fuzzOne, 5},
                    Target{"AccessReaderInProcess", "fuzz_store_access", tj::fuzz::access_here::fuzzOne, 5},
                    Target{"AccessReaderFindings", "fuzz_access_here", tj::fuzz::access_here::fuzzOne, 0},
                    Target{"Picture", "fuzz_picture", tj::fuzz::picture::fuzzOne, 5},
                    Target{"Importers", "fuzz_importers", tj::fuzz::importers::fuzzOne, 5}),
    [](const testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

}  // namespace
