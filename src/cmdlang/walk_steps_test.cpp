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
  // The most negative integer divided by -1.
  EXPECT_EQ(runScript("m = -2147483647 - 1\nm / -1\n").result, -2147483647 - 1);
}

}  // namespace
}  // namespace varda::cmdlang
