#include "front/chip_options.h"

#include <gtest/gtest.h>

#include "front/option_run_test_util.h"

namespace varda::front {
namespace {

using ChipOptions = testing::OptionRunTest;

TEST_F(ChipOptions, ChipSetsItsPadlogicItemsInTheGenerationStillInForce) {
  run("-chip 7025");
  EXPECT_EQ(settings().emiGeneration, 3);
  EXPECT_EQ(settings().chipName, "7025");
  EXPECT_EQ(word(19), 3u << 10);
  EXPECT_TRUE(bankManager().emi23().padlogicShown);
  // From EMI4 back to generation 3: the item goes to the gencfg block (Bank4AddShift).
  run("-chip 7027 -chip EMI3");
  EXPECT_EQ(settings().chipNumber, 3);
  EXPECT_EQ(bankManager().emi4().findChipItem(10)->value(), 1u);
}

TEST_F(ChipOptions, UnknownChipClearsTheNumberAndKeepsTheRest) {
  EXPECT_EQ(run("-chip 7027 -chip 9999"), "");
  EXPECT_EQ(settings().chipNumber, 0);
  EXPECT_EQ(settings().emiGeneration, 4);
  EXPECT_EQ(settings().chipName, "7027");
  run("-chip emi2");
  EXPECT_EQ(settings().emiGeneration, 2);
  EXPECT_EQ(settings().chipNumber, 2);
  run("-chip Emi3");  // names are compared exactly; not a number either
  EXPECT_EQ(settings().chipNumber, 0);
  EXPECT_EQ(settings().chipName, "emi2");
}

TEST_F(ChipOptions, BankLooksAtTheFirstCharacterOnly) {
  run("-bank 12");
  EXPECT_EQ(settings().currentBank, 1);
  EXPECT_EQ(run("-bank 4"), "varda: Error: invalid bank number 4, check chip option\n");
  EXPECT_EQ(run("-bank x2"), "varda: Error: unsupported bank number = x2\n");
  EXPECT_EQ(settings().currentBank, 1);
  run("-chip 7027 -bank 5x");
  EXPECT_EQ(settings().currentBank, 5);
  EXPECT_EQ(run("-numofbanks 4 -bank 4"), "varda: Error: invalid bank number 4, check chip option\n");
  EXPECT_EQ(run("-type S"), "varda: Error: insufficient number of banks\n");
}

TEST_F(ChipOptions, TypeFollowsTheGenerationsRules) {
  EXPECT_EQ(run("-bank 2 -type D"), "varda: Warning: DRAM should only be selected in banks 0/1\n");
  EXPECT_EQ(bankManager().currentBankType(), kDram);
  EXPECT_EQ(run("-type S"), "varda: Error: option -type S not supported by chip default\n");
  EXPECT_EQ(run("-chip 7021 -bank 3 -type dram"),
            "varda: Error: option -type dram not supported by chip 7021 in banks 2/3\n");
  EXPECT_EQ(run("-type sdram"), "varda: Warning: SDRAM should only be selected in banks 0/1\n");
  EXPECT_EQ(run("-type MPX"), "varda: Error: option -type MPX not supported by chip 7021\n");
  EXPECT_EQ(run("-type Sdram"), "varda: Error: unsupported type = Sdram\n");
  EXPECT_EQ(bankManager().currentBankType(), kSdram);
  EXPECT_EQ(run("-chip emi4 -type D"), "varda: Error: option -type D not supported by chip emi4\n");
  EXPECT_EQ(run("-type S -bank 1 -type M"), "");  // chip number 4: no banks-0/1 warning
  EXPECT_EQ(item(3, 1201), 34u);
  EXPECT_EQ(bankManager().currentBankType(), kMpx);
}

TEST_F(ChipOptions, LockAcceptsAtMostSixBanks) {
  EXPECT_EQ(run("-chip 7027 -lock 0x40"), "varda: Warning: invalid 0x40 entry for option lock\n");
  EXPECT_EQ(settings().lockedBanks, 0u);
  run("-lock 3f");
  EXPECT_EQ(settings().lockedBanks, 0x3fu);
  EXPECT_EQ(word(24), 0x3fu);
  EXPECT_EQ(run("-type S"), "varda: Warning: Bank 0 locked check EMI4.LOCK register at 0x20\n");
  EXPECT_EQ(run("-regvalue 1"), "varda: Warning: Bank 0 locked check EMI4.LOCK register at 0x20\n");
}

TEST_F(ChipOptions, ChipWideRegistersOfTheOtherGenerationWarnOnlyWithAChip) {
  EXPECT_EQ(run("-gencfg 1 -lock 1 -base-address 100 -numofbanks 6"),
            "varda: Error: invalid 100 entry as no chip selected\n"
            "varda: Error: invalid 6 entry as no chip selected\n");
  EXPECT_EQ(run("-chip 7021 -gencfg 1 -lock 1 -base-address 100 -numofbanks 6 -numofbanks 5"),
            "varda: Warning: option -gencfg not supported by chip 7021\n"
            "varda: Warning: option -lock not supported by chip 7021\n"
            "varda: Error: option -base-address 100 not supported by chip 7021\n"
            "varda: Error: option -numofbanks 6 not supported by chip 7021\n"
            "varda: Warning: invalid 5 entry for option numofbanks\n");
  run("-numofbanks 4");
  EXPECT_EQ(settings().emi4BankCount, 4);
  EXPECT_EQ(run("-chip 7027 -padlogic 1 -padlogic-on"),
            "varda: Warning: option -padlogic not supported by chip 7027\n"
            "varda: Warning: option -padlogic-on not supported by chip 7027\n");
}

TEST_F(ChipOptions, PadlogicRegisterIsShownAndCheckedWhole) {
  run("-padlogic 11");
  EXPECT_TRUE(bankManager().emi23().padlogicShown);
  EXPECT_EQ(item(4, 4), 1u);
  EXPECT_EQ(run("-padlogic 380"), "varda: Warning: invalid 380 entry for option padlogic\n");
  EXPECT_EQ(word(19), 0x11u);
  run("-padlogic-off");
  EXPECT_FALSE(bankManager().emi23().padlogicShown);
  run("-padlogic-on");
  EXPECT_TRUE(bankManager().emi23().padlogicShown);
}

TEST_F(ChipOptions, RegisterValueGoesToTheSelectedRegisterOfTheCurrentBank) {
  run("-chip 7021 -bank 3 -type S -regnum 2 -regvalue 1234");
  EXPECT_EQ(word(14), 0x1234u);
  EXPECT_EQ(run("-regnum 4"), "varda: Error: unsupported bank register number = 4\n");
  EXPECT_EQ(settings().regNum, 2);
  EXPECT_EQ(run("-bank 1 -regvalue 1234"),
            "varda: Error: Peripheral (AccessTimeWrite <= OEe2TimeWrite + OEe1TimeWrite)\n"
            "varda: Warning: invalid 1234 entry for option regvalue\n");
  EXPECT_EQ(word(6), 0x8000u);
  run("-chip 7027 -bank 5 -regnum 3 -regvalue 0x4000045");
  EXPECT_EQ(word(58), 0x4000045u);
}

TEST_F(ChipOptions, ResetGivesEveryBankItsTypesDefaults) {
  run("-chip 7027 -type S -caslatency 5 -bank 5 -type M -waitstatesread 7 -ireset");
  EXPECT_EQ(item(0, 1199), 2u);
  EXPECT_EQ(item(0, 1201), 0u);  // a reset SDRAM bank has no mode word of 34
  EXPECT_EQ(item(5, 1153), 1u);
  EXPECT_EQ(bankManager().emi4().bankType(5), kMpx);
}

}  // namespace
}  // namespace varda::front
