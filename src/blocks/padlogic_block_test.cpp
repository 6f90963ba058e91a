#include "blocks/padlogic_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

// MemshiftBank3 is built twice; tag 3 finds the first, decoding fills both.
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

}  // namespace
}  // namespace varda::blocks
