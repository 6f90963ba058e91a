#include "blocks/mpx_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;

// The three latch-point words share tag 1158; a lookup finds LatchPoint1, and
// decoding carries R1..R3 through unchanged.
TEST(MpxBlockTest, LatchPointWordsCarryWholeRegisters) {
  MpxBlock block;
  block.buildEmi4Items(0);
  ASSERT_NE(block.findItem(1158), nullptr);
  EXPECT_EQ(block.findItem(1158)->name(), "LatchPoint1");
  EXPECT_EQ(block.findItem(1158)->transfers().front().registerTag(), 36u);

  RegisterImage image(kEmi4ImageWords, 0);
  image[35] = 0x2000053;
  image[36] = 0x11111111;
  image[37] = 0xDEADBEEF;
  image[38] = 0xFFFFFFFF;
  block.decode(image);
  EXPECT_EQ(block.items()[9].name(), "LatchPoint2");
  EXPECT_EQ(block.items()[9].value(), 0xDEADBEEFu);
  EXPECT_FALSE(block.checkAll());
  EXPECT_EQ(encoded(block, kEmi4ImageWords), image);
}

}  // namespace
}  // namespace varda::blocks
