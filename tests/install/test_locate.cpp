// SPDX-License-Identifier: GPL-3.0-or-later
// The folders the game reads its pictures and database from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/locate.h"

namespace tj {
namespace {

namespace fs = std::filesystem;

struct Tree : ::testing::Test {
  // One folder per process: ctest runs the cases in parallel processes.
  fs::path root = fs::temp_directory_path() / ("tj-locate-" + std::to_string(::getpid()));
  void SetUp() override { fs::remove_all(root); }
  void TearDown() override { fs::remove_all(root); }
  void make(const std::vector<std::string>& dirs) {
    for (const std::string& d : dirs) fs::create_directories(root / d);
  }
};

// An installed tree finds its data beside the executable, wherever the tree was put;
// without one the configured folder is used.
TEST_F(Tree, dataFolderBesideTheExecutableComesFirst) {
  struct Case {
    const char* what;
    std::vector<std::string> dirs;
    std::string exe;       // relative to root
    std::string expected;  // relative to root, or "configured"
  };
  const std::vector<Case> cases = {
      {"installed tree", {"prefix/bin", "prefix/share/tankjagd"}, "prefix/bin", "prefix/share/tankjagd"},
      {"no share folder", {"prefix/bin"}, "prefix/bin", "configured"},
      {"share without the game", {"other/bin", "other/share/else"}, "other/bin", "configured"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root);
    make(c.dirs);
    const fs::path got = dataFolder(root / c.exe, "/configured/share/tankjagd");
    const fs::path want = c.expected == "configured" ? fs::path("/configured/share/tankjagd") : root / c.expected;
    EXPECT_EQ(got, want.lexically_normal());
  }
}

// Picture folders beside the executable (build tree, portable copy) win over the data folder.
TEST_F(Tree, applicationFolderIsTheExecutablesWhenThePicturesLieThere) {
  make({"build/bin/wuerfel", "build/bin/autos", "half/bin/wuerfel", "data"});
  EXPECT_EQ(applicationFolder(root / "build/bin", root / "data"), root / "build/bin");
  EXPECT_EQ(applicationFolder(root / "half/bin", root / "data"), root / "data") << "autos/ is missing";
  EXPECT_EQ(applicationFolder(root / "nowhere", root / "data"), root / "data");
}

// The editor starts the game with its own set; without the option the usual lookup stays.
TEST(QuestionFileArgument, TakesTheFileAfterTheOptionAgainstTheCurrentFolder) {
  using Args = std::vector<std::string>;
  const fs::path cwd = "/home/lehrer";
  EXPECT_EQ(questionFileArgument({"tankjagd"}, cwd), std::nullopt);
  EXPECT_EQ(questionFileArgument({"tankjagd", "--fragen"}, cwd), std::nullopt);
  EXPECT_EQ(questionFileArgument(Args{"tankjagd", "--fragen", "klasse/5b.mdb"}, cwd),
            fs::path("/home/lehrer/klasse/5b.mdb"));
  EXPECT_EQ(questionFileArgument(Args{"tankjagd", "--fragen=/tmp/a b.mdb"}, cwd), fs::path("/tmp/a b.mdb"));
}

}  // namespace
}  // namespace tj
