#include "cmdlang/engine.h"

#include <gtest/gtest.h>

#include <string>

#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

using testing::runScript;
using testing::TestInterp;

/// Thrown by the fatal hook of the depth tests.
struct FatalEnd {
  std::string message;
};
void throwFatal(const char* message) { throw FatalEnd{message}; }

/// The fatal message that ended `text`, or "none" when it ran to its end.
std::string fatalOf(const std::string& text) {
  const support::FatalHook previous = support::setFatalHook(throwFatal);
  std::string message = "none";
  try {
    TestInterp t;
    t.run(text);
  } catch (const FatalEnd& end) {
    message = end.message;
  }
  support::setFatalHook(previous);
  EXPECT_EQ(support::handlerCount(), 0);
  return message;
}

/// A procedure whose body nests `blocks` blocks around a call of itself, on
/// at most `levels` levels (all when 0).
std::string nestedRecursion(int blocks, int levels) {
  std::string text = "depth = 0\nproc n {\n  depth++\n";
  text += levels > 0 ? "if (depth < " + std::to_string(levels) + ") {\n" : "if (1) {\n";
  for (int i = 0; i < blocks; ++i) text += "while (depth > 0) {\n";
  text += "n\n";
  for (int i = 0; i < blocks; ++i) text += "depth = -1000000 }\n";
  return text + "}\n}\nn\n";
}

// Code walks nest as blocks nest and calls call, each a level of C++
// recursion: before the stack could overflow the run ends with the fatal
// abort of too deep a run. Calls alone reach the handler limit first (two
// handler regions a call level).
TEST(EngineTest, NestingEndsWithTheDepthFatalNotAStackOverflow) {
  EXPECT_EQ(fatalOf("proc f { f }\nf\n"), "Exception Depth exceeded\n");
  EXPECT_EQ(fatalOf(nestedRecursion(400, 0)), "Exception Depth exceeded\n");
  EXPECT_EQ(fatalOf(nestedRecursion(1000, 0)), "Exception Depth exceeded\n");
  EXPECT_EQ(fatalOf(nestedRecursion(400, 3)), "none");
  std::string deep = "x = 1";
  for (int i = 0; i < 1000; ++i) deep += " && (1";
  EXPECT_EQ(fatalOf(deep + std::string(1000, ')') + "\n"), "none");
}

TEST(EngineTest, ProceduresTakeArgumentsAndReturnTheirResult) {
  TestInterp t;
  ASSERT_TRUE(t.run("proc p { $$ = $1 + 1 }\ny = p(4)\n").ok);
  EXPECT_EQ(t.in.globals.find("y")->intValue, 5);
  // Without a result the assignment finds nothing on the stack.
  EXPECT_EQ(runScript("proc q { }\ny = q\n").report,
            "error-internal command language error operand stack underflow\n");
  // Arguments of a bare call are texts.
  TestInterp s;
  ASSERT_TRUE(s.run("proc p { x = $1 }\np 5\n").ok);
  EXPECT_EQ(s.in.globals.find("x")->textValue.view(), "5");
}

TEST(EngineTest, ExpressionValuesStayOnTheStackUntilTheFrameEnds) {
  // 'b = 7' leaves 7 on the stack; 'y = q' pushes nothing for q, so the
  // assignment takes y as its source and 7 as its target.
  EXPECT_EQ(runScript("proc q { }\nb = 7\ny = q\n").report, "error-expected variable\n");
  EXPECT_EQ(runScript("1; 2; 3\n").result, 3);
  // Each run of a text has a frame of its own: nothing is left from before.
  TestInterp t;
  ASSERT_TRUE(t.run("proc q { }\nb = 7\n").ok);
  EXPECT_EQ(t.run("y = q\n").report, "error-internal command language error operand stack underflow\n");
}

TEST(EngineTest, IgnoredErrorsSkipTheRestOfTheStatement) {
  TestInterp t;
  const auto r = t.run("clerror -i\nx = undefined_name\nwrite done\n");
  EXPECT_TRUE(r.ok) << r.report;
  EXPECT_EQ(r.output, "done\n");
}

TEST(EngineTest, ErrorsInsideProceduresCarryTheCallTrace) {
  const auto r = runScript(
      "#line 1 s.cl\n"
      "proc a { x = 1 / 0 }\n"
      "proc b { a }\n"
      "proc c { b }\n"
      "c\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.report, "error-s.cl(1)-division by zero\na-s.cl(2)\nb-s.cl(3)\nc-s.cl(4)\n");
}

TEST(EngineTest, StatementTraceAndCallTraceGoToTheInformationOutput) {
  TestInterp t;
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(t.run("proc p { }\nclinfo 3\np 1 two\n").ok);
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Info> calling p 1 two\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Info> executing  line  3\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace varda::cmdlang
