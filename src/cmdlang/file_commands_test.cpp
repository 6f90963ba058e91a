#include "cmdlang/file_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cmdlang/command_test_util.h"
#include "cmdlang/values.h"

namespace varda::cmdlang {
namespace {

using testing::arg;

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varda_files_XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~FileCommandsTest() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  std::string path(const char* name) const { return dir_ + "/" + name; }
  testing::CommandRun call(std::string_view command, std::initializer_list<Value> args) {
    return testing::callCommand(t, command, args);
  }
  std::string contents(const char* name) const {
    std::ifstream f(path(name), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
  }
  void write(const char* name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  std::int32_t intResult(const testing::CommandRun& r) {
    EXPECT_TRUE(r.ok) << r.report;
    EXPECT_TRUE(r.hasResult);
    return r.result.asInt();
  }
  std::string textResult(const testing::CommandRun& r) {
    EXPECT_TRUE(r.ok) << r.report;
    EXPECT_TRUE(r.hasResult);
    return r.hasResult ? std::string(r.result.textView()) : std::string();
  }

  std::string dir_;
  testing::TestInterp t;
};

TEST_F(FileCommandsTest, OpenTwiceInOneModeThenAnother) {
  const std::string out = path("out.txt");
  EXPECT_EQ(intResult(call("fopen", {arg(out), arg("w")})), 0);
  EXPECT_EQ(intResult(call("fopen", {arg(out), arg("w")})), 0);
  EXPECT_EQ(call("fopen", {arg(out), arg("r")}).report,
            "fopen error-file I/O error - file \"" + out + "\" is already open in a different mode\n");
  EXPECT_EQ(call("fopen", {arg(out), arg("rw")}).report,
            "fopen error-file I/O error - invalid file access mode \"rw\"\n");
  EXPECT_EQ(intResult(call("fopen", {arg(path("missing/x")), arg("r")})), -1);
  EXPECT_EQ(call("fopen", {arg(out)}).report, "fopen error-argument(s) needed\n");
}

TEST_F(FileCommandsTest, WriteReadAndAppend) {
  const std::string out = path("out.txt");
  call("fopen", {arg(out), arg("w")});
  ASSERT_TRUE(call("fputs", {arg(out), arg("one\n"), arg(""), arg("two"), arg(3)}).ok);
  EXPECT_EQ(intResult(call("fclose", {arg(out)})), 0);
  EXPECT_EQ(contents("out.txt"), "one\ntwo3");
  call("fopen", {arg(out), arg("a")});
  call("fputs", {arg(out), arg("\r\nlast\n")});
  call("fclose", {arg(out)});
  call("fopen", {arg(out), arg("r")});
  EXPECT_EQ(textResult(call("fgets", {arg(out)})), "one");
  EXPECT_EQ(intResult(call("feof", {arg(out)})), 0);
  EXPECT_EQ(textResult(call("fgets", {arg(out)})), "two3");  // the CR before the LF goes too
  EXPECT_EQ(textResult(call("fgets", {arg(out)})), "last");
  EXPECT_EQ(textResult(call("fgets", {arg(out)})), "");
  EXPECT_EQ(intResult(call("feof", {arg(out)})), 1);
  ASSERT_TRUE(call("rewind", {arg(out)}).ok);
  EXPECT_EQ(intResult(call("feof", {arg(out)})), 0);
  EXPECT_EQ(textResult(call("fgets", {arg(out)})), "one");
}

TEST_F(FileCommandsTest, LongLineAndLastLineWithoutFeed) {
  const std::string line(700, 'q');
  write("long.txt", line + "\nend");
  const std::string name = path("long.txt");
  call("fopen", {arg(name), arg("r")});
  EXPECT_EQ(textResult(call("fgets", {arg(name)})), line);
  EXPECT_EQ(textResult(call("fgets", {arg(name)})), "end");
}

TEST_F(FileCommandsTest, FwriteAndFappendOpenWhatIsNotOpen) {
  const std::string log = path("log.txt");
  ASSERT_TRUE(call("fwrite", {arg(log), arg("a"), arg("b")}).ok);
  EXPECT_EQ(contents("log.txt"), "a b");
  // Open now, in mode 'w': fappend writes to it whatever its mode.
  ASSERT_TRUE(call("fappend", {arg(log), arg(7)}).ok);
  EXPECT_EQ(contents("log.txt"), "a b7");
  call("fclose", {arg(log)});
  ASSERT_TRUE(call("fappend", {arg(log), arg("c"), arg("d")}).ok);
  EXPECT_EQ(contents("log.txt"), "a b7c d");
  EXPECT_EQ(call("fgets", {arg(log)}).report,
            "fgets error-file I/O error - file \"" + log + "\" is open for append only\n");
  call("fclose", {arg(log)});
  EXPECT_EQ(call("fwrite", {arg(path("no/such/dir"))}).report, "fwrite error-argument(s) needed\n");
  EXPECT_EQ(call("fwrite", {arg(path("no/such/dir")), arg("x")}).report,
            "fwrite error-file I/O error - file \"" + path("no/such/dir") + "\" is not open\n");
}

TEST_F(FileCommandsTest, ModeAndOpenErrors) {
  const std::string w = path("w.txt");
  const std::string r = path("r.txt");
  write("r.txt", "x\n");
  call("fopen", {arg(w), arg("w")});
  call("fopen", {arg(r), arg("r")});
  EXPECT_EQ(call("fgets", {arg("x")}).report, "fgets error-file I/O error - file \"x\" is not open\n");
  EXPECT_EQ(call("fgets", {arg(w)}).report,
            "fgets error-file I/O error - file \"" + w + "\" is open for write only\n");
  EXPECT_EQ(call("fputs", {arg(r), arg("y")}).report,
            "fputs error-file I/O error - file \"" + r + "\" is open for read only\n");
  EXPECT_EQ(call("fputs", {arg(r)}).report, "fputs error-argument(s) needed\n");
  EXPECT_EQ(call("fputs", {arg("nope"), arg("y")}).report,
            "fputs error-file I/O error - file \"nope\" is not open\n");
  EXPECT_EQ(call("rewind", {arg(w)}).report,
            "rewind error-file I/O error - can only rewind files open for reading\n");
  EXPECT_EQ(call("rewind", {arg("nope")}).report,
            "rewind error-file I/O error - file \"nope\" is not open\n");
  EXPECT_EQ(call("feof", {arg("nope")}).report, "feof error-file I/O error - file \"nope\" is not open\n");
  EXPECT_EQ(call("feof", {}).report, "feof error-argument(s) needed\n");
  // Closing several: the second is not open, the first is closed by then.
  EXPECT_EQ(call("fclose", {arg(w), arg("nope")}).report,
            "fclose error-file I/O error - file \"nope\" is not open\n");
  EXPECT_EQ(call("fclose", {arg(w)}).report,
            "fclose error-file I/O error - file \"" + w + "\" is not open\n");
  EXPECT_EQ(call("fclose", {}).report, "fclose error-argument(s) needed\n");
}

TEST_F(FileCommandsTest, SystemReadAndWriteFailures) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  call("fopen", {arg("/dev/full"), arg("w")});
  EXPECT_EQ(call("fputs", {arg("/dev/full"), arg("x")}).report,
            "fputs error-file I/O error - while writing to \"/dev/full\"\n");
  call("fopen", {arg(dir_), arg("r")});  // a directory opens, but does not read
  EXPECT_EQ(call("fgets", {arg(dir_)}).report,
            "fgets error-file I/O error - while reading from \"" + dir_ + "\"\n");
}

TEST_F(FileCommandsTest, FreadAssignsGlobals) {
  write("data.txt", "0x10\nhello world\n");
  const std::string data = path("data.txt");
  EXPECT_EQ(intResult(call("fread", {arg(data), arg("count")})), 1);
  EXPECT_EQ(intResult(call("fread", {arg(data), arg("word")})), 1);
  EXPECT_EQ(intResult(call("fread", {arg(data), arg("word")})), 0);
  const Variable* count = t.in.globals.find("count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->type, Type::Int);
  EXPECT_EQ(count->intValue, 16);
  const Variable* word = t.in.globals.find("word");
  ASSERT_NE(word, nullptr);
  EXPECT_EQ(word->textValue.view(), "hello world");
  // It was opened for reading: fputs refuses it.
  EXPECT_EQ(call("fputs", {arg(data), arg("y")}).report,
            "fputs error-file I/O error - file \"" + data + "\" is open for read only\n");
}

TEST_F(FileCommandsTest, FreadErrors) {
  for (const char* bad : {"9lives", "a-b", "f(x)", "x=1", "!x"})
    EXPECT_EQ(call("fread", {arg(path("data.txt")), arg(bad)}).report,
              "fread error-Unknown Name invalid variable\n")
        << bad;
  EXPECT_EQ(call("fread", {arg(path("none.txt")), arg("v")}).report,
            "fread error-file I/O error - file \"" + path("none.txt") + "\" is not open\n");
  EXPECT_EQ(call("fread", {arg(path("none.txt"))}).report, "fread error-argument(s) needed\n");
}

TEST_F(FileCommandsTest, FreadLinesOfAtMost255) {
  write("wide.txt", std::string(300, 'w') + "\n");
  const std::string wide = path("wide.txt");
  EXPECT_EQ(intResult(call("fread", {arg(wide), arg("v")})), 1);
  EXPECT_EQ(t.in.globals.find("v")->textValue.size(), 255U);
  EXPECT_EQ(intResult(call("fread", {arg(wide), arg("v")})), 1);
  EXPECT_EQ(t.in.globals.find("v")->textValue.view(), std::string(45, 'w'));
}

}  // namespace
}  // namespace varda::cmdlang
