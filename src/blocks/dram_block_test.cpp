#include "blocks/dram_block.h"

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
constexpr std::uint32_t kDataDriveDelay = kDramDataDriveDelay;

// Every rule from the defaults (CASTime 2, CASe1Time 1, CASe2Time 0,
// DataDriveDelay 0) with `given` set first. Strict from an edge or the delay,
// not from the CAS time.
TEST(DramBlockTest, TimingRules) {
  // clang-format off
  const RuleCase cases[] = {
      {{}, kDataDriveDelay, 2, "(DatatDriveDelay > CASTime)"},
      {{}, kDataDriveDelay, 1, ""},
      {{}, kCASe2Time, 2, "(CASe2Time > CASTime)"},
      {{}, kCASe2Time, 1, "(CASe2Time > CAStime - CASe1Time)"},
      {{}, kCASe2Time, 0, ""},
      {{}, kCASe1Time, 2, "(CASe1Time > CASTime)"},
      {{{kCASTime, 3}, {kCASe2Time, 1}}, kCASe1Time, 2, "(CASe2Time > CAStime - CASe1Time)"},
      {{{kDataDriveDelay, 1}, {kCASe1Time, 4}}, kCASTime, 0, "(CASTime < DatatDriveDelay)"},
      {{{kDataDriveDelay, 1}, {kCASe1Time, 4}}, kCASTime, 3, "(CASTime < CASe1Time)"},
      {{{kDataDriveDelay, 1}, {kCASe1Time, 4}}, kCASTime, 4, ""},
      {{{kCASe1Time, 2}}, kCASTime, 2, ""},
  };
  // clang-format on
  expectRuleCases<DramBlock>(cases, "DRAM", [](DramBlock& block, std::uint32_t tag, std::uint32_t value) {
    return block.checkRule(tag, value);
  });
}

// The whole-block check visits CASTime before CASe1Time before CASe2Time.
TEST(DramBlockTest, WholeBlockCheckOrder) {
  DramBlock block;
  block.buildEmi23Items(0);
  EXPECT_EQ(printed([&] { EXPECT_FALSE(block.checkAll()); }), "");
  set(block, kCASTime, 3);
  set(block, kCASe1Time, 3);  // fails from the edge only
  set(block, kCASe2Time, 3);
  CheckOutcome result;
  EXPECT_EQ(printed([&] { result = block.checkAll(); }), "");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCASe1Time);
  EXPECT_STREQ(result->rule, "(CASe1Time > CASTime)");
}

}  // namespace
}  // namespace varda::blocks
