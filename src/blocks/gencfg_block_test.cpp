#include "blocks/gencfg_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::set;

// What a whole-word store does to the block: encode, replace one word, decode.
CheckOutcome storeWord(GencfgBlock& block, std::uint32_t word, std::uint32_t value) {
  RegisterImage image = encoded(block, kEmi4ImageWords);
  image[word] = value;
  block.decode(image);
  return block.checkAll();
}

TEST(GencfgBlockTest, FieldsAndWholeWords) {
  GencfgBlock block;
  EXPECT_FALSE(block.checkAll());

  set(block, 0, 1);
  set(block, 18, 1);
  EXPECT_EQ(encoded(block, kEmi4ImageWords)[25], 0x400001u);
  set(block, 12, 5);
  set(block, 4, 3);
  EXPECT_EQ(encoded(block, kEmi4ImageWords)[25], 0x405031u);
  EXPECT_TRUE(block.checkValue(12, 6));
  EXPECT_FALSE(block.checkValue(12, 5));

  // Whole words are checked through the items that cover their bits.
  for (std::uint32_t code : {6u, 7u}) {
    const CheckOutcome result = storeWord(block, 25, code << 12);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->tag, 12u);  // Bank5Subbanksize
  }
  EXPECT_FALSE(storeWord(block, 25, 0));

  EXPECT_FALSE(storeWord(block, 30, 0x1008));
  EXPECT_EQ(block.items()[21].name(), "EMI4refreshint");
  EXPECT_EQ(block.items()[21].value(), 8u);
  const CheckOutcome result = storeWord(block, 30, 6);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 1161u);
  EXPECT_FALSE(storeWord(block, 30, 7));
}

}  // namespace
}  // namespace varda::blocks
