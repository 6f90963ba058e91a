#include "cmdlang/operators.h"

#include <gtest/gtest.h>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

using testing::runScript;
using testing::TestInterp;

std::int32_t value(const char* expression) {
  const auto r = runScript(std::string(expression) + "\n");
  EXPECT_TRUE(r.ok) << expression << ": " << r.report;
  return r.result;
}

/// The text an expression gives, through a variable.
std::string text(const char* expression) {
  TestInterp t;
  const auto r = t.run(std::string("r = ") + expression + "\n");
  EXPECT_TRUE(r.ok) << expression << ": " << r.report;
  const Variable* v = t.in.globals.find("r");
  return v != nullptr ? v->textValue.str() : std::string("<none>");
}

std::string failure(const char* program) { return runScript(std::string(program) + "\n").report; }

TEST(OperatorsTest, IntegersWrapTruncateAndShiftModulo32) {
  EXPECT_EQ(value("7 / -2"), -3);
  EXPECT_EQ(value("7 % -2"), 1);
  EXPECT_EQ(value("1 << 33"), 2);
  EXPECT_EQ(value("-8 >> 1"), -4);
  EXPECT_EQ(value("2147483647 + 1"), INT32_MIN);
  EXPECT_EQ(value("0x80000000 / -1"), INT32_MIN);
  EXPECT_EQ(value("0x80000000 % -1"), 0);
  EXPECT_EQ(value("1 + 2 * 3"), 7);
  EXPECT_EQ(value("1 << 2 + 1"), 8);
  EXPECT_EQ(value("1 | 2 == 2"), 1);
  EXPECT_EQ(value("-3 < 2"), 1);
  EXPECT_EQ(value("~0"), -1);
  EXPECT_EQ(value("!5"), 0);
  EXPECT_EQ(failure("x = 5; x /= 0"), "error-division by zero\n");
  TestInterp t;
  EXPECT_FALSE(t.run("x = 5; x /= 0\n").ok);
  EXPECT_EQ(t.run("x\n").result, 5) << "x keeps its value";
}

TEST(OperatorsTest, ShortCircuitKeepsTheDecidingLeftValue) {
  EXPECT_EQ(value("5 || x"), 5);
  EXPECT_EQ(value("0 && x"), 0);
  EXPECT_EQ(value("2 && 3"), 1);
  EXPECT_EQ(value("0 || 0"), 0);
  EXPECT_EQ(value("0 || 7"), 1);
  EXPECT_EQ(value("1 && (0 || 2)"), 1);
  EXPECT_EQ(failure("\"a\" && 1"), "error-illegal operation on type(s): (string) && \n");
  EXPECT_EQ(failure("1 && \"a\""), "error-illegal operation on type(s): (int) && (string)\n");
}

TEST(OperatorsTest, TextOperators) {
  EXPECT_EQ(text("\"abcabc\" - \"b\""), "acabc");
  EXPECT_EQ(text("\"key=value\" / \"=\""), "key");
  EXPECT_EQ(text("\"key=value\" % \"=\""), "value");
  EXPECT_EQ(text("\"abc\" / \"\""), "abc");
  EXPECT_EQ(text("\"hello\" << 2"), "he");
  EXPECT_EQ(text("\"hello\" >> 10"), "hello");
  EXPECT_EQ(text("\"hello\" >> 0"), "");
  EXPECT_EQ(text("\"a b c\" | \"xyz\""), "ayb");
  EXPECT_EQ(text("\"abc\" & \"x z\""), "a c");
  EXPECT_EQ(text("\"abc\" & \" yz\""), "bc");
  EXPECT_EQ(text("!\"MiXed\""), "mixed");
  EXPECT_EQ(text("~\"MiXed\""), "mIxED");
  EXPECT_EQ(text("\"abc\" * \"b.\""), "bc");
  EXPECT_EQ(text("\"abc\" * \"x\""), "");
  EXPECT_EQ(value("\"ab\" < \"abc\""), 1);
  EXPECT_EQ(value("\"b\" > \"abc\""), 1);
  EXPECT_EQ(value("\"\\xff\" > \"a\""), 1);
  EXPECT_EQ(failure("\"a\" + 1"), "error-illegal operation on type(s): (string) + (int)\n");
  EXPECT_EQ(failure("-\"a\""), "error-illegal operation on type(s): -(string)\n");
  EXPECT_EQ(failure("\"a\" * \"(\""), "error-internal command language error MAKEFSM: extra '(' in regexp\n");
}

