#include "cmdlang/values.h"

#include <gtest/gtest.h>

#include <string>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

using testing::runScript;
using testing::TestInterp;

TEST(ValuesTest, SubscriptCreatesArraysAndRefusesScalars) {
  TestInterp t;
  ASSERT_TRUE(t.run("a[1] = 5\n").ok);
  const Variable* a = t.in.globals.find("a");
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->type, Type::Array);
  EXPECT_EQ(a->array->find("1")->intValue, 5);

  const auto r = runScript("x = 3; x[0] = 1\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.report, "error-subscripting scalar variable \"x\"\n");
  EXPECT_EQ(runScript("a[\"\"] = 1\n").report, "error-bad element name empty string\n");
  EXPECT_EQ(runScript("b = [1]; a[b] = 1\n").report, "error-using an array as a subscript: \"b\"\n");
}

TEST(ValuesTest, IntegerAndTextKeysNameTheSameElements) {
  // An integer key, given or read from a variable, names the element of its
  // decimal text, and the other way round; also past the point where a large
  // array's lookups go through its index.
  EXPECT_EQ(runScript("a[\"5\"] = 7; a[5]\n").result, 7);
  EXPECT_EQ(runScript("a[5] = 7; a[\"5\"]\n").result, 7);
  EXPECT_EQ(runScript("a[\"-2147483648\"] = 3; i = -2147483647 - 1; a[i]\n").result, 3);
  EXPECT_EQ(runScript("k = \"12\"; a[12] = 4; a[k]\n").result, 4);
  EXPECT_EQ(runScript("for (i = 0; i < 200; i++) { k = mkstr(i); a[k] = i }\ns = 0\n"
                      "for (i = 0; i < 200; i++) { s = s + a[i] }\ns\n")
                .result,
            19900);
  const auto r = runScript("a[-7] = 1; a[\"-7\"] = 2; a[-7] + a[\"-7\"]\n");
  EXPECT_EQ(r.result, 4);
  EXPECT_EQ(runScript("a[1] = 1; a[u]\n").report, "error-Reference to an uninitialised variable \"u\"\n");

  // Listing order is the table's: bucket by bucket, newest first in a chain.
  TestInterp t;
  ASSERT_TRUE(t.run("a[1] = 1; a[\"10\"] = 2; a[0] = 3; i = 2; a[i] = 4\n").ok);
  std::string keys;
  t.in.globals.find("a")->array->forEach([&](const Variable& v) { keys += v.name.str() + " "; });
  EXPECT_EQ(keys, "0 10 1 2 ");
  EXPECT_EQ(fullname(*t.in.globals.find("a")->array->find("10")), "a[10]");
}

TEST(ValuesTest, CopiesAreDeepAndArraysCannotTakeTheirRelatives) {
  EXPECT_EQ(runScript("a = [7, 8]; b = a; b[0] = 9; a[0]\n").result, 7);
  const char* const kRelatives = "error-arrays cannot be assigned to their parents/children\n";
  EXPECT_EQ(runScript("a = [[1]]; a = a[0]\n").report, kRelatives);
  EXPECT_EQ(runScript("a = [[1]]; a[0] = a\n").report, kRelatives);
  // a[0] holds an integer: it becomes a copy of a as it was.
  TestInterp t;
  ASSERT_TRUE(t.run("a = [1]; a[0] = a\n").ok);
  EXPECT_EQ(t.run("a[0][0]\n").result, 1);
  EXPECT_EQ(t.run("a[0][0] = 2; a[0][0]\n").result, 2);
}

// An array nested 200000 deep is built, copied, compared and destroyed
// level by level: with recursion each of these would overflow the stack.
TEST(ValuesTest, DeeplyNestedArraysNeedNoDeepStack) {
  std::string path = "a";
  for (int i = 0; i < 200000; ++i) path += "[0]";
  {
    TestInterp t;
    ASSERT_TRUE(t.run(path + " = 1\n").ok);
    const auto r =
        t.run("b = a; c[1] = a; same = a == b; b" + path.substr(1) + " = 2\n(a == b) * 10 + same\n");
    ASSERT_TRUE(r.ok) << r.report;
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(t.run("b = 7\n").report, "error-illegal operation on type(s): (array) = (int)\n");
    EXPECT_EQ(t.run("a[0] = a\n").report, "error-arrays cannot be assigned to their parents/children\n");
    ASSERT_TRUE(t.run("remove b\n").ok);
  }  // a and c go with the interpreter
}

TEST(ValuesTest, TypeChangesInvolvingArraysAreRefused) {
  EXPECT_EQ(runScript("a = [1]; a = 5\n").report, "error-illegal operation on type(s): (array) = (int)\n");
  EXPECT_EQ(runScript("a = [1]; x = 2; a = x\n").report,
            "error-illegal operation on type(s): (array) = (int)\n");
  EXPECT_TRUE(runScript("a = [1]; b = [2, 3]; a = b\n").ok);
  EXPECT_TRUE(runScript("x = 5; x = \"t\"; x = 6\n").ok);
}

