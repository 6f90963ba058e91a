#include "cmdlang/search_path.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

namespace fs = std::filesystem;
using Dirs = std::vector<std::string>;

/// Sets or unsets QX40ROOT for one test and puts the old value back.
class RootVariable {
 public:
  explicit RootVariable(const char* value) {
    if (const char* old = std::getenv("QX40ROOT")) old_ = old;
    had_ = std::getenv("QX40ROOT") != nullptr;
    if (value != nullptr)
      ::setenv("QX40ROOT", value, 1);
    else
      ::unsetenv("QX40ROOT");
  }
  ~RootVariable() {
    if (had_)
      ::setenv("QX40ROOT", old_.c_str(), 1);
    else
      ::unsetenv("QX40ROOT");
  }

 private:
  std::string old_;
  bool had_ = false;
};

TEST(SearchPathTest, StartUpDirectoriesFromTheRoot) {
  testing::TestInterp t;
  {
    RootVariable root("/opt/qx");
    t.in.initsearchpath();
    EXPECT_EQ(t.in.searchPath->directories, (Dirs{"/opt/qx/stdcfg", "/opt/qx/lib", "/opt/qx/include"}));
  }
  RootVariable unset(nullptr);
  addSearchDirectory(t.in, "extra");
  t.in.initsearchpath();  // empties the list first
  EXPECT_TRUE(t.in.searchPath->directories.empty());
}

TEST(SearchPathTest, AddingKeepsOrderSkipsDuplicatesAndStopsAt1023) {
  testing::TestInterp t;
  RootVariable unset(nullptr);
  t.in.initsearchpath();
  addSearchDirectory(t.in, "b");
  addSearchDirectory(t.in, "a");
  addSearchDirectory(t.in, "b");
  addSearchDirectory(t.in, "b/");  // another text: another entry
  EXPECT_EQ(t.in.searchPath->directories, (Dirs{"b", "a", "b/"}));
  for (int i = 0; i < 1100; ++i) addSearchDirectory(t.in, "d" + std::to_string(i));
  ASSERT_EQ(t.in.searchPath->directories.size(), 1023U);
  EXPECT_EQ(t.in.searchPath->directories.back(), "d1019");
}

TEST(SearchPathTest, TraceBitTwoReportsAdditions) {
  testing::TestInterp t;
  t.in.eng.trace = 2;
  ::testing::internal::CaptureStdout();
  addSearchDirectory(t.in, "/some/where");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Info> Adding \"/some/where\" to search path\n");
}

class OpenSearchedTest : public ::testing::Test {
 protected:
  OpenSearchedTest() {
    std::string pattern = (fs::temp_directory_path() / "varda_search_XXXXXX").string();
    root_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    fs::create_directories(root_ + "/one/inc.cl");  // a directory of the name: not a find
    fs::create_directories(root_ + "/two");
    std::ofstream(root_ + "/two/inc.cl") << "x = 1\n";
    RootVariable unset(nullptr);
    t.in.initsearchpath();
  }
  ~OpenSearchedTest() override {
    if (!root_.empty()) fs::remove_all(root_);
  }
  std::string root_;
  testing::TestInterp t;
};

TEST_F(OpenSearchedTest, NameAsGivenFirstThenEachDirectory) {
  std::string found = "unchanged";
  EXPECT_EQ(openSearched(t.in, "inc.cl", &found), nullptr);
  EXPECT_EQ(found, "unchanged");
  addSearchDirectory(t.in, root_ + "/one");
  addSearchDirectory(t.in, root_ + "/two");
  std::FILE* f = openSearched(t.in, "inc.cl", &found);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(found, root_ + "/two/inc.cl");
  f = openSearched(t.in, root_ + "/two/inc.cl", &found);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(found, root_ + "/two/inc.cl");
  EXPECT_EQ(openSearched(t.in, root_ + "/one", &found), nullptr);  // a directory as named
}

TEST_F(OpenSearchedTest, PathsOf1024CharactersAreNotTried) {
  // A directory of 1016 characters ("/./" repeated) joined with "/inc.cl"
  // (7) is 1023: tried; one more "/" makes 1024: skipped.
  const std::string base = root_ + "/two";
  std::string padded = base;
  while (padded.size() < 1016) padded.insert(base.size(), "/");
  ASSERT_EQ(padded.size(), 1016U);
  addSearchDirectory(t.in, padded + "/");
  std::string found;
  EXPECT_EQ(openSearched(t.in, "inc.cl", &found), nullptr);
  addSearchDirectory(t.in, padded);
  std::FILE* f = openSearched(t.in, "inc.cl", &found);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(found.size(), 1023U);
}

}  // namespace
}  // namespace varda::cmdlang
