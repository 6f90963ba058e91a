#include "blocks/peripheral_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::printed;
using testing::set;

constexpr std::uint32_t kDataDriveDelay = 1104;
constexpr std::uint32_t kAccessTimeWrite = 1107;
constexpr std::uint32_t kAccessTimeRead = 1108;
constexpr std::uint32_t kCSe1TimeRead = 1112;
constexpr std::uint32_t kCSe2TimeRead = 1113;
constexpr std::uint32_t kCSe1TimeWrite = 1114;
constexpr std::uint32_t kCSe2TimeWrite = 1115;
constexpr std::uint32_t kOEe1TimeWrite = 1117;
constexpr std::uint32_t kOEe2TimeWrite = 1119;
constexpr std::uint32_t kBEe2TimeRead = 1120;
constexpr std::uint32_t kBEe1TimeRead = 1122;

std::string message(const char* text) { return std::string("varda: Error: Peripheral ") + text + "\n"; }

class PeripheralRulesTest : public ::testing::Test {
 protected:
  PeripheralRulesTest() { block.buildEmi23Items(0); }

  // Sets tag to value and checks it, as the register set does; returns the printed text.
  std::string setAndCheck(std::uint32_t tag, std::uint32_t value, CheckOutcome& result) {
    set(block, tag, value);
    return printed([&] { result = block.checkItem(tag); });
  }

  PeripheralBlock block;
};

TEST(PeripheralBlockTest, Emi23Bank2DefaultsEncode) {
  PeripheralBlock block;
  block.buildEmi23Items(2);
  const RegisterImage image = encoded(block, kEmi23ImageWords);
  EXPECT_EQ(image[8], 0xB289u);
  EXPECT_EQ(image[9], 0x8000u);
  EXPECT_EQ(image[10], 0x8000u);
  EXPECT_EQ(image[11], 0u);
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i < 8 || i > 11) {
      EXPECT_EQ(image[i], 0u) << i;
    }
  }
}

TEST(PeripheralBlockTest, Emi4BuildUsesBankWordsFrom35) {
  PeripheralBlock block;
  block.buildEmi4Items(1);
  const RegisterImage image = encoded(block, kEmi4ImageWords);
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i < 39 || i > 42) {
      EXPECT_EQ(image[i], 0u) << i;
    }
  }
  EXPECT_EQ(image[39] & 0x7FFu, 0x289u);  // the common table, as on EMI2/3
  EXPECT_EQ(image[40] >> 24, 18u);        // AccessTimeReadEMI4 20 stored minus 2
  EXPECT_EQ(image[40] & 0xFFu, 0x33u);    // BE edges 3 and 3
}

TEST_F(PeripheralRulesTest, DefaultsPassEveryRule) {
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkAll()); }), "");
}