TEST(ValuesTest, ReadingAnUndefinedVariableLeavesNoStrayGlobal) {
  TestInterp t;
  const auto r = t.run("y = z\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.report, "error-Reference to an uninitialised variable \"z\"\n");
  EXPECT_EQ(t.in.globals.find("z"), nullptr);
}

TEST(ValuesTest, NamesInCompiledCodeFollowTheTablesAsTheyChange) {
  // The same cells resolve a name again after the tables changed: a global
  // removed and made anew, a stray global dropped by a failed read, a local
  // of the same name in another activation.
  TestInterp t;
  ASSERT_TRUE(t.run("x = 1\nproc q { $$ = x }\na = q\nremove x\nx = 5\nb = q\n").ok);
  EXPECT_EQ(t.in.globals.find("a")->intValue, 1);
  EXPECT_EQ(t.in.globals.find("b")->intValue, 5);
  EXPECT_FALSE(t.run("proc u { $$ = z }\ny = u\n").ok);
  EXPECT_EQ(t.in.globals.find("z"), nullptr);
  ASSERT_TRUE(t.run("z = 3\nw = u\n").ok);
  EXPECT_EQ(t.in.globals.find("w")->intValue, 3);
  ASSERT_TRUE(t.run("proc r n {\n n = $1\n if (n < 2) $$ = n + (r(n + 1)) else $$ = 100\n}\nv = r(1)\n").ok);
  EXPECT_EQ(t.in.globals.find("v")->intValue, 101);  // 1 + the inner call's 100
  EXPECT_EQ(t.in.globals.find("n"), nullptr);        // every n was a local
}

TEST(ValuesTest, ArgumentNames) {
  EXPECT_EQ(argumentName(1).view(), "$1");
  EXPECT_EQ(argumentName(0).view(), "$0");
  EXPECT_EQ(argumentName(12).view(), "$12");
  EXPECT_EQ(argumentName(-5).view(), "$-5");
  EXPECT_EQ(argumentName(-2147483647 - 1).view(), "$-2147483648");
  // Eleven arguments: "$10" and "$11" reach the procedure too.
  TestInterp t;
  ASSERT_TRUE(t.run("proc p { $$ = $11 - $10 + $# }\ny = p(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 30)\n").ok);
  EXPECT_EQ(t.in.globals.find("y")->intValue, 31);
}

TEST(ValuesTest, EmptyLocalArrayParameters) {
  TestInterp t;
  ASSERT_TRUE(t.run("proc f a[] i { for (i = 0; i < 3; i++) a[i] = i * 2\n $$ = a[2] }\ny = f\nz = f\n").ok);
  EXPECT_EQ(t.in.globals.find("y")->intValue, 4);
  EXPECT_EQ(t.in.globals.find("z")->intValue, 4);
  EXPECT_EQ(t.in.globals.find("a"), nullptr);
  EXPECT_EQ(runScript("proc h a[] a[] { }\nh\n").report,
            "error-internal command language error duplicate empty local array: \"a\"\n");
}

TEST(ValuesTest, ArrayConstructionKeysAndFirstKeyWins) {
  TestInterp t;
  ASSERT_TRUE(t.run("a = [3, 4]; b = [\"k\" => 1, \"k\" => 2]; c = [5, 9 => 6, 7]\n").ok);
  const Variable* a = t.in.globals.find("a");
  EXPECT_EQ(a->array->find("0")->intValue, 3);
  EXPECT_EQ(a->array->find("1")->intValue, 4);
  EXPECT_EQ(t.in.globals.find("b")->array->find("k")->intValue, 1);
  const Variable* c = t.in.globals.find("c");
  EXPECT_EQ(c->array->find("9")->intValue, 6);
  EXPECT_EQ(c->array->find("2")->intValue, 7);  // the entry count before insertion
  EXPECT_EQ(t.run("[] == []\n").result, 1);
  EXPECT_EQ(t.run("a == [3, 4]\n").result, 1);
  EXPECT_EQ(t.run("a != [3, \"4\"]\n").result, 1);
}

TEST(ValuesTest, PathsAndFullNames) {
  TestInterp t;
  ASSERT_TRUE(t.run("a[1].x = 5; a[\"k\"] = 2\n").ok);
  const Variable* x = findbypath(t.in.globals, "a[1].x");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->intValue, 5);
  EXPECT_EQ(fullname(*x), "a[1].x");
  EXPECT_NE(findbypath(t.in.globals, "a[\"k\"]"), nullptr);
  EXPECT_EQ(findbypath(t.in.globals, "a[2]"), nullptr);
  EXPECT_EQ(findbypath(t.in.globals, ".a"), nullptr);
  EXPECT_EQ(findbypath(t.in.globals, "a[1].x.y"), nullptr);
}

}  // namespace
}  // namespace varda::cmdlang
