#include "blocks/peripheral_block.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"
#include "blocks/item_tags.h"

namespace varda::blocks {
namespace {

using testing::expectRuleCases;
using testing::printed;
using testing::RuleCase;
using testing::set;

using namespace tag;

// Every EMI2/3 rule, failing and (where it matters) passing, from the defaults
// (both access times 10, every edge 0, DataDriveDelay 5) with `given` set first.
TEST(PeripheralBlockTest, TimingRules) {
  // clang-format off
  const RuleCase cases[] = {
      {{}, kAccessTimeRead, 10, ""},
      {{{kAccessTimeWrite, 3}}, kDataDriveDelay, 6, "(DataDriveDelay > (2*)AccessTimeWrite)"},
      {{{kAccessTimeWrite, 3}}, kDataDriveDelay, 5, ""},
      // The drive-delay test runs before the edge tests.
      {{{kCSe1TimeWrite, 1}, {kCSe2TimeWrite, 1}}, kAccessTimeWrite, 2,
       "((2*)AccessTimeWrite < DataDriveDelay)"},
      {{{kDataDriveDelay, 3}, {kCSe1TimeWrite, 1}, {kCSe2TimeWrite, 1}}, kAccessTimeWrite, 2,
       "(AccessTimeWrite <= CSe2TimeWrite + CSe1TimeWrite)"},
      {{{kDataDriveDelay, 3}, {kOEe1TimeWrite, 1}, {kOEe2TimeWrite, 1}}, kAccessTimeWrite, 2,
       "(AccessTimeWrite <= OEe2TimeWrite + OEe1TimeWrite)"},
      {{{kDataDriveDelay, 3}, {kBEe1TimeWrite, 1}, {kBEe2TimeWrite, 1}}, kAccessTimeWrite, 2,
       "(AccessTimeWrite <= BEe2TimeWrite + BEe1TimeWrite)"},
      {{{kDataDriveDelay, 3}, {kBEe1TimeWrite, 1}, {kBEe2TimeWrite, 1}}, kAccessTimeWrite, 3, ""},
      {{{kCSe1TimeRead, 3}, {kCSe2TimeRead, 3}}, kAccessTimeRead, 6,
       "(AccessTimeRead <= CSe2TimeRead + CSe1TimeRead)"},
      {{{kCSe1TimeRead, 3}, {kCSe2TimeRead, 3}}, kAccessTimeRead, 7, ""},
      {{{kOEe1TimeRead, 3}, {kOEe2TimeRead, 3}}, kAccessTimeRead, 6,
       "(AccessTimeRead <= OEe2TimeRead + OEe1TimeRead)"},
      {{{kBEe1TimeRead, 3}, {kBEe2TimeRead, 3}}, kAccessTimeRead, 6,
       "(AccessTimeRead <= BEe2TimeRead + BEe1TimeRead)"},
      {{{kAccessTimeRead, 6}, {kCSe2TimeRead, 3}}, kCSe1TimeRead, 3,
       "(CSe1TimeRead >= CSe2TimeRead < AccessTimeRead)"},
      {{{kAccessTimeRead, 6}, {kCSe2TimeRead, 3}}, kCSe1TimeRead, 2, ""},
      {{{kAccessTimeRead, 6}, {kCSe1TimeRead, 3}}, kCSe2TimeRead, 3,
       "(CSe2TimeRead >= AccessTimeRead - CSe1TimeRead)"},
      {{{kAccessTimeWrite, 6}, {kCSe2TimeWrite, 3}}, kCSe1TimeWrite, 3,
       "(CSe1TimeWrite >= AccessTimeWrite - CSe2TimeWrite)"},
      {{{kAccessTimeWrite, 6}, {kCSe1TimeWrite, 3}}, kCSe2TimeWrite, 3,
       "(CSe2TimeWrite >= AccessTimeWrite - CSe1TimeWrite)"},
      {{{kAccessTimeRead, 6}, {kOEe2TimeRead, 3}}, kOEe1TimeRead, 3,
       "(OEe1TimeRead >= AccessTimeRead - OEe2TimeRead)"},
      {{{kAccessTimeWrite, 6}, {kOEe2TimeWrite, 3}}, kOEe1TimeWrite, 3,
       "(OEe1TimeWrite >= AccessTimeWrite - OEe2TimeWrite)"},
      {{{kAccessTimeRead, 6}, {kOEe1TimeRead, 3}}, kOEe2TimeRead, 3,
       "(OEe2TimeRead >= AccessTimeRead - OEe1TimeRead)"},
      {{{kAccessTimeWrite, 6}, {kOEe1TimeWrite, 3}}, kOEe2TimeWrite, 3,
       "(OEe2TimeWrite >= AccessTimeWrite - OEe1TimeWrite)"},
      {{{kAccessTimeRead, 6}, {kBEe1TimeRead, 3}}, kBEe2TimeRead, 3,
       "(BEe2TimeRead >= AccessTimeRead - BEe1TimeRead)"},
      {{{kAccessTimeWrite, 6}, {kBEe1TimeWrite, 3}}, kBEe2TimeWrite, 3,
       "(BEe2TimeWrite >= AccessTimeWrite - BEe1TimeWrite)"},
      {{{kAccessTimeRead, 6}, {kBEe2TimeRead, 3}}, kBEe1TimeRead, 3,
       "(BEe1TimeRead >= AccessTimeRead - BEe2TimeRead)"},
      {{{kAccessTimeWrite, 6}, {kBEe2TimeWrite, 3}}, kBEe1TimeWrite, 3,
       "(BEe1TimeWrite >= AccessTimeWrite - BEe2TimeWrite)"},
      // An edge runs only its own test, not the access-time rule.
      {{{kAccessTimeWrite, 4}}, kOEe2TimeWrite, 2, ""},
      // AccessTimeRead - CSe2TimeRead wraps to a large number and passes.
      {{{kAccessTimeRead, 2}, {kCSe2TimeRead, 3}}, kCSe1TimeRead, 3, ""},
  };
  // clang-format on
  expectRuleCases<PeripheralBlock>(cases, "Peripheral",
                                   [](PeripheralBlock& block, std::uint32_t tag, std::uint32_t value) {
                                     return block.checkValue(tag, value);
                                   });
}

TEST(PeripheralBlockTest, WholeBlockCheckAndRanges) {
  PeripheralBlock block;
  block.buildEmi23Items(0);
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkAll()); }), "");

  // A range failure names no rule.
  const CheckOutcome range = block.checkValue(kAccessTimeRead, 0);
  ASSERT_TRUE(range);
  EXPECT_EQ(range->rule, nullptr);

  // AccessTimeWrite 2 with DataDriveDelay 5 breaks both sides of one rule;
  // DataDriveDelay comes first in the table.
  set(block, kAccessTimeWrite, 2);
  CheckOutcome result;
  EXPECT_EQ(printed([&] { result = block.checkAll(); }), "");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kDataDriveDelay);
  EXPECT_STREQ(result->rule, "(DataDriveDelay > (2*)AccessTimeWrite)");

  // No rule on EMI4: AccessTimeReadEMI4 2 with every read edge 15.
  PeripheralBlock emi4;
  emi4.buildEmi4Items(0);
  set(emi4, 1169, 2);
  for (std::uint32_t tag = 1170; tag <= 1175; ++tag) set(emi4, tag, 15);
  EXPECT_EQ(printed([&] { EXPECT_FALSE(emi4.checkAll()); }), "");
}

}  // namespace
}  // namespace varda::blocks
