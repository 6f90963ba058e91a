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

// References handed out by addItem stay valid while the block grows.
TEST(ItemBlockTest, LookupByTagFindsTheFirstAndAMissingTagPasses) {
  RecordingBlock block;
  MemoryItem& first = block.addItem(3, 0, "first", 9, 0, 0, 2, {});
  for (std::uint32_t i = 0; i < 100; ++i) block.addItem(4, 0, "other", 1, 0, 0, 0, {});
  block.addItem(3, 0, "second", 1, 0, 0, 0, {});
  EXPECT_EQ(block.findItem(3), &first);
  EXPECT_EQ(first.name(), "first");
  EXPECT_EQ(block.findItem(5), nullptr);

  EXPECT_FALSE(block.checkValue(77, 100));
  EXPECT_FALSE(block.checkItem(77));
  EXPECT_TRUE(block.seen.empty());

  // checkValue checks without storing.
  const CheckOutcome result = block.checkValue(3, 9);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 3u);
  EXPECT_EQ(first.value(), 2u);
  EXPECT_FALSE(block.checkItem(3));
}

TEST(ItemBlockTest, CheckAllStopsAtTheFirstFailureInListOrder) {
  RecordingBlock block;
  block.addItem(10, 0, "ok", 9, 0, 0, 1, {});
  block.addItem(20, 0, "ruleFails", 9, 0, 0, 9, {});
  block.addItem(30, 0, "rangeFails", 9, 5, 0, 0, {});
  CheckOutcome result = block.checkAll();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 20u);
  EXPECT_EQ(block.seen, (std::vector<std::uint32_t>{10, 20}));

  block.findItem(20)->setValue(1);
  block.seen.clear();
  result = block.checkAll();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 30u);
  EXPECT_EQ(block.seen, (std::vector<std::uint32_t>{10, 20}));  // range failed before the rule
}

TEST(ItemBlockTest, SharedBitsOrOnEncodeAndGoToEveryItemOnDecode) {
  ItemBlock block;
  block.addItem(1, 0, "whole", 0xFFFF, 0, 0, 0x20, {{0, 32, 0, 0}});
  block.addItem(2, 0, "low", 7, 0, 0, 2, {{0, 3, 0, 0}});
  RegisterImage image = testing::encoded(block, 1);
  EXPECT_EQ(image[0], 0x22u);
  image[0] = 0x5;
  block.decode(image);
  EXPECT_EQ(block.findItem(1)->value(), 5u);
  EXPECT_EQ(block.findItem(2)->value(), 5u);

  const std::string out = printed([&] { block.dump(); });
  EXPECT_LT(out.find("\tName: whole\n"), out.find("\tName: low\n"));
  EXPECT_NE(out.find("\tName: low\n"), std::string::npos);
}

TEST(BankBlockTest, TypeCodesAndWhatEachBuildMakes) {
  EXPECT_EQ(DramBlock().bankType(), BankType::kDram);
  EXPECT_EQ(SdramBlock().bankType(), BankType::kSdram);
  EXPECT_EQ(PeripheralBlock().bankType(), BankType::kPeripheral);
  EXPECT_EQ(MpxBlock().bankType(), BankType::kMpx);

  const auto count = [](std::unique_ptr<BankBlock> block, bool emi4, int bank) {
    if (emi4) {
      block->buildEmi4Items(bank);
    } else {
      block->buildEmi23Items(bank);
    }
    for (const MemoryItem& item : block->items()) EXPECT_EQ(&item.block(), block.get());
    return block->items().size();
  };
  EXPECT_EQ(count(std::make_unique<PeripheralBlock>(), false, 3), 22u);
  EXPECT_EQ(count(std::make_unique<PeripheralBlock>(), true, 5), 31u);
  EXPECT_EQ(count(std::make_unique<SdramBlock>(), false, 3), 22u);
  EXPECT_EQ(count(std::make_unique<SdramBlock>(), true, 5), 22u);
  EXPECT_EQ(count(std::make_unique<DramBlock>(), false, 3), 20u);
  EXPECT_EQ(count(std::make_unique<MpxBlock>(), true, 5), 11u);
  EXPECT_EQ(GencfgBlock().items().size(), 26u);
  EXPECT_EQ(PadlogicBlock().items().size(), 11u);

  // Out-of-range banks, and generations a bank type has no form for, build nothing.
  for (int bank : {-1, 4}) {
    EXPECT_EQ(count(std::make_unique<PeripheralBlock>(), false, bank), 0u);
    EXPECT_EQ(count(std::make_unique<SdramBlock>(), false, bank), 0u);
    EXPECT_EQ(count(std::make_unique<DramBlock>(), false, bank), 0u);
  }
  for (int bank : {-1, 6}) {
    EXPECT_EQ(count(std::make_unique<PeripheralBlock>(), true, bank), 0u);
    EXPECT_EQ(count(std::make_unique<SdramBlock>(), true, bank), 0u);
    EXPECT_EQ(count(std::make_unique<MpxBlock>(), true, bank), 0u);
  }
  EXPECT_EQ(count(std::make_unique<DramBlock>(), true, 0), 0u);
  EXPECT_EQ(count(std::make_unique<MpxBlock>(), false, 0), 0u);
}

}  // namespace
}  // namespace varda::blocks
