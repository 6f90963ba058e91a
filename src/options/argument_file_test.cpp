#include "options/argument_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "options/option_parser.h"
#include "options/recording_table.h"

namespace varda::options {
namespace {

ParserState parser;  // the library state these tests share

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

  int dispatch(const Args& args, CaseMode mode = CaseMode::kExact) {
    return dispatchArgs(parser, mode, args, kRecordingTable, false);
  }

  std::filesystem::path dir_;
};

// A line whose parse fails stops the file, even when the callback goes on.
// Comment lines start with "#" in their first column only.
TEST_F(ArgumentFileTest, LinesAreParsedOneByOne) {
  testing::errorResult = kContinue;
  std::string path = file("a.txt", "# -v\n\n  \n-bank 1\r\n  # not a comment\n-o \"x y\"");
  EXPECT_EQ(dispatch({"@" + path}), 0);
  EXPECT_EQ(calls,
            (Calls{"bank(bank,1)", "bare(#,-)", "bare(not,-)", "bare(a,-)", "bare(comment,-)", "o(o,x y)"}));

  testing::resetRecorder();
  testing::errorResult = kContinue;
  path = file("b.txt", "-v \"bad\n-i\n");
  EXPECT_EQ(dispatch({"@" + path, "-o", "x"}), 1);
  EXPECT_EQ(calls, (Calls{"syntax(\"bad\n,-)"}));

  // Lines use the caller's case mode.
  testing::resetRecorder();
  path = file("c.txt", "-BANK 1\n");
  EXPECT_EQ(dispatch({"@" + path}, CaseMode::kFolded), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)"}));
  EXPECT_EQ(dispatch({"@" + path}, CaseMode::kExact), 1);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)", "invalid(-BANK,-)"}));
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
  const std::string path = file("a.txt", "-bank 1\0 -v\n-type S\n-o a\0"s + longTail + "\n\0\0\0\n-i\n\0"s);
  EXPECT_EQ(dispatch({"@" + path}), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)", "type(type,S)", "o(o,a)", "i(i,-)"}));
}

TEST_F(ArgumentFileTest, UnreadableFileGoesToTheCallback) {
  const std::string missing = (dir_ / "missing.txt").string();
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"@" + missing, "-v"}), 0);
  EXPECT_EQ(calls, (Calls{"file(" + missing + ",-)", "v(v,-)"}));

  testing::resetRecorder();
  testing::errorResult = kContinue;
  const std::string dir = dir_.string();
  EXPECT_EQ(dispatch({"@" + dir}), 0);  // a directory opens but cannot be read
  EXPECT_EQ(calls, (Calls{"file(" + dir + ",-)"}));
}

// One outermost file may bring in kMaxArgumentFilesRead files, itself
// included; the next outermost file starts afresh.
TEST_F(ArgumentFileTest, ReadLimitPerOutermostFile) {
  const std::string leaf = file("leaf.txt", "-v\n");
  std::string line;
  for (int i = 0; i < kMaxArgumentFilesRead - 1; ++i) line += "@" + leaf + " ";
  const std::string outer = file("outer.txt", line + "\n");
  EXPECT_EQ(dispatch({"@" + outer, "@" + outer}), 0);
  EXPECT_EQ(calls.size(), static_cast<std::size_t>(2 * (kMaxArgumentFilesRead - 1)));

  testing::resetRecorder();
  file("outer.txt", line + "@" + leaf + "\n");  // one more than the limit
  EXPECT_EQ(dispatch({"@" + outer}), 1);
  EXPECT_EQ(calls.size(), static_cast<std::size_t>(kMaxArgumentFilesRead));
  EXPECT_EQ(calls.back(), "file(" + leaf + ",-)");
}

}  // namespace
}  // namespace varda::options
