#include "front/bank_manager.h"

#include <gtest/gtest.h>

#include "front/option_run_test_util.h"
#include "front/run_state.h"

namespace varda::front {
namespace {

using BankManagerTest = testing::OptionRunTest;

TEST_F(BankManagerTest, CountsOnlyTheBanksOfTheChip) {
  run("-chip 7027 -bank 4 -type S -bank 5 -type S -bank 0 -type S");
  bankManager().countBankTypes();
  EXPECT_EQ(bankManager().sdramBanks(), 3);
  // With four banks, banks 4 and 5 are asked as bank 0 and not counted at all.
  run("-numofbanks 4");
  bankManager().countBankTypes();
  EXPECT_EQ(bankManager().sdramBanks(), 1);
  EXPECT_EQ(bankManager().bankTypeOf(5), BankType::kSdram);
  run("-bank 0 -type P");
  EXPECT_EQ(bankManager().bankTypeOf(5), BankType::kPeripheral);
}

// The status words are not written to the procedure; the bank manager stores
// them before every output.
TEST_F(BankManagerTest, PrepareStoresTheEmi4StatusWordsAndInitialisation) {
  run("-chip 7027 -numofbanks 4 -type S -bank 2 -type M -lock 5");
  bankManager().countBankTypes();
  bankManager().prepareRegisters();
  EXPECT_EQ(word(29), 1u);
  EXPECT_EQ(word(26), 1u);
  // Bank 0 (SDRAM, RAS bits 0) and bank 2 (MPX, latch points 0) each have a
  // zero word, so only the Peripheral banks 1 and 3 count as populated.
  EXPECT_EQ(word(22), 0b1010u);
  EXPECT_EQ(word(23), 5u);
}

TEST_F(BankManagerTest, RefusedChipItemAndMissingBank) {
  EXPECT_EQ(bankManager().setChipItem(8, 6), SetResult::kOwnCheckFailed);
  EXPECT_TRUE(bankManager().emi23().padlogicShown);  // shown even when refused
  EXPECT_EQ(word(19), 0u);
  ::testing::internal::CaptureStdout();
  bankManager().resetBank(4);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "varda: Error: unsupported bank number 4\n");
}

}  // namespace
}  // namespace varda::front