TEST_F(PeripheralRulesTest, EdgeSumAgainstAccessTimeFromTheEdge) {
  set(block, kAccessTimeRead, 6);
  set(block, kCSe2TimeRead, 3);
  CheckOutcome result;
  EXPECT_EQ(setAndCheck(kCSe1TimeRead, 3, result),
            message("(CSe1TimeRead >= CSe2TimeRead < AccessTimeRead)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCSe1TimeRead);
  EXPECT_EQ(setAndCheck(kCSe1TimeRead, 2, result), "");
  EXPECT_FALSE(result);
}

TEST_F(PeripheralRulesTest, EdgeSumAgainstAccessTimeFromTheAccessTime) {
  set(block, kCSe1TimeRead, 3);
  set(block, kCSe2TimeRead, 3);
  CheckOutcome result;
  EXPECT_EQ(setAndCheck(kAccessTimeRead, 6, result),
            message("(AccessTimeRead <= CSe2TimeRead + CSe1TimeRead)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kAccessTimeRead);
  EXPECT_EQ(setAndCheck(kAccessTimeRead, 7, result), "");
  EXPECT_FALSE(result);
}

TEST_F(PeripheralRulesTest, AccessTimeWriteTestsRunInOrder) {
  // Both the drive-delay test and the CS edge test would fail: the first wins.
  set(block, kCSe1TimeWrite, 1);
  set(block, kCSe2TimeWrite, 1);
  CheckOutcome result;
  EXPECT_EQ(setAndCheck(kAccessTimeWrite, 2, result),
            message("((2*)AccessTimeWrite < DataDriveDelay)"));
  ASSERT_TRUE(result);
  set(block, kDataDriveDelay, 3);
  EXPECT_EQ(setAndCheck(kAccessTimeWrite, 2, result),
            message("(AccessTimeWrite <= CSe2TimeWrite + CSe1TimeWrite)"));
  set(block, kCSe1TimeWrite, 0);
  set(block, kOEe1TimeWrite, 2);
  EXPECT_EQ(setAndCheck(kAccessTimeWrite, 2, result),
            message("(AccessTimeWrite <= OEe2TimeWrite + OEe1TimeWrite)"));
}

TEST_F(PeripheralRulesTest, DataDriveDelayAgainstTwiceAccessTimeWrite) {
  set(block, kAccessTimeWrite, 3);
  CheckOutcome result;
  EXPECT_EQ(setAndCheck(kDataDriveDelay, 6, result),
            message("(DataDriveDelay > (2*)AccessTimeWrite)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kDataDriveDelay);
  EXPECT_EQ(setAndCheck(kDataDriveDelay, 5, result), "");
  EXPECT_FALSE(result);
}

TEST_F(PeripheralRulesTest, EdgeRunsOnlyItsOwnTest) {
  set(block, kAccessTimeWrite, 4);
  CheckOutcome result;
  EXPECT_EQ(setAndCheck(kOEe2TimeWrite, 2, result), "");
  EXPECT_FALSE(result);
  set(block, kOEe1TimeWrite, 2);
  EXPECT_EQ(setAndCheck(kOEe2TimeWrite, 2, result),
            message("(OEe2TimeWrite >= AccessTimeWrite - OEe1TimeWrite)"));
}

TEST_F(PeripheralRulesTest, BeEdgesPairCrosswise) {
  set(block, kAccessTimeRead, 4);
  set(block, kBEe1TimeRead, 2);
  CheckOutcome result;
  EXPECT_EQ(setAndCheck(kBEe2TimeRead, 2, result),
            message("(BEe2TimeRead >= AccessTimeRead - BEe1TimeRead)"));
  set(block, kBEe2TimeRead, 1);
  EXPECT_EQ(setAndCheck(kBEe1TimeRead, 3, result),
            message("(BEe1TimeRead >= AccessTimeRead - BEe2TimeRead)"));
}

TEST_F(PeripheralRulesTest, DifferenceWrapsAroundAndPasses) {
  set(block, kAccessTimeRead, 2);
  set(block, kCSe2TimeRead, 3);  // ATR - 3 wraps to a large number
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkValue(kCSe1TimeRead, 3)); }), "");
  // The access-time rule catches the case.
  EXPECT_EQ(printed([&] { EXPECT_TRUE(block.checkItem(kAccessTimeRead)); }),
            message("(AccessTimeRead <= CSe2TimeRead + CSe1TimeRead)"));
}

TEST_F(PeripheralRulesTest, RangeFailurePrintsNothing) {
  EXPECT_EQ(printed([&] {
              const CheckOutcome result = block.checkValue(kAccessTimeRead, 0);
              ASSERT_TRUE(result);
              EXPECT_EQ(result->tag, kAccessTimeRead);
            }),
            "");
}

TEST_F(PeripheralRulesTest, CheckAllReportsFirstFailingItemInTableOrder) {
  // AccessTimeWrite 2 with DataDriveDelay 5 breaks both sides of one rule;
  // DataDriveDelay comes first in the table.
  set(block, kAccessTimeWrite, 2);
  CheckOutcome result;
  EXPECT_EQ(printed([&] { result = block.checkAll(); }),
            message("(DataDriveDelay > (2*)AccessTimeWrite)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kDataDriveDelay);
}

TEST(PeripheralBlockTest, NoRuleOnEmi4) {
  PeripheralBlock block;
  block.buildEmi4Items(0);
  set(block, 1169, 2);
  for (std::uint32_t tag = 1170; tag <= 1175; ++tag) set(block, tag, 15);
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkAll()); }), "");
}

}  // namespace
}  // namespace varda::blocks
