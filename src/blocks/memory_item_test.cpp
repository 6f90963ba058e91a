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
    if (value == refused) return CheckResult{1, tag};
    return std::nullopt;
  }
  std::uint32_t refused = 5;
  mutable int calls = 0;
};

TEST(MemoryTransferTest, EncodesFieldBitsAtTargetBitsWithoutClearing) {
  RegisterImage image(4, 0);
  image[1] = 0x1;
  MemoryTransfer{1, 4, 0, 12}.encode(image, 8);
  EXPECT_EQ(image[1], 0x8001u);
  // Field bits above the run are dropped.
  MemoryTransfer{2, 3, 0, 4}.encode(image, 8);
  EXPECT_EQ(image[2], 0u);
  // A run taken from the middle of the field.
  MemoryTransfer{3, 7, 16, 8}.encode(image, 0x7F0000);
  EXPECT_EQ(image[3], 0x7F00u);
}

TEST(MemoryTransferTest, DecodeOrsIntoAccumulator) {
  const RegisterImage image{0, 0xFFFF7F00u};
  std::uint32_t field = 0x1;
  MemoryTransfer{1, 7, 16, 8}.decode(image, field);
  EXPECT_EQ(field, 0x7F0001u);
}

TEST(MemoryTransferTest, FullWordRun) {
  RegisterImage image(1, 0);
  MemoryTransfer{0, 32, 0, 0}.encode(image, 0xDEADBEEF);
  EXPECT_EQ(image[0], 0xDEADBEEFu);
  std::uint32_t field = 0;
  MemoryTransfer{0, 32, 0, 0}.decode(image, field);
  EXPECT_EQ(field, 0xDEADBEEFu);
}

TEST(MemoryItemTest, ConstructionStartsAtDefault) {
  ItemBlock block;
  const MemoryItem& item = block.addItem(1108, 1, "AccessTimeRead", 17, 2, 2, 10, {{1, 4, 0, 12}});
  EXPECT_EQ(item.value(), 10u);
  EXPECT_EQ(item.defaultValue(), 10u);
  EXPECT_EQ(&item.block(), &block);
  EXPECT_EQ(item.min(), 2u);
  EXPECT_EQ(item.max(), 17u);
}

TEST(MemoryItemTest, RangeIsInclusiveAndReportsTag) {
  ItemBlock block;
  const MemoryItem& item = block.addItem(1108, 1, "AccessTimeRead", 17, 2, 2, 10, {});
  EXPECT_FALSE(item.checkRange(2));
  EXPECT_FALSE(item.checkRange(17));
  for (std::uint32_t bad : {0u, 1u, 18u, 0xFFFFFFFFu}) {
    const CheckOutcome result = item.checkRange(bad);
    ASSERT_TRUE(result) << bad;
    EXPECT_EQ(result->kind, 1u);
    EXPECT_EQ(result->tag, 1108u);
  }
}

TEST(MemoryItemTest, FullRangeAcceptsEveryValue) {
  ItemBlock block;
  const MemoryItem& item = block.addItem(1158, 2, "LatchPoint1", 0xFFFFFFFF, 0, 0, 0, {});
  for (std::uint32_t v : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) EXPECT_FALSE(item.check(v)) << v;
}

TEST(MemoryItemTest, CheckRunsRangeThenBlockRule) {
  RefusingBlock block;
  MemoryItem& item = block.addItem(7, 0, "x", 9, 1, 0, 1, {});
  EXPECT_FALSE(item.check(4));
  EXPECT_EQ(block.calls, 1);
  const CheckOutcome refused = item.check(5);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->tag, 7u);
  EXPECT_EQ(block.calls, 2);
  // A range failure stops before the rule.
  EXPECT_TRUE(item.check(10));
  EXPECT_EQ(block.calls, 2);
  // checkCurrent checks the stored value.
  item.setValue(5);
  EXPECT_TRUE(item.checkCurrent());
  item.setValue(0);
  EXPECT_TRUE(item.checkCurrent());
}

TEST(MemoryItemTest, SetValueNeverRefuses) {
  ItemBlock block;
  MemoryItem& item = block.addItem(1, 0, "x", 1, 0, 0, 0, {});
  item.setValue(0xFFFFFFFF);
  EXPECT_EQ(item.value(), 0xFFFFFFFFu);
}

TEST(MemoryItemTest, EncodeSubtractsShiftAndDecodeAddsItBack) {
  ItemBlock block;
  MemoryItem& item = block.addItem(1108, 1, "AccessTimeRead", 17, 2, 2, 10, {{1, 4, 0, 12}});
  RegisterImage image(4, 0);
  item.encode(image);
  EXPECT_EQ(image[1], 0x8000u);  // 10 - 2 = 8 in bits 15..12
  item.setValue(3);
  item.decode(image);
  EXPECT_EQ(item.value(), 10u);
}

