#include "cmdlang/scope.h"

#include <gtest/gtest.h>

#include <string>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

using testing::TestInterp;

/// The result of `text`, or the error report that ended it.
std::string outcome(TestInterp& t, const std::string& text) {
  const testing::ScriptRun r = t.run(text);
  return r.ok ? std::to_string(r.result) : r.report;
}

TEST(ScopeTest, ArgumentsAndResultWithoutATable) {
  TestInterp t;
  ASSERT_TRUE(t.run("proc add { $$ = $1 + $2 }\nproc count { $$ = $# }\nproc first { $$ = $0 }\n").ok);
  EXPECT_EQ(outcome(t, "add(2, 3)\n"), "5");
  EXPECT_EQ(outcome(t, "x = \"ab\"\ny = add(x, \"cd\")\ny == \"abcd\"\n"), "1");
  EXPECT_EQ(outcome(t, "count(1, \"a\", 3)\n"), "3");
  EXPECT_EQ(outcome(t, "count\n"), "0");
  EXPECT_EQ(outcome(t, "first(4)\n"), "4") << "$0 reads as $1";
  ASSERT_TRUE(t.run("proc third { $$ = $3 }\n").ok);
  EXPECT_EQ(outcome(t, "third(1, 2)\n"), "error-argument(s) needed\n");
}

TEST(ScopeTest, TheTableMadeLateHoldsWhatTheCallHad) {
  TestInterp t;
  // A declared local makes the table after the arguments were read.
  ASSERT_TRUE(t.run("proc q n { n = $1 * 2; $$ = n + $# + $1 }\n").ok);
  EXPECT_EQ(outcome(t, "q(5)\n"), "16");
  // A result stored before the table is made is the table's "$".
  ASSERT_TRUE(t.run("proc s { $$ = 7; y = clsymbol \"$\"; $$ = $$ * 10 + y }\n").ok);
  EXPECT_EQ(outcome(t, "s\n"), "71");
  // A command looking into its caller's scope makes the caller's table.
  ASSERT_TRUE(t.run("proc r { $$ = (clsymbol(\"$#\")) * 10 + (clsymbol(\"$2\")) }\n").ok);
  EXPECT_EQ(outcome(t, "r(1, 2)\n"), "11");
  EXPECT_EQ(outcome(t, "r(1)\n"), "10");
}

TEST(ScopeTest, AnArrayArgumentIsCopiedAtTheCall) {
  TestInterp t;
  ASSERT_TRUE(t.run("g = [1, 2]\nproc a { g[0] = 9; x = $1; $$ = x[0] * 10 + g[0] }\n").ok);
  EXPECT_EQ(outcome(t, "a(g)\n"), "19");
}

TEST(ScopeTest, EachCallStartsWithAnUndefinedResult) {
  TestInterp t;
  // The emptied "$" of one call serves the next: it must not keep a value.
  ASSERT_TRUE(t.run("proc set { $$ = \"old\" }\nproc none { }\n").ok);
  EXPECT_EQ(outcome(t, "x = set\nx == \"old\"\n"), "1");
  EXPECT_EQ(outcome(t, "y = none\n"), "error-internal command language error operand stack underflow\n");
  // After a statement that left a value, the missing result pops that value.
  EXPECT_EQ(outcome(t, "set\nz = none\n"), "error-expected variable\n");
}

TEST(ScopeTest, NamesOutsideCallsAndCachedGlobals) {
  TestInterp t;
  // A global read through a cached name in calls without tables, then in a
  // call with one, then again without.
  ASSERT_TRUE(t.run("k = 3\nproc plain { $$ = k + $1 }\nproc local v { v = 1; $$ = k + v }\n").ok);
  EXPECT_EQ(outcome(t, "(plain(1)) + (plain(2))\n"), "9");
  EXPECT_EQ(outcome(t, "local\n"), "4");
  EXPECT_EQ(outcome(t, "k = 10\nplain(1)\n"), "11");
}

TEST(ScopeTest, AllArgumentsPassOn) {
  TestInterp t;
  ASSERT_TRUE(t.run("proc show { write $# $1 $3 }\nproc pass { show $* }\n").ok);
  EXPECT_EQ(t.run("pass(1, \"b\", 3)\n").output, "3 1 3\n");
}

}  // namespace
}  // namespace varda::cmdlang
