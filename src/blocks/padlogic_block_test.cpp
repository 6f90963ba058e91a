#include "blocks/padlogic_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::set;

TEST(PadlogicBlockTest, DefaultsAreZero) {
  PadlogicBlock block;
  EXPECT_EQ(encoded(block, kEmi23ImageWords), RegisterImage(kEmi23ImageWords, 0));
  EXPECT_FALSE(block.checkAll());
  EXPECT_EQ(block.findItem(6), nullptr);
}

TEST(PadlogicBlockTest, MemshiftBank3IsBuiltTwice) {
  PadlogicBlock block;
  const auto& items = block.items();
  EXPECT_EQ(items[3].name(), "MemshiftBank3");
  EXPECT_EQ(items[4].name(), "MemshiftBank3");
  EXPECT_EQ(block.findItem(3), &items[3]);

  RegisterImage image(kEmi23ImageWords, 0);
  image[kEmi23PadlogicWord] = 0x0009;
  block.decode(image);
  EXPECT_EQ(items[0].value(), 1u);
  EXPECT_EQ(items[3].value(), 1u);
  EXPECT_EQ(items[4].value(), 1u);
}

TEST(PadlogicBlockTest, ChipSpecificBits) {
  PadlogicBlock block;
  set(block, 8, 5);
  set(block, 9, 1);
  EXPECT_EQ(encoded(block, kEmi23ImageWords)[19], 0x680u);
  EXPECT_TRUE(block.checkValue(8, 6));
  set(block, 10, 1);
  set(block, 7, 1);
  EXPECT_EQ(encoded(block, kEmi23ImageWords)[19], 0xEC0u);
}

}  // namespace
}  // namespace varda::blocks
