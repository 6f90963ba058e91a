#include "front/chip_options.h"

#include <gtest/gtest.h>

#include "front/option_run_test_util.h"
#include "front/run_state.h"

namespace varda::front {
namespace {

using ChipOptions = testing::OptionRunTest;

TEST_F(ChipOptions, ChipNamesAndTheirPadlogicItems) {
  // From EMI4 back to generation 3: the chip's padlogic item goes to the block
  // of the generation still in force (Bank4AddShift of the gencfg block).
  run("-chip 7027 -chip EMI3");
  EXPECT_EQ(settings().emiGeneration, 3);
  EXPECT_EQ(settings().chipNumber, 3);
  EXPECT_EQ(bankManager().emi4().findChipItem(10)->value(), 1u);
  run("-chip emi2");
  EXPECT_EQ(settings().emiGeneration, 2);
  EXPECT_EQ(settings().chipNumber, 2);
  run("-chip Emi3");  // names are compared exactly; not a number either
  EXPECT_EQ(settings().chipNumber, 0);
  EXPECT_EQ(settings().emiGeneration, 2);
  EXPECT_EQ(settings().chipName, "emi2");
  EXPECT_EQ(run("-type Sdram"), "varda: Error: unsupported type = Sdram\n");
}

TEST_F(ChipOptions, ChipWideRegistersWithoutAChipOrOfTheOtherGeneration) {
  EXPECT_EQ(run("-gencfg 1 -lock 1 -base-address 100 -numofbanks 6"),
            "varda: Error: invalid 100 entry as no chip selected\n"
            "varda: Error: invalid 6 entry as no chip selected\n");
  EXPECT_EQ(run("-chip 7027 -padlogic 1 -padlogic-on"),
            "varda: Warning: option -padlogic not supported by chip 7027\n"
            "varda: Warning: option -padlogic-on not supported by chip 7027\n");
}

// -ireset gives every bank its type's defaults; a reset EMI4 SDRAM bank does
// not get the mode word 34 that choosing the type sets.
TEST_F(ChipOptions, ResetGivesEveryBankItsTypesDefaults) {
  run("-chip 7027 -type S -caslatency 5 -bank 5 -type M -waitstatesread 7 -ireset");
  EXPECT_EQ(item(0, 1199), 2u);
  EXPECT_EQ(item(0, 1201), 0u);
  EXPECT_EQ(item(5, 1153), 1u);
  EXPECT_EQ(bankManager().emi4().bankType(5), BankType::kMpx);
}

}  // namespace
}  // namespace varda::front
