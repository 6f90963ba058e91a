#include "options/argument_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "options/option_parser.h"
#include "options/recording_table.h"

namespace varda::options {
namespace {

using testing::calls;
using testing::kRecordingTable;
using Calls = std::vector<std::string>;
using Args = std::vector<std::string>;

class ArgumentFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::resetRecorder();
    std::string pattern = (std::filesystem::temp_directory_path() / "varda_argfile_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Writes `content` to a file in the test directory and returns its path.
  std::string file(const std::string& name, const std::string& content) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  int dispatch(const Args& args, int mode = 2) { return dispatchArgs(mode, args, kRecordingTable, false); }

  std::filesystem::path dir_;
};

TEST_F(ArgumentFileTest, EachLineIsParsedOnItsOwn) {
  const std::string path = file("a.txt", "-bank 2\n-type S\n");
  EXPECT_EQ(dispatch({"-v", "@" + path, "-i"}), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "bank(bank,2)", "type(type,S)", "i(i,-)"}));
}

TEST_F(ArgumentFileTest, OptionAndValueMustShareALine) {
  const std::string path = file("a.txt", "-bank\n2\n-type S\n");
  EXPECT_EQ(dispatch({"@" + path, "-i"}), 1);
  EXPECT_EQ(calls, (Calls{"invalid(-bank,-)"}));
}

TEST_F(ArgumentFileTest, FailingLineStopsTheFileEvenWhenDispatchWouldGoOn) {
  const std::string path = file("a.txt", "-v \"bad\n-i\n");
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"@" + path, "-o", "x"}), 1);
  EXPECT_EQ(calls, (Calls{"syntax(\"bad\n,-)"}));
}

TEST_F(ArgumentFileTest, CommentsBlankLinesCarriageReturnsAndNoFinalLineFeed) {
  const std::string path = file("a.txt", "# -v\n\n  \n-bank 1\r\n  # not a comment\n-o \"x y\"");
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"@" + path}), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)", "bare(#,-)", "bare(not,-)", "bare(a,-)", "bare(comment,-)", "o(o,x y)"}));
}

TEST_F(ArgumentFileTest, LinesOfAnyLength) {
  const std::string longValue(2500, 'a');
  const std::string boundary(993, 'b');  // "-type " + 993 + "\n": a full piece, then its line feed
  const std::string path = file("a.txt", "-o " + longValue + " -v\n-type " + boundary + "\n-i\n");
  EXPECT_EQ(dispatch({"@" + path}), 0);
  EXPECT_EQ(calls, (Calls{"o(o," + longValue + ")", "v(v,-)", "type(type," + boundary + ")", "i(i,-)"}));
}

TEST_F(ArgumentFileTest, NulByteEndsTheTextOfItsLineOnly) {
  // The text after a NUL byte is not seen, up to the line feed, which still
  // ends the line: the next line is not joined to it.
  const std::string longTail(2500, 'x');  // runs over several pieces after the NUL
  using namespace std::string_literals;
  const std::string path =
      file("a.txt", "-bank 1\0 -v\n-type S\n-o a\0"s + longTail + "\n\0\0\0\n-i\n\0"s);
  EXPECT_EQ(dispatch({"@" + path}), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)", "type(type,S)", "o(o,a)", "i(i,-)"}));
}

TEST_F(ArgumentFileTest, FilesMayNameFurtherFiles) {
  const std::string inner = file("inner.txt", "-v\n");
  const std::string outer = file("outer.txt", "-i @" + inner + " -bank 3\n");
  EXPECT_EQ(dispatch({"@" + outer}), 0);
  EXPECT_EQ(calls, (Calls{"i(i,-)", "v(v,-)", "bank(bank,3)"}));
}

TEST_F(ArgumentFileTest, UnreadableFileGoesToTheCallback) {
  const std::string missing = (dir_ / "missing.txt").string();
  EXPECT_EQ(dispatch({"@" + missing, "-v"}), 1);
  EXPECT_EQ(calls, (Calls{"file(" + missing + ",-)"}));

  testing::resetRecorder();
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"@" + missing, "-v"}), 0);
  EXPECT_EQ(calls, (Calls{"file(" + missing + ",-)", "v(v,-)"}));

  testing::resetRecorder();
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"@" + dir_.string()}), 0);  // a directory opens but cannot be read
  EXPECT_EQ(calls, (Calls{"file(" + dir_.string() + ",-)"}));
}

