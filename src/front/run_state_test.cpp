#include "front/run_state.h"

#include <gtest/gtest.h>

#include "front/option_run_test_util.h"

namespace varda::front {
namespace {

using RunStateTest = testing::OptionRunTest;

// One call puts every part of the run back as a new process has it, the
// numbering of the blocks included: the padlogic block is 1, the EMI2/3
// banks 2 to 5, the general configuration 6, the EMI4 banks 7 to 12.
TEST_F(RunStateTest, ResetStartsEveryPartAgain) {
  run("-chip 7027 -bank 2 -type M -numofbanks 4 -o out.cfg");
  EXPECT_EQ(bankManager().emi4().bankBlock(2)->identity(), 13u);
  runState().interactiveNesting = 3;
  runState().parser.openArgumentFiles = 2;

  resetRunState();
  const RunState& state = runState();
  EXPECT_EQ(state.settings.emiGeneration, 2);
  EXPECT_EQ(state.settings.emi4BankCount, 6);
  EXPECT_FALSE(state.settings.outputFile);
  EXPECT_EQ(state.interactiveNesting, 0);
  EXPECT_EQ(state.parser.openArgumentFiles, 0);
  EXPECT_EQ(bankManager().emi4().bankType(2), BankType::kPeripheral);
  EXPECT_EQ(bankManager().emi23().chipBlock().identity(), 1u);
  EXPECT_EQ(bankManager().emi23().bankBlock(3)->identity(), 5u);
  EXPECT_EQ(bankManager().emi4().chipBlock().identity(), 6u);
  EXPECT_EQ(bankManager().emi4().bankBlock(2)->identity(), 9u);
}

// An option line parsed from inside a handler (the interactive loop, later
// the emi command) works on the same state as the line around it.
TEST_F(RunStateTest, OptionLinesChangeTheOneState) {
  run("-chip 7021 -bank 1");
  EXPECT_EQ(settings().currentBank, 1);
  EXPECT_EQ(run("-Bank 2"), "varda: Error: invalid use of command line option ('-Bank')\n");
  EXPECT_TRUE(runState().parser.caseSensitive);
  EXPECT_EQ(settings().lastParseResult, 1);
}

}  // namespace
}  // namespace varda::front
