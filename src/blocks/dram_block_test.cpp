#include "blocks/dram_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::printed;
using testing::set;
using testing::valueOf;

constexpr std::uint32_t kDataDriveDelay = 1050;
constexpr std::uint32_t kCASe2Time = 1090;
constexpr std::uint32_t kCASe1Time = 1093;
constexpr std::uint32_t kCASTime = 1097;

std::string message(const char* text) { return std::string("varda: Error: DRAM ") + text + "\n"; }

class DramBlockTest : public ::testing::Test {
 protected:
  DramBlockTest() { block.buildEmi23Items(1); }

  std::string check(std::uint32_t tag, std::uint32_t value, CheckOutcome& result) {
    return printed([&] { result = block.checkValue(tag, value); });
  }

  DramBlock block;
};

TEST_F(DramBlockTest, DefaultsEncode) {
  const RegisterImage image = encoded(block, kEmi23ImageWords);
  EXPECT_EQ(image[4], 0x08u);
  EXPECT_EQ(image[5], 0u);
  EXPECT_EQ(image[6], 0u);
  EXPECT_EQ(image[7], 0u);
  EXPECT_EQ(image[16] & 1u, 0u);
  EXPECT_EQ(image[17], 0u);
  EXPECT_EQ(image[18], 0u);
}

TEST_F(DramBlockTest, DefaultsPassEveryRule) {
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkAll()); }), "");
}

TEST_F(DramBlockTest, RasBitsSplitAndRoundTrip) {
  set(block, 1088, 0x7FFFFF);
  const RegisterImage image = encoded(block, kEmi23ImageWords);
  EXPECT_EQ(image[5], 0xFFFFu);
  EXPECT_EQ(image[6], 0x7F00u);
  set(block, 1088, 1);
  block.decode(image);
  EXPECT_EQ(valueOf(block, 1088), 0x7FFFFFu);
}

TEST_F(DramBlockTest, EdgeSumFromSecondEdge) {
  CheckOutcome result;
  EXPECT_EQ(check(kCASe2Time, 1, result), message("(CASe2Time > CAStime - CASe1Time)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCASe2Time);
  EXPECT_EQ(check(kCASe2Time, 0, result), "");
  EXPECT_FALSE(result);
}

TEST_F(DramBlockTest, EdgeAgainstCasTimeIsStrictFromTheEdge) {
  CheckOutcome result;
  EXPECT_EQ(check(kCASe1Time, 2, result), message("(CASe1Time > CASTime)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCASe1Time);
  // From the CAS time, an equal edge passes.
  set(block, kCASe1Time, 2);
  EXPECT_EQ(check(kCASTime, 2, result), "");
  EXPECT_FALSE(result);
}

TEST_F(DramBlockTest, FirstEdgeSumUsesTheSameText) {
  set(block, kCASTime, 3);
  set(block, kCASe2Time, 1);
  CheckOutcome result;
  EXPECT_EQ(check(kCASe1Time, 2, result), message("(CASe2Time > CAStime - CASe1Time)"));
  ASSERT_TRUE(result);
}

TEST_F(DramBlockTest, CasTimeTestsRunInOrder) {
  // Range keeps CASTime above DataDriveDelay in practice; the rule itself is
  // reached directly.
  set(block, kDataDriveDelay, 1);
  set(block, kCASe1Time, 4);
  CheckOutcome result;
  EXPECT_EQ(printed([&] { result = block.checkRule(kCASTime, 0); }),
            message("(CASTime < DatatDriveDelay)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCASTime);
  EXPECT_EQ(check(kCASTime, 3, result), message("(CASTime < CASe1Time)"));
  EXPECT_EQ(check(kCASTime, 4, result), "");
  EXPECT_FALSE(result);
}

TEST_F(DramBlockTest, DataDriveDelayAgainstCasTime) {
  CheckOutcome result;
  EXPECT_EQ(printed([&] { result = block.checkRule(kDataDriveDelay, 2); }),
            message("(DatatDriveDelay > CASTime)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkRule(kDataDriveDelay, 1)); }), "");
}

// checkAll visits CASTime before CASe1Time before CASe2Time.
TEST_F(DramBlockTest, CheckAllOrder) {
  set(block, kCASTime, 3);
  set(block, kCASe1Time, 3);  // fails from the edge only
  set(block, kCASe2Time, 3);
  CheckOutcome result;
  EXPECT_EQ(printed([&] { result = block.checkAll(); }), message("(CASe1Time > CASTime)"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCASe1Time);
}

}  // namespace
}  // namespace varda::blocks
