#include "blocks/item_block.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"
#include "blocks/dram_block.h"
#include "blocks/gencfg_block.h"
#include "blocks/mpx_block.h"
#include "blocks/padlogic_block.h"
#include "blocks/peripheral_block.h"
#include "blocks/sdram_block.h"

namespace varda::blocks {
namespace {

using testing::printed;

// A block whose rule refuses value 9 of every item and records the tags it saw.
class RecordingBlock : public ItemBlock {
 public:
  CheckOutcome checkRule(std::uint32_t tag, std::uint32_t value) const override {
    seen.push_back(tag);
    if (value == 9) return CheckResult{1, tag};
    return std::nullopt;
  }
  mutable std::vector<std::uint32_t> seen;
};

TEST(ItemBlockTest, FindItemReturnsFirstWithSharedTag) {
  ItemBlock block;
  MemoryItem& first = block.addItem(3, 0, "first", 1, 0, 0, 0, {});
  block.addItem(4, 0, "other", 1, 0, 0, 0, {});
  block.addItem(3, 0, "second", 1, 0, 0, 0, {});
  EXPECT_EQ(block.findItem(3), &first);
  EXPECT_EQ(block.findItem(5), nullptr);
  const ItemBlock& constBlock = block;
  EXPECT_EQ(constBlock.findItem(3), &first);
}

TEST(ItemBlockTest, MissingTagPassesChecks) {
  RecordingBlock block;
  block.addItem(1, 0, "a", 3, 0, 0, 0, {});
  EXPECT_FALSE(block.checkValue(77, 100));
  EXPECT_FALSE(block.checkItem(77));
  EXPECT_TRUE(block.seen.empty());
}

TEST(ItemBlockTest, CheckValueStoresNothing) {
  RecordingBlock block;
  const MemoryItem& item = block.addItem(1, 0, "a", 9, 0, 0, 2, {});
  const CheckOutcome result = block.checkValue(1, 9);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 1u);
  EXPECT_EQ(item.value(), 2u);
  EXPECT_FALSE(block.checkItem(1));
  EXPECT_TRUE(block.checkValue(1, 10));  // range
}

TEST(ItemBlockTest, CheckAllStopsAtFirstFailure) {
  RecordingBlock block;
  block.addItem(10, 0, "ok", 9, 0, 0, 1, {});
  block.addItem(20, 0, "ruleFails", 9, 0, 0, 9, {});
  block.addItem(30, 0, "rangeFails", 9, 5, 0, 0, {});
  const CheckOutcome result = block.checkAll();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 20u);
  EXPECT_EQ(block.seen, (std::vector<std::uint32_t>{10, 20}));  // the third is not checked

  block.findItem(20)->setValue(1);
  block.seen.clear();
  const CheckOutcome third = block.checkAll();
  ASSERT_TRUE(third);
  EXPECT_EQ(third->tag, 30u);
  EXPECT_EQ(block.seen, (std::vector<std::uint32_t>{10, 20}));  // range failed before the rule
}

TEST(ItemBlockTest, EncodeOrsAndDecodeGivesSharedBitsToEveryItem) {
  ItemBlock block;
  block.addItem(1, 0, "whole", 0xFFFF, 0, 0, 0x20, {{0, 32, 0, 0}});
  block.addItem(2, 0, "low", 7, 0, 0, 2, {{0, 3, 0, 0}});
  RegisterImage image = testing::encoded(block, 1);
  EXPECT_EQ(image[0], 0x22u);
  image[0] = 0x5;
  block.decode(image);
  EXPECT_EQ(block.findItem(1)->value(), 5u);
  EXPECT_EQ(block.findItem(2)->value(), 5u);
}

TEST(ItemBlockTest, DumpsItemsInListOrder) {
  ItemBlock block;
  block.addItem(1, 0, "alpha", 1, 0, 0, 0, {});
  block.addItem(2, 0, "beta", 1, 0, 0, 0, {});
  const std::string out = printed([&] { block.dump(); });
  const auto alpha = out.find("\tName: alpha\n");
  const auto beta = out.find("\tName: beta\n");
  ASSERT_NE(alpha, std::string::npos);
  ASSERT_NE(beta, std::string::npos);
  EXPECT_LT(alpha, beta);
  EXPECT_EQ(out.rfind("} MemoryItem end\n"), out.size() - 17);
}

TEST(ItemBlockTest, IdentitiesAreDistinct) {
  ItemBlock a;
  ItemBlock b;
  EXPECT_NE(a.identity(), b.identity());
  EXPECT_EQ(b.identity(), a.identity() + 1);
}

TEST(BankBlockTest, BankTypeCodes) {
  EXPECT_EQ(DramBlock().bankType(), 0);
  EXPECT_EQ(SdramBlock().bankType(), 1);
  EXPECT_EQ(PeripheralBlock().bankType(), 2);
  EXPECT_EQ(MpxBlock().bankType(), 3);
}

// Out-of-range banks, and generations a bank type has no form for, build nothing.
TEST(BankBlockTest, BuildsNothingOutsideItsBanks) {
  const auto blocks = [] {
    std::vector<std::unique_ptr<BankBlock>> all;
    all.push_back(std::make_unique<DramBlock>());
    all.push_back(std::make_unique<SdramBlock>());
    all.push_back(std::make_unique<PeripheralBlock>());
    all.push_back(std::make_unique<MpxBlock>());
    return all;
  };
  for (auto& block : blocks()) {
    block->buildEmi23Items(4);
    block->buildEmi23Items(-1);
    block->buildEmi4Items(6);
    block->buildEmi4Items(-1);
    EXPECT_TRUE(block->items().empty()) << block->bankType();
  }
  DramBlock dram;
  dram.buildEmi4Items(0);
  EXPECT_TRUE(dram.items().empty());
  MpxBlock mpx;
  mpx.buildEmi23Items(0);
  EXPECT_TRUE(mpx.items().empty());
}

TEST(BankBlockTest, ItemCountsPerBuild) {
  const auto count23 = [](BankBlock&& block) {
    block.buildEmi23Items(3);
    return block.items().size();
  };
  const auto count4 = [](BankBlock&& block) {
    block.buildEmi4Items(5);
    return block.items().size();
  };
  EXPECT_EQ(count23(PeripheralBlock()), 22u);
  EXPECT_EQ(count4(PeripheralBlock()), 31u);
  EXPECT_EQ(count23(SdramBlock()), 22u);
  EXPECT_EQ(count4(SdramBlock()), 22u);
  EXPECT_EQ(count23(DramBlock()), 20u);
  EXPECT_EQ(count4(MpxBlock()), 11u);
  EXPECT_EQ(GencfgBlock().items().size(), 26u);
  EXPECT_EQ(PadlogicBlock().items().size(), 11u);
}

// Items point back at the block they were built in.
TEST(BankBlockTest, ItemsKnowTheirBlock) {
  PeripheralBlock block;
  block.buildEmi23Items(0);
  for (const MemoryItem& item : block.items()) EXPECT_EQ(&item.block(), &block);
}

}  // namespace
}  // namespace varda::blocks