TEST_F(ArgumentFileTest, FileNamingItselfEndsWithTheCallback) {
  const std::string self = (dir_ / "self.txt").string();
  file("self.txt", "-v @" + self + "\n");
  EXPECT_EQ(dispatch({"@" + self, "-i"}), 1);
  Calls expected(kMaxArgumentFileDepth, "v(v,-)");
  expected.push_back("file(" + self + ",-)");
  EXPECT_EQ(calls, expected);
}

TEST_F(ArgumentFileTest, FilesNamingEachOtherEndToo) {
  const std::string a = (dir_ / "a.txt").string();
  const std::string b = file("b.txt", "@" + a + "\n");
  file("a.txt", "@" + b + "\n");
  testing::errorResult = kContinue;  // one report, then parsing goes on
  EXPECT_EQ(dispatch({"@" + a, "-i"}), 0);
  EXPECT_EQ(calls, (Calls{"file(" + a + ",-)", "i(i,-)"}));
}

TEST_F(ArgumentFileTest, FilesNamingOthersTwiceEndAfterTheReadLimit) {
  // f0 names f1 twice, f1 names f2 twice, ...: 2^21 reads without a limit.
  constexpr int kFiles = 20;
  for (int i = 0; i < kFiles; ++i) {
    const std::string next = "@" + (dir_ / ("f" + std::to_string(i + 1))).string();
    file("f" + std::to_string(i), next + " " + next + "\n");
  }
  file("f" + std::to_string(kFiles), "-v\n");
  EXPECT_EQ(dispatch({"@" + (dir_ / "f0").string(), "-i"}), 1);
  // Every read counts, the files between included: fewer than the limit of
  // leaf reads, but many more than one, then one report that stops the parse.
  const auto leafReads = std::count(calls.begin(), calls.end(), "v(v,-)");
  EXPECT_GT(leafReads, kMaxArgumentFilesRead / 4);
  EXPECT_LT(leafReads, kMaxArgumentFilesRead);
  EXPECT_EQ(static_cast<std::size_t>(leafReads) + 1, calls.size());
  EXPECT_EQ(calls.back().rfind("file(", 0), 0u);

  // The limit counts per outermost file: the next one starts afresh.
  testing::resetRecorder();
  const std::string small = file("small.txt", "-v\n");
  EXPECT_EQ(dispatch({"@" + small, "@" + small}), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "v(v,-)"}));
}

TEST_F(ArgumentFileTest, ManyFilesInOneWithinTheLimit) {
  const std::string leaf = file("leaf.txt", "-v\n");
  std::string line;
  for (int i = 0; i < kMaxArgumentFilesRead - 1; ++i) line += "@" + leaf + " ";
  const std::string outer = file("outer.txt", line + "\n");
  EXPECT_EQ(dispatch({"@" + outer}), 0);
  EXPECT_EQ(calls.size(), static_cast<std::size_t>(kMaxArgumentFilesRead - 1));

  testing::resetRecorder();
  file("outer.txt", line + "@" + leaf + "\n");  // one more than the limit
  EXPECT_EQ(dispatch({"@" + outer}), 1);
  EXPECT_EQ(calls.back(), "file(" + leaf + ",-)");
}

TEST_F(ArgumentFileTest, LinesUseTheCallersMode) {
  const std::string path = file("a.txt", "-BANK 1\n");
  EXPECT_EQ(dispatch({"@" + path}, 0), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)"}));
  testing::resetRecorder();
  EXPECT_EQ(dispatch({"@" + path}, 2), 1);
  EXPECT_EQ(calls, (Calls{"invalid(-BANK,-)"}));
}

TEST_F(ArgumentFileTest, EnvironmentMayNameAFile) {
  const std::string path = file("a.txt", "-bank 2\n");
  setenv("VARDA_OPTIONS_TEST_ARG", ("@" + path + " | -v").c_str(), 1);
  EXPECT_EQ(parseOptions(2, Args{"-i"}, "VARDA_OPTIONS_TEST_ARG", kRecordingTable), 0);
  unsetenv("VARDA_OPTIONS_TEST_ARG");
  EXPECT_EQ(calls, (Calls{"bank(bank,2)", "i(i,-)", "v(v,-)", "end(-,-)"}));
}

}  // namespace
}  // namespace varda::options
