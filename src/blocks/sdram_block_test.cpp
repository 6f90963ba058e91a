#include "blocks/sdram_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::set;
using testing::valueOf;

TEST(SdramBlockTest, Emi23DefaultsEncode) {
  SdramBlock block;
  block.buildEmi23Items(0);
  const RegisterImage image = encoded(block, kEmi23ImageWords);
  EXPECT_EQ(image[0], 0x2Au);
  EXPECT_EQ(image[1], 0u);
  EXPECT_EQ(image[2], 0x2Au);
  EXPECT_EQ(image[3], 0x81Au);
  EXPECT_EQ(image[17], 0x22u);
  EXPECT_EQ(image[18], 0u);
  EXPECT_EQ(image[16], 0u);  // "fake" defaults to 0
  EXPECT_FALSE(block.checkAll());
}

TEST(SdramBlockTest, Emi4DefaultsEncode) {
  SdramBlock block;
  block.buildEmi4Items(2);
  const RegisterImage image = encoded(block, kEmi4ImageWords);
  EXPECT_EQ(image[43], 0x202Au);
  EXPECT_EQ(image[44], 0u);
  EXPECT_EQ(image[45], 0x10u);
  EXPECT_EQ(image[46], 0x49Au);
  EXPECT_EQ(image[27], 0x22u);
  EXPECT_EQ(image[28], 0u);
  EXPECT_EQ(image[26], 0u);
  EXPECT_EQ(image[29], 0u);
  EXPECT_FALSE(block.checkAll());
}

TEST(SdramBlockTest, BankOneUsesTheSecondModeWord) {
  SdramBlock emi23;
  emi23.buildEmi23Items(1);
  set(emi23, 1146, 7);
  set(emi23, 1145, 1);
  RegisterImage image = encoded(emi23, kEmi23ImageWords);
  EXPECT_EQ(image[18], 0x2Fu);
  EXPECT_EQ(image[17], 0u);
  EXPECT_EQ(image[4], 0x2Au);  // R0 of bank 1

  SdramBlock emi4;
  emi4.buildEmi4Items(1);
  image = encoded(emi4, kEmi4ImageWords);
  EXPECT_EQ(image[28], 0x22u);
  EXPECT_EQ(image[27], 0u);
  EXPECT_EQ(image[39], 0x202Au);
}

TEST(SdramBlockTest, ModeRegisterItemsOrTogether) {
  SdramBlock block;
  block.buildEmi23Items(3);
  set(block, 1201, 0x22);
  set(block, 1143, 3);
  EXPECT_EQ(encoded(block, kEmi23ImageWords)[17], 0x32u);

  // Decoding gives each item its bits of the word.
  RegisterImage image(kEmi23ImageWords, 0);
  image[17] = 0x4B;
  block.decode(image);
  EXPECT_EQ(valueOf(block, 1201), 0x4Bu);
  EXPECT_EQ(valueOf(block, 1145), 1u);
  EXPECT_EQ(valueOf(block, 1146), 3u);
  EXPECT_EQ(valueOf(block, 1143), 4u);
}

TEST(SdramBlockTest, RasBitsSplitOverTwoRegisters) {
  SdramBlock block;
  block.buildEmi23Items(2);
  set(block, 1134, 0x7FFFFF);
  const RegisterImage image = encoded(block, kEmi23ImageWords);
  EXPECT_EQ(image[9], 0xFFFFu);
  EXPECT_EQ((image[10] >> 8) & 0x7F, 0x7Fu);
  EXPECT_EQ(image[10] & ~0x7F00u, 0x2Au);  // the other R2 items are untouched

  set(block, 1134, 0);
  block.decode(image);
  EXPECT_EQ(valueOf(block, 1134), 0x7FFFFFu);

  SdramBlock emi4;
  emi4.buildEmi4Items(0);
  set(emi4, 1193, 0x7FFFFF);
  EXPECT_EQ(encoded(emi4, kEmi4ImageWords)[36], 0x7FFFFFu);
}

TEST(SdramBlockTest, PlaceholdersCarryInitialisationBits) {
  SdramBlock emi23;
  emi23.buildEmi23Items(0);
  RegisterImage image(kEmi23ImageWords, 0);
  image[16] = 1;
  emi23.decode(image);
  EXPECT_EQ(valueOf(emi23, 1147), 1u);
  EXPECT_EQ(encoded(emi23, kEmi23ImageWords)[16], 1u);

  SdramBlock emi4;
  emi4.buildEmi4Items(4);
  RegisterImage image4(kEmi4ImageWords, 0);
  image4[29] = 1;
  image4[26] = 1;
  emi4.decode(image4);
  EXPECT_EQ(valueOf(emi4, 1155), 1u);
  EXPECT_EQ(valueOf(emi4, 1156), 1u);
}

TEST(SdramBlockTest, OnlyRangesAreChecked) {
  SdramBlock block;
  block.buildEmi23Items(0);
  EXPECT_FALSE(block.checkValue(1142, 4));
  EXPECT_TRUE(block.checkValue(1142, 5));
  EXPECT_TRUE(block.checkValue(6, 1));  // DeviceType admits 2 only
  EXPECT_FALSE(block.checkValue(1201, 65535));
  EXPECT_TRUE(block.checkValue(1201, 65536));
  for (std::uint32_t v = 0; v < 20; ++v) EXPECT_FALSE(block.checkRule(1142, v));
}

TEST(SdramBlockTest, LatencyModeEmi4EightIsStoredAsZero) {
  SdramBlock block;
  block.buildEmi4Items(0);
  EXPECT_FALSE(block.checkValue(1202, 8));
  set(block, 1202, 8);
  set(block, 1201, 0);
  set(block, 1146, 0);
  EXPECT_EQ(encoded(block, kEmi4ImageWords)[27], 0u);
}

}  // namespace
}  // namespace varda::blocks
