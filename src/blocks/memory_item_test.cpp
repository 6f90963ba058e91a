#include "blocks/memory_item.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"
#include "blocks/item_block.h"
#include "support/format.h"

namespace varda::blocks {
namespace {

using testing::printed;

// A block whose rule refuses one value and counts how often it is asked.
class RefusingBlock : public ItemBlock {
 public:
  CheckOutcome checkRule(std::uint32_t tag, std::uint32_t value) const override {
    ++calls;
    if (value == 5) return CheckResult{1, tag};
    return std::nullopt;
  }
  mutable int calls = 0;
};

TEST(MemoryTransferTest, EncodeOrsTheRunAndDecodeOrsItBack) {
  RegisterImage image(4, 0);
  image[1] = 0x1;
  MemoryTransfer{1, 4, 0, 12}.encode(image, 8);
  EXPECT_EQ(image[1], 0x8001u);  // ORed, the old bit kept
  MemoryTransfer{2, 3, 0, 4}.encode(image, 8);
  EXPECT_EQ(image[2], 0u);  // field bits above the run are dropped
  MemoryTransfer{3, 7, 16, 8}.encode(image, 0x7F0000);
  EXPECT_EQ(image[3], 0x7F00u);  // a run from the middle of the field

  std::uint32_t field = 0x1;
  MemoryTransfer{3, 7, 16, 8}.decode(image, field);
  EXPECT_EQ(field, 0x7F0001u);

  RegisterImage whole(1, 0);
  MemoryTransfer{0, 32, 0, 0}.encode(whole, 0xDEADBEEF);
  EXPECT_EQ(whole[0], 0xDEADBEEFu);
  field = 0;
  MemoryTransfer{0, 32, 0, 0}.decode(whole, field);
  EXPECT_EQ(field, 0xDEADBEEFu);
}

TEST(MemoryItemTest, RangeIsInclusiveThenTheBlockRuleDecides) {
  RefusingBlock block;
  MemoryItem& item = block.addItem(1108, 1, "AccessTimeRead", 17, 2, 2, 10, {});
  EXPECT_EQ(item.value(), 10u);  // starts at the default
  EXPECT_FALSE(item.check(2));
  EXPECT_FALSE(item.check(17));
  EXPECT_EQ(block.calls, 2);
  for (std::uint32_t bad : {0u, 1u, 18u, 0xFFFFFFFFu}) {
    const CheckOutcome result = item.check(bad);
    ASSERT_TRUE(result) << bad;
    EXPECT_EQ(result->kind, 1u);
    EXPECT_EQ(result->tag, 1108u);
  }
  EXPECT_EQ(block.calls, 2);  // a range failure stops before the rule
  const CheckOutcome refused = item.check(5);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->tag, 1108u);
  item.setValue(5);  // stored unchecked; checkCurrent checks the stored value
  EXPECT_TRUE(item.checkCurrent());

  const MemoryItem& full = block.addItem(1158, 2, "LatchPoint1", 0xFFFFFFFF, 0, 0, 0, {});
  for (std::uint32_t v : {0u, 0x80000000u, 0xFFFFFFFFu}) EXPECT_FALSE(full.checkRange(v)) << v;
}

TEST(MemoryItemTest, EncodeSubtractsShiftAndDecodeAddsItBack) {
  ItemBlock block;
  RegisterImage image(4, 0);

  MemoryItem& access = block.addItem(1108, 1, "AccessTimeRead", 17, 2, 2, 10, {{1, 4, 0, 12}});
  access.encode(image);
  EXPECT_EQ(image[1], 0x8000u);  // 10 - 2 = 8 in bits 15..12
  access.setValue(3);
  access.decode(image);
  EXPECT_EQ(access.value(), 10u);

  // Shift 1 and value 1 store zeros; decoding clears the old value and gives the shift.
  MemoryItem& release = block.addItem(1127, 2, "BusReleaseTime", 2, 1, 1, 1, {{0, 1, 0, 12}});
  release.encode(image);
  EXPECT_EQ(image[0], 0u);
  release.setValue(0xFFFF);
  release.decode(image);
  EXPECT_EQ(release.value(), 1u);

  // Decoding checks nothing: a value below the range is kept for the next check.
  MemoryItem& port = block.addItem(1102, 2, "PortSize", 3, 1, 0, 1, {{3, 2, 0, 3}});
  port.decode(image);
  EXPECT_EQ(port.value(), 0u);
  EXPECT_TRUE(port.checkCurrent());
}

// Field lines in a fixed order, Max before Min, numbers as signed decimal.
TEST(MemoryItemTest, DumpFormats) {
  ItemBlock block;
  const std::string blockLine = "\tBlock: " + support::format("%x", block.identity()) + "\n";
  const MemoryItem& bare = block.addItem(1158, 2, "LatchPoint1", 0xFFFFFFFF, 0, 3, 7, {});
  EXPECT_EQ(printed([&] { bare.dump(); }),
            "MemoryItem start {\n\tName: LatchPoint1\n\tTag: 1158\n" + blockLine +
                "\tType: 2\n\tMax: -1\n\tMin: 0\n\tValue: 7\n\tShift: 3\n\tDefaultValue: 7\n"
                "} MemoryItem end\n");

  const MemoryItem& unnamed = block.addItem(3, 0, "", 1, 0, 0, 0, {{19, 1, 0, 3}, {20, 32, 0, 0}});
  EXPECT_EQ(printed([&] { unnamed.dump(); }),
            "MemoryItem start {\n\tName: \n\tTag: 3\n" + blockLine +
                "\tType: 0\n\tMax: 1\n\tMin: 0\n\tValue: 0\n\tShift: 0\n\tDefaultValue: 0\n"
                "MemoryTransfer start {\n\tRegister: 19\n\tBitNumber: 1\n\tStartBit: 0\n"
                "\tToBit: 3\n} MemoryTransfer end\n"
                "MemoryTransfer start {\n\tRegister: 20\n\tBitNumber: 32\n\tStartBit: 0\n"
                "\tToBit: 0\n} MemoryTransfer end\n"
                "} MemoryItem end\n");
}

}  // namespace
}  // namespace varda::blocks