TEST(MemoryItemTest, ShiftEqualToValueEncodesZeros) {
  ItemBlock block;
  MemoryItem& item = block.addItem(1127, 2, "BusReleaseTime", 2, 1, 1, 1, {{0, 1, 0, 12}});
  RegisterImage image(1, 0);
  item.encode(image);
  EXPECT_EQ(image[0], 0u);
  item.setValue(2);
  item.decode(image);
  EXPECT_EQ(item.value(), 1u);
}

TEST(MemoryItemTest, DecodeClearsPreviousValue) {
  ItemBlock block;
  MemoryItem& item = block.addItem(1133, 1, "PrechargeTime", 8, 1, 1, 2, {{0, 3, 0, 5}});
  item.setValue(0xFFFF);
  item.decode(RegisterImage(1, 0));
  EXPECT_EQ(item.value(), 1u);  // the shift alone
}

TEST(MemoryItemTest, TwoTransferItemRoundTrips) {
  ItemBlock block;
  MemoryItem& item =
      block.addItem(1134, 1, "RASBits", 8388607, 0, 0, 0, {{1, 16, 0, 0}, {2, 7, 16, 8}});
  item.setValue(0x7FFFFF);
  RegisterImage image(4, 0);
  item.encode(image);
  EXPECT_EQ(image[1], 0xFFFFu);
  EXPECT_EQ(image[2], 0x7F00u);
  item.setValue(0);
  item.decode(image);
  EXPECT_EQ(item.value(), 0x7FFFFFu);
}

TEST(MemoryItemTest, HighBitsBeyondTheRunsAreDropped) {
  ItemBlock block;
  MemoryItem& item = block.addItem(1202, 1, "latencyModeEMI4", 8, 1, 0, 2, {{27, 3, 0, 4}});
  item.setValue(8);
  RegisterImage image(59, 0);
  item.encode(image);
  EXPECT_EQ(image[27], 0u);
  item.decode(image);
  EXPECT_EQ(item.value(), 0u);  // read back below its range, unchecked
  EXPECT_TRUE(item.checkCurrent());
}

TEST(MemoryItemTest, DecodeOutsideRangeIsKept) {
  ItemBlock block;
  MemoryItem& item = block.addItem(1102, 2, "PortSize", 3, 1, 0, 1, {{0, 2, 0, 3}});
  item.decode(RegisterImage(1, 0));
  EXPECT_EQ(item.value(), 0u);
  EXPECT_TRUE(item.checkCurrent());
}

TEST(MemoryItemTest, DumpWithoutTransfers) {
  ItemBlock block;
  const MemoryItem& item = block.addItem(1158, 2, "LatchPoint1", 0xFFFFFFFF, 0, 3, 7, {});
  const std::string expected = "MemoryItem start {\n"
                               "\tName: LatchPoint1\n"
                               "\tTag: 1158\n"
                               "\tBlock: " + support::format("%x", block.identity()) + "\n"
                               "\tType: 2\n"
                               "\tMax: -1\n"
                               "\tMin: 0\n"
                               "\tValue: 7\n"
                               "\tShift: 3\n"
                               "\tDefaultValue: 7\n"
                               "} MemoryItem end\n";
  EXPECT_EQ(printed([&] { item.dump(); }), expected);
}

TEST(MemoryItemTest, DumpWithEmptyNameAndTransfers) {
  ItemBlock block;
  const MemoryItem& item = block.addItem(3, 0, "", 1, 0, 0, 0, {{19, 1, 0, 3}, {20, 32, 0, 0}});
  const std::string out = printed([&] { item.dump(); });
  EXPECT_NE(out.find("\tName: \n"), std::string::npos);
  const std::string transfers = "\tDefaultValue: 0\n"
                                "MemoryTransfer start {\n"
                                "\tRegister: 19\n"
                                "\tBitNumber: 1\n"
                                "\tStartBit: 0\n"
                                "\tToBit: 3\n"
                                "} MemoryTransfer end\n"
                                "MemoryTransfer start {\n"
                                "\tRegister: 20\n"
                                "\tBitNumber: 32\n"
                                "\tStartBit: 0\n"
                                "\tToBit: 0\n"
                                "} MemoryTransfer end\n"
                                "} MemoryItem end\n";
  ASSERT_GE(out.size(), transfers.size());
  EXPECT_EQ(out.substr(out.size() - transfers.size()), transfers);
}

}  // namespace
}  // namespace varda::blocks