TEST(OperatorsTest, CutsAtTheEdgesAndCutsThatLeaveTheTextWhole) {
  // Separators at the first and the last byte, and ones not found.
  EXPECT_EQ(text("\"=ab\" / \"=\""), "");
  EXPECT_EQ(text("\"=ab\" % \"=\""), "ab");
  EXPECT_EQ(text("\"ab=\" / \"=\""), "ab");
  EXPECT_EQ(text("\"ab=\" % \"=\""), "");
  EXPECT_EQ(text("\"ab\" - \"ab\""), "");
  EXPECT_EQ(text("\"abc\" / \"x\""), "abc");
  EXPECT_EQ(text("\"abc\" % \"x\""), "abc");
  EXPECT_EQ(text("\"abc\" - \"x\""), "abc");
  EXPECT_EQ(text("\"abc\" % \"\""), "abc");
  EXPECT_EQ(text("\"abc\" % \"abcd\""), "abc");
  EXPECT_EQ(text("\"\" + \"abc\""), "abc");
  EXPECT_EQ(text("\"abc\" + \"\""), "abc");
  EXPECT_EQ(text("\"abc\" << 3"), "abc");
  EXPECT_EQ(text("\"abc\" * \"a..\""), "abc");
  // A whole text handed on stays the variable's own: changing the variable
  // later leaves the other one as it was.
  TestInterp t;
  ASSERT_TRUE(t.run("s = \"abc\"\nr = s / \"x\"\nq = s\nq += \"d\"\ns -= \"b\"\nw = s % \"\"\n").ok);
  EXPECT_EQ(t.in.globals.find("r")->textValue.str(), "abc");
  EXPECT_EQ(t.in.globals.find("q")->textValue.str(), "abcd");
  EXPECT_EQ(t.in.globals.find("s")->textValue.str(), "ac");
  EXPECT_EQ(t.in.globals.find("w")->textValue.str(), "ac");
  // Comparisons of equal and unequal lengths.
  EXPECT_EQ(value("\"abc\" == \"abc\""), 1);
  EXPECT_EQ(value("\"abc\" == \"abd\""), 0);
  EXPECT_EQ(value("\"ab\" != \"abc\""), 1);
  EXPECT_EQ(value("\"\" <= \"\""), 1);
}

TEST(OperatorsTest, IncrementsAndCompoundAssignments) {
  EXPECT_EQ(value("i = 4; i++"), 4);
  EXPECT_EQ(value("i = 4; i++; i"), 5);
  EXPECT_EQ(value("i = 4; --i"), 3);
  EXPECT_EQ(failure("s = \"a\"; s++"), "error-illegal operation on type(s): (string)++\n");
  EXPECT_EQ(failure("++u"), "error-Reference to an uninitialised variable \"u\"\n");
  EXPECT_EQ(value("x = 6; x += 1"), 7);
  EXPECT_EQ(value("x = 6; x <<= 2; x"), 24);
  EXPECT_EQ(text("(s = \"abc\") * \"\" + (s *= \"b.\")"), "bc");
  EXPECT_EQ(text("(s = \"hello\") * \"\" + (s <<= 2)"), "he");
  EXPECT_EQ(failure("s = \"a\"; s ^= \"b\""), "error-illegal operation on type(s): (string) ^= (string)\n");
  EXPECT_EQ(failure("s = \"a\"; s += 1"), "error-illegal operation on type(s): (string) += (int)\n");
  EXPECT_EQ(failure("x = 1; x += \"a\""), "error-illegal operation on type(s): (int) += (string)\n");
}

}  // namespace
}  // namespace varda::cmdlang
