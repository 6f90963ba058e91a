#include "blocks/gencfg_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::set;
using testing::valueOf;

// What a whole-word store does to the block: encode, replace one word, decode.
void storeWord(GencfgBlock& block, std::uint32_t tag, std::uint32_t word) {
  RegisterImage image = encoded(block, kEmi4ImageWords);
  image[tag] = word;
  block.decode(image);
}

TEST(GencfgBlockTest, DefaultsEncode) {
  GencfgBlock block;
  const RegisterImage image = encoded(block, kEmi4ImageWords);
  for (std::size_t i = 0; i < image.size(); ++i) {
    std::uint32_t expected = 0;
    if (i == 30) expected = 8;
    if (i >= 31 && i <= 33) expected = 2;
    EXPECT_EQ(image[i], expected) << i;
  }
  EXPECT_FALSE(block.checkAll());
}

TEST(GencfgBlockTest, FieldsOfTheGeneralConfigurationWord) {
  GencfgBlock block;
  set(block, 0, 1);
  set(block, 18, 1);
  EXPECT_EQ(encoded(block, kEmi4ImageWords)[25], 0x400001u);
  set(block, 12, 5);
  set(block, 4, 3);
  EXPECT_EQ(encoded(block, kEmi4ImageWords)[25], 0x405031u);
}

TEST(GencfgBlockTest, RawWordKeepsOnlyCoveredBits) {
  GencfgBlock block;
  storeWord(block, 25, 0xFF800001);
  EXPECT_FALSE(block.checkAll());
  EXPECT_EQ(encoded(block, kEmi4ImageWords)[25], 1u);
}

TEST(GencfgBlockTest, RawWordWithBadSubbankSizeFailsRange) {
  GencfgBlock block;
  for (std::uint32_t code : {6u, 7u}) {
    storeWord(block, 25, code << 12);
    const CheckOutcome result = block.checkAll();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->tag, 12u);
  }
  EXPECT_TRUE(block.checkValue(12, 6));
  EXPECT_FALSE(block.checkValue(12, 5));
}

TEST(GencfgBlockTest, RefreshInterval) {
  GencfgBlock block;
  storeWord(block, 30, 0x1008);
  EXPECT_EQ(block.items()[21].name(), "EMI4refreshint");
  EXPECT_EQ(block.items()[21].value(), 8u);
  storeWord(block, 30, 6);
  const CheckOutcome result = block.checkAll();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, 1161u);
  storeWord(block, 30, 7);
  EXPECT_FALSE(block.checkAll());
}

TEST(GencfgBlockTest, SharedTagReachesStatusConfigurationOnly) {
  GencfgBlock block;
  ASSERT_NE(block.findItem(1161), nullptr);
  EXPECT_EQ(block.findItem(1161)->name(), "EMI4statuscfg");
  set(block, 1161, 5);
  const RegisterImage image = encoded(block, kEmi4ImageWords);
  EXPECT_EQ(image[22], 5u);
  EXPECT_EQ(image[23], 0u);
  EXPECT_EQ(image[24], 0u);
  EXPECT_EQ(block.findItem(6), nullptr);
  EXPECT_EQ(valueOf(block, 17), 0u);
}

}  // namespace
}  // namespace varda::blocks
