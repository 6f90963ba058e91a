#include "cmdlang/walk_steps.h"

#include <gtest/gtest.h>

#include <string>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

using testing::runScript;

Cell ctl(Ctl fn) { return Cell{CellKind::Ctl, static_cast<std::uint8_t>(fn), 0, 1, 0}; }
Cell op(Op fn) { return Cell{CellKind::Op, static_cast<std::uint8_t>(fn), 0, 1, 0}; }
Cell operand(CellKind kind) { return Cell{kind, 0, 0, 1, 0}; }

/// "line: message" of the error that ended `text`.
std::string failure(const std::string& text) {
  testing::TestInterp t;
  if (t.run(text).ok) return "none";
  const ErrorRecord& e = t.in.geterrorinfo();
  return std::to_string(e.line) + ": " + e.message;
}

TEST(WalkStepsTest, RunsAreMarkedOnTheirFirstCellOnly) {
  // x * 7 % 13, then y = 0, then i++, then a text push.
  const std::vector<Cell> cells = {ctl(Ctl::MakeVariable),
                                   operand(CellKind::Text),
                                   ctl(Ctl::Push),
                                   operand(CellKind::Int),
                                   op(Op::Mul),
                                   ctl(Ctl::Push),
                                   operand(CellKind::Int),
                                   op(Op::Mod),
                                   Cell{CellKind::Stmt, 0, 0, 1, 0},
                                   ctl(Ctl::MakeVariable),
                                   operand(CellKind::Text),
                                   ctl(Ctl::Push),
                                   operand(CellKind::Int),
                                   op(Op::Assign),
                                   ctl(Ctl::MakeVariable),
                                   operand(CellKind::Text),
                                   op(Op::PostInc),
                                   ctl(Ctl::Push),
                                   operand(CellKind::Text),
                                   op(Op::AndAnd),
                                   operand(CellKind::End)};
  const std::vector<Step> steps = planSteps(cells, {});
  EXPECT_EQ(steps[0], Step::VarConstOp);
  EXPECT_EQ(steps[2], Step::ConstOp);  // a run inside a run, taken when the walk starts there
  EXPECT_EQ(steps[5], Step::ConstOp);
  EXPECT_EQ(steps[8], Step::Stmt);
  EXPECT_EQ(steps[9], Step::VarConstAssign);
  EXPECT_EQ(steps[14], Step::VarStep);
  EXPECT_EQ(steps[17], Step::PushText);  // && has no integer run
  EXPECT_EQ(steps[18], Step::Invalid);
  EXPECT_EQ(steps[20], Step::End);

  // a[i], and a[i] = i whose stored value is no run of its own.
  const std::vector<Cell> store = {ctl(Ctl::MakeVariable),  operand(CellKind::Text), ctl(Ctl::MakeVariable),
                                   operand(CellKind::Text), op(Op::Subscript),       ctl(Ctl::MakeVariable),
                                   operand(CellKind::Text), op(Op::Assign),          operand(CellKind::End)};
  const std::vector<Step> storeSteps = planSteps(store, {});
  EXPECT_EQ(storeSteps[0], Step::VarSubscript);
  EXPECT_EQ(storeSteps[2], Step::MakeVariable);
  EXPECT_EQ(storeSteps[5], Step::MakeVariable);
}

TEST(WalkStepsTest, RunsThatCannotBeTakenWalkTheirCellsWithTheSameEffect) {
  // Operands that are no plain integers, failing operations and skipped
  // statements give what the cells one by one give.
  EXPECT_EQ(failure("x = \"ab\"\ny = x + 1\n"), "2: illegal operation on type(s): (string) + (int)");
  EXPECT_EQ(failure("y = 1\n\nz = y / 0\n"), "3: division by zero");
  EXPECT_EQ(failure("z = q + 1\n"), "1: Reference to an uninitialised variable \"q\"");
  EXPECT_EQ(failure("s = \"t\"\ns++\n"), "2: illegal operation on type(s): (string)++");
  EXPECT_EQ(failure("n = 0\nwhile (n < \"x\") n++\n"), "2: illegal operation on type(s): (int) < (string)");
  const testing::ScriptRun skipped = runScript("clerror -i\nx = 1 / 0 + 2\ny = 3\nwrite (y + 1)\n");
  EXPECT_TRUE(skipped.ok);
  EXPECT_EQ(skipped.output, "4\n");
  // The shortcuts keep every value a statement leaves.
  EXPECT_EQ(runScript("i = 5\ni * 2\n").result, 10);
  EXPECT_EQ(runScript("i = 5\ni++\n").result, 5);
  EXPECT_EQ(runScript("i = 5\ni = 9\n").result, 9);
  EXPECT_EQ(runScript("n = 0\nfor (i = 0; i < 10; i++) n = n + i\nn\n").result, 45);
  EXPECT_EQ(runScript("n = 3\nwhile (n > 0) n--\nn\n").result, 0);
  // Subscripts by an integer variable take the elements the cells take:
  // arrays made on first use, text keys, text elements, arrays of arrays,
  // and the same errors.
  EXPECT_EQ(
      runScript("proc f a[] i { for (i = 0; i < 50; i++) a[i] = i * i; $$ = a[7] + a[i - 1] }\nf\n").result,
      49 + 49 * 49);
  EXPECT_EQ(runScript("proc f i { i = 4; b[i] = 7; i = \"4\"; $$ = b[i] }\nf\n").result, 7);
  EXPECT_EQ(runScript("proc f a[] i { a[\"k\"] = 2; i = \"k\"; $$ = a[i] + 1 }\nf\n").result, 3);
  EXPECT_EQ(
      runScript("proc f a[] i j {\n  for (i = 0; i < 3; i++) for (j = 0; j < 3; j++) a[i][j] = i * 10 + j\n"
                "  i = 2\n  j = 1\n  $$ = a[i][j]\n}\nf\n")
          .result,
      21);
  EXPECT_EQ(runScript("a[0] = 5\ni = 0\na[i]\n").result, 5);  // a reference left by a statement
  EXPECT_EQ(failure("proc f a[] i { i = 3; $$ = a[i] }\nf\n"),
            "1: Reference to an uninitialised variable \"a[3]\"");
  EXPECT_EQ(failure("x = 5\ni = 1\ny = x[i]\n"), "3: subscripting scalar variable \"x\"");
  EXPECT_EQ(failure("a[1] = 1\n\ny = a[i]\n"), "3: Reference to an uninitialised variable \"i\"");
  EXPECT_EQ(failure("proc f a[] i { i = 2; a[i] = \"t\"; $$ = a[i] + 1 }\nf\n"),
            "1: illegal operation on type(s): (string) + (int)");
  // The most negative integer divided by -1.
  EXPECT_EQ(runScript("m = -2147483647 - 1\nm / -1\n").result, -2147483647 - 1);
}

}  // namespace
}  // namespace varda::cmdlang
