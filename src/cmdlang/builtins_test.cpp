#include "cmdlang/builtins.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cmdlang/command_test_util.h"
#include "cmdlang/values.h"

namespace varda::cmdlang {
namespace {

using testing::arg;
using testing::callCommand;
using testing::runScript;
using testing::ScriptRun;
using testing::TestInterp;

constexpr const char* kFormatLines =
    "  -d signed decimal\n  -u unsigned decimal\n  -x hexadecimal\n  -o octal\n  -b binary\n  -c ASCII\n";

/// Runs one more text on `t`, ended by a line feed as every line is.
ScriptRun run(TestInterp& t, std::string text) { return t.run(text + "\n"); }

std::string outputOf(std::string_view script) {
  const ScriptRun r = runScript(std::string(script) + "\n");
  EXPECT_TRUE(r.ok) << script << "\n" << r.report;
  return r.output;
}

std::string reportOf(std::string_view script) {
  const ScriptRun r = runScript(std::string(script) + "\n");
  EXPECT_FALSE(r.ok) << script;
  return r.report;
}

std::string textOf(TestInterp& t, const char* name) {
  const Variable* v = t.in.globals.find(name);
  return v != nullptr && v->type == Type::Text ? v->textValue.str() : "<not a text>";
}

TEST(BuiltinsTest, TableAndHelp) {
  TestInterp t;
  for (const char* name :
       {"addhelp", "cd",     "clinfo", "clerror", "clsymbol",  "eval",  "event",   "forcewhen",
        "feof",    "fgets",  "fopen",  "fputs",   "fwrite",    "fread", "fappend", "fclose",
        "getenv",  "help",   "mkdir",  "mknum",   "mkstr",     "mv",    "parse",   "pwd",
        "remove",  "rewind", "rm",     "rmdir",   "showprocs", "sys",   "token",   "write"}) {
    const CommandEntry* e = t.in.commands.find(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->token, kCommandToken);
    EXPECT_NE(e->handler, nullptr);
    EXPECT_EQ(e->word, 0U);
  }
  EXPECT_EQ(
      run(t, "help mkstr nosuch").output,
      std::string("mkstr [format] argument\n  convert argument into formatted string\nwhere format:\n") +
          kFormatLines + "no help on nosuch\n");
  EXPECT_EQ(run(t, "help write").output,
            std::string("write [-n] [[format] string] ... -- string ...\n  display formatted strings\n"
                        "  -n no newline\n  -- no further formatting\nwhere format:\n") +
                kFormatLines);
  EXPECT_EQ(run(t, "help clsymbol").output,
            "clsymbol string, return 0 if string not a symbol\n"
            "                 return 1 if string is a variable name\n"
            "                 return 2 if string is a procedure name\n"
            "                 return 3 if string is a command name\n"
            "clsymbol -all|-vars|-procs|-commands\n  -all display all symbol names\n"
            "  -vars display all variable names\n  -procs display all procedure names\n"
            "  -commands display all command names\n");
  EXPECT_EQ(
      run(t, "help").output,
      "command language constructs - proc, if, else, while, when, for, include, directory, #line\n"
      "misc functions - addhelp, cd, clinfo, clerror, clsymbol, eval, event, fclose, feof, fgets, fopen, "
      "fputs, help, mknum, mkstr, mv, parse, pwd, remove, rewind, rm, sys, write\n");
}

TEST(BuiltinsTest, HelpOnProceduresAndVariables) {
  TestInterp t;
  ASSERT_TRUE(run(t, "proc p { }\nproc q { }\nv = 1\naddhelp p \"p does nothing\\n\"").ok);
  EXPECT_EQ(run(t, "help p q v none").output, "p does nothing\nprocedure\nvariable\nno help on none\n");
  ASSERT_TRUE(run(t, "addhelp p \"again\\n\"").ok);
  EXPECT_EQ(run(t, "help p").output, "again\n");
  EXPECT_EQ(run(t, "addhelp v text").report, "addhelp error-invalid name not a procedure\n");
  EXPECT_EQ(run(t, "addhelp p").report,
            "addhelp error-argument(s) needed addhelp requires a procedure name and help string\n");
}

TEST(BuiltinsTest, MkstrAndMknum) {
  TestInterp t;
  ASSERT_TRUE(run(t,
                  "a = mkstr -x 255\nb = mkstr -o 8\nc = mkstr -b 5\nd = mkstr -c 65\ne = mkstr -u -1\n"
                  "f = mkstr -7\ng = mkstr -x text\n")
                  .ok);
  EXPECT_EQ(textOf(t, "a"), "0x000000ff");
  EXPECT_EQ(textOf(t, "b"), "000000000010");
  EXPECT_EQ(textOf(t, "c"), std::string(29, '0') + "101");
  EXPECT_EQ(textOf(t, "d"), "A");
  EXPECT_EQ(textOf(t, "e"), "4294967295");
  EXPECT_EQ(textOf(t, "f"), "-7");
  EXPECT_EQ(textOf(t, "g"), "text");
  ASSERT_TRUE(
      run(t,
          "h = mkstr (-2147483647 - 1)\ni = mkstr -x (-1)\nj = mkstr 2147483647\nk = mkstr -u 0x80000000\n")
          .ok);
  EXPECT_EQ(textOf(t, "h"), "-2147483648");
  EXPECT_EQ(textOf(t, "i"), "0xffffffff");
  EXPECT_EQ(textOf(t, "j"), "2147483647");
  EXPECT_EQ(textOf(t, "k"), "2147483648");
  EXPECT_EQ(run(t, "mkstr -q 1").report, "mkstr error-argument(s) needed invalid argument\n");
  EXPECT_EQ(run(t, "mkstr").report, "mkstr error-argument(s) needed\n");
  EXPECT_EQ(run(t, "mkstr -x 1 2").report, "mkstr error-argument(s) needed\n");
  EXPECT_EQ(run(t, "mkstr ([1])").report, "mkstr error-argument(s) needed invalid argument\n");

  EXPECT_EQ(run(t, "mknum 0x10").result, 16);
  EXPECT_EQ(run(t, "mknum \" -12 \"").result, -12);
  EXPECT_EQ(run(t, "mknum abc").report, "mknum error-expected integer invalid number\n");
  EXPECT_EQ(run(t, "mknum ([1])").report, "mknum error-argument(s) needed invalid argument\n");
  EXPECT_EQ(run(t, "mknum 1 2").report, "mknum error-argument(s) needed\n");
}

TEST(BuiltinsTest, Write) {
  EXPECT_EQ(outputOf("write -x 255 abc"), "0x000000ff abc\n");
  EXPECT_EQ(outputOf("write -n a b"), "a b");
  EXPECT_EQ(outputOf("write"), "\n");
  // A format waits for an argument that is a number; "--" ends formatting.
  EXPECT_EQ(outputOf("write -o word 8 9"), "word 000000000010 9\n");
  EXPECT_EQ(outputOf("write -d 5 -- -x 255 -n"), "5 -x 255 -n\n");
  EXPECT_EQ(outputOf("write -c 65 -b 2"), "A 00000000000000000000000000000010\n");
  EXPECT_EQ(outputOf("a = [7, \"t\"]\nwrite -x (a) end"), "0=0x00000007\n1=t\n end\n");
}

TEST(BuiltinsTest, Token) {
  TestInterp t;
  EXPECT_TRUE(run(t, "x = token a-b-c 2").ok);
  EXPECT_EQ(textOf(t, "x"), "");
  EXPECT_TRUE(run(t, "x = token \"one two\" 2").ok);
  EXPECT_EQ(textOf(t, "x"), "two");
  EXPECT_TRUE(run(t, "x = token \"  one\\t\\ttwo \" 0").ok);
  EXPECT_EQ(textOf(t, "x"), "one");
  EXPECT_TRUE(run(t, "x = token \"a b\\nc d\\n\\ne\" 3 -line").ok);
  EXPECT_EQ(textOf(t, "x"), "e");
  EXPECT_TRUE(run(t, "x = token -l \"a b\\nc d\" 2").ok);
  EXPECT_EQ(textOf(t, "x"), "c d");
  EXPECT_EQ(run(t, "token a").report, "token error-invalid command incorrect number of arguments\n");
}

TEST(BuiltinsTest, ClinfoAccumulates) {
  TestInterp t;
  ASSERT_TRUE(run(t, "clinfo 1\nclinfo 2").ok);
  EXPECT_EQ(t.in.eng.trace, 6U);
  ASSERT_TRUE(run(t, "clinfo 0\nclinfo 0x30").ok);
  EXPECT_EQ(t.in.eng.trace, 0x30U);
  ASSERT_TRUE(run(t, "clinfo 0\nclinfo 3").ok);
  EXPECT_EQ(t.in.eng.trace, 14U);
  ::testing::internal::CaptureStdout();  // calls are traced now
  ASSERT_TRUE(run(t, "clinfo 0").ok);
  EXPECT_NE(::testing::internal::GetCapturedStdout().find("Info> calling clinfo 0\n"), std::string::npos);
  EXPECT_EQ(t.in.eng.trace, 0U);
  EXPECT_EQ(run(t, "clinfo").report, "clinfo error-argument(s) needed\n");
  EXPECT_EQ(run(t, "clinfo x").report, "clinfo error-expected integer\n");
}

TEST(BuiltinsTest, Clerror) {
  EXPECT_EQ(reportOf("clerror oops"), "clerror error-oops\n");
  EXPECT_EQ(outputOf("clerror -i\nx = undefined_name\nwrite done"), "done\n");
  EXPECT_EQ(reportOf("clerror -ignore\nclerror -stop\nx = undefined_name\nwrite done"),
            "error-Reference to an uninitialised variable \"undefined_name\"\n");
  EXPECT_EQ(reportOf("clerror a b"), "clerror error-invalid command incorrect number of arguments\n");
}

TEST(BuiltinsTest, Clsymbol) {
  TestInterp t;
  ASSERT_TRUE(run(t, "v = 1\na[1].x = 2\nproc p { }").ok);
  EXPECT_EQ(run(t, "clsymbol v").result, 1);
  EXPECT_EQ(run(t, "clsymbol a[1].x").result, 1);
  EXPECT_EQ(run(t, "clsymbol a[2]").result, 0);
  EXPECT_EQ(run(t, "clsymbol p").result, 2);
  EXPECT_EQ(run(t, "clsymbol write").result, 3);
  EXPECT_EQ(run(t, "clsymbol while").result, 3);
  EXPECT_EQ(run(t, "clsymbol nothing").result, 0);
  // A procedure's parameters are its locals.
  ASSERT_TRUE(run(t, "proc q n { $$ = clsymbol n }").ok);
  EXPECT_EQ(run(t, "q").result, 1);

  TestInterp u;
  ASSERT_TRUE(run(u, "s = \"text\"\nproc p { }").ok);
  EXPECT_EQ(run(u, "clsymbol -vars").output, "s=text\n");
  EXPECT_EQ(run(u, "clsymbol -procs").output, "p \n");
  const std::string commands = run(u, "clsymbol -commands").output;
  EXPECT_NE(commands.find("proc "), std::string::npos);
  EXPECT_NE(commands.find("write "), std::string::npos);
  EXPECT_EQ(commands.back(), '\n');
  EXPECT_EQ(run(u, "clsymbol -all").output, "s=text\np \n" + commands);
}

TEST(BuiltinsTest, Eval) {
  TestInterp t;
  ASSERT_TRUE(run(t, "proc add { $$ = $1 + $2 }\nproc none { }").ok);
  EXPECT_EQ(run(t, "eval add (2) (3)").result, 5);
  ASSERT_TRUE(run(t, "x = eval add 2 3").ok);  // texts: joined
  EXPECT_EQ(textOf(t, "x"), "23");
  ASSERT_TRUE(run(t, "x = eval mkstr -x 255").ok);
  EXPECT_EQ(textOf(t, "x"), "0x000000ff");
  EXPECT_EQ(run(t, "y = eval none").report,
            "error-internal command language error operand stack underflow\n");
  EXPECT_EQ(run(t, "eval").report, "eval error-argument(s) needed eval requires a procedure name\n");
  EXPECT_EQ(run(t, "eval nothing").report, "eval error-invalid name not a procedure\n");
  EXPECT_EQ(run(t, "eval while").report, "eval error-invalid name not a procedure\n");
  EXPECT_EQ(run(t, "eval mknum z").report, "mknum error-expected integer invalid number\n");
}

TEST(BuiltinsTest, Parse) {
  TestInterp t;
  EXPECT_EQ(run(t, "parse \"1 + 2\"").result, 3);
  const ScriptRun bad = run(t, "parse \"mknum abc\"\nwrite next");
  EXPECT_TRUE(bad.ok);
  EXPECT_EQ(bad.output, "mknum error-expected integer invalid number\nnext\n");
  EXPECT_EQ(run(t, "parse").report, "parse error-argument(s) needed\n");
}

TEST(BuiltinsTest, RemoveAndShowprocs) {
  TestInterp t;
  ASSERT_TRUE(run(t, "proc p { }\nproc q { }\nv = 1\na[1] = 2\na[2] = 3").ok);
  EXPECT_EQ(run(t, "showprocs").output, "p q \n");
  EXPECT_EQ(run(t, "remove p").output, "procedure p removed\n");
  EXPECT_EQ(run(t, "showprocs").output, "q \n");
  EXPECT_EQ(run(t, "remove v\nremove a[1]").output, "");
  EXPECT_EQ(t.in.globals.find("v"), nullptr);
  ASSERT_NE(t.in.globals.find("a"), nullptr);
  EXPECT_EQ(t.in.globals.find("a")->array->count(), 1U);
  t.in.eng.trace = 8;
  ::testing::internal::CaptureStdout();
  run(t, "remove a");
  const std::string info = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(info.find("Info> variable a removed\n"), std::string::npos);
  t.in.eng.trace = 0;
  EXPECT_EQ(t.in.globals.find("a"), nullptr);
  EXPECT_TRUE(run(t, "remove nothing").ok);
  EXPECT_EQ(run(t, "remove").report, "remove error-argument(s) needed\n");
}

TEST(BuiltinsTest, Getenv) {
  TestInterp t;
  ::setenv("VARDA_TEST_VALUE", "v a l", 1);
  ASSERT_TRUE(run(t, "x = getenv VARDA_TEST_VALUE\ny = getenv VARDA_TEST_UNSET_NAME").ok);
  EXPECT_EQ(textOf(t, "x"), "v a l");
  EXPECT_EQ(textOf(t, "y"), "");
  EXPECT_EQ(run(t, "getenv").report, "getenv error-argument(s) needed\n");
}

/// Runs in a scratch directory and goes back to where the test started.
class DirectoryCommandsTest : public ::testing::Test {
 protected:
  DirectoryCommandsTest() : start_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "varda_dirs_XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~DirectoryCommandsTest() override {
    std::filesystem::current_path(start_);
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  std::filesystem::path start_;
  std::string dir_;
  TestInterp t;
};

TEST_F(DirectoryCommandsTest, CdPwdMkdirRmdirRmMv) {
  const std::string canonical = std::filesystem::canonical(dir_).string();
  ScriptRun r = run(t, "cd " + dir_);
  ASSERT_TRUE(r.ok) << r.report;
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(run(t, "pwd").output, canonical + "\n");
  r = run(t, "x = pwd -q");
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(textOf(t, "x"), canonical);
  EXPECT_EQ(run(t, "mkdir d1 d2").result, 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/d2"));
  std::ofstream(dir_ + "/f.txt") << "x";
  EXPECT_EQ(run(t, "mv f.txt d1/g.txt").result, 0);
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/d1/g.txt"));
  // A failure is printed and returned; the later arguments are still done.
  r = run(t, "rmdir d1 d2");
  EXPECT_EQ(r.output, "Directory not empty\n");
  EXPECT_EQ(r.result, 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/d2"));
  r = run(t, "rm d1/g.txt nofile");
  EXPECT_EQ(r.output, "No such file or directory\n");
  EXPECT_EQ(r.result, -1);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/d1/g.txt"));
  r = run(t, "mv none other");
  EXPECT_EQ(r.output, "No such file or directory\n");
  EXPECT_EQ(r.result, -1);
  r = run(t, "cd nowhere");
  EXPECT_EQ(r.output, "No such file or directory\n");
  EXPECT_EQ(r.result, -1);
  EXPECT_EQ(run(t, "mv a").report, "mv error-invalid command incorrect number of arguments\n");
  EXPECT_EQ(run(t, "mkdir").report, "mkdir error-argument(s) needed\n");
  EXPECT_EQ(run(t, "rm").report, "rm error-argument(s) needed\n");
  EXPECT_EQ(run(t, "cd").report, "cd error-argument(s) needed\n");
  EXPECT_EQ(run(t, "pwd x").report, "pwd error-invalid command incorrect number of arguments\n");
}

TEST(SysTest, OutputStatusAndErrors) {
  TestInterp t;
  testing::CommandRun r = callCommand(t, "sys", {arg("echo"), arg("hi")});
  ASSERT_TRUE(r.ok) << r.report;
  EXPECT_EQ(r.output, "hi\n");
  EXPECT_EQ(r.result.asInt(), 0);
  r = callCommand(t, "sys", {arg("echo err 1>&2; exit 3")});
  EXPECT_EQ(r.output, "err\n");
  EXPECT_EQ(r.result.asInt(), 3);
  // A lone carriage return stays; one before a line feed goes.
  r = callCommand(t, "sys", {arg("printf 'a\\rb\\r\\nc\\r'")});
  EXPECT_EQ(r.output, "a\rb\nc\r");
  EXPECT_EQ(callCommand(t, "sys", {}).report, "sys error-argument(s) needed\n");
  EXPECT_EQ(callCommand(t, "sys", {arg("echo"), arg(std::string(1019, 'x'))}).report,
            "sys error-command error command line length > 1024 bytes\n");
  r = callCommand(t, "sys", {arg("true"), arg(std::string(1018, 'x'))});  // 1023 characters
  EXPECT_TRUE(r.ok);
}

TEST(SysTest, CarriageReturnLineFeedAcrossPieces) {
  // 254 blanks and a carriage return fill the first 255-byte piece; the line
  // feed starts the next one.
  TestInterp t;
  testing::CommandRun r = callCommand(t, "sys", {arg("printf '%254s\\r\\nX\\r\\n' ''")});
  ASSERT_TRUE(r.ok) << r.report;
  EXPECT_EQ(r.output, std::string(254, ' ') + "\nX\n");
  r = callCommand(t, "sys", {arg("printf '%254s\\rX' ''")});
  EXPECT_EQ(r.output, std::string(254, ' ') + "\rX");
}

}  // namespace
}  // namespace varda::cmdlang
