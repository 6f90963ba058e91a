#include "blocks/sdram_block.h"

#include <gtest/gtest.h>

#include "blocks/block_test_util.h"
#include "blocks/item_tags.h"

namespace varda::blocks {
namespace {

using testing::encoded;
using testing::set;
using testing::valueOf;

// The placeholders carry bit 0 of the initialisation registers: word 16 on
// EMI2/3, words 29 and 26 on EMI4.
TEST(SdramBlockTest, PlaceholdersCarryTheInitialisationBits) {
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
  EXPECT_FALSE(block.checkValue(tag::kCasLatency, 4));
  EXPECT_TRUE(block.checkValue(tag::kCasLatency, 5));
  EXPECT_TRUE(block.checkValue(6, 1));  // DeviceType admits 2 only
  EXPECT_FALSE(block.checkValue(1201, 65535));
  EXPECT_TRUE(block.checkValue(1201, 65536));

  // latencyModeEMI4 8 passes its range but does not fit its three bits.
  SdramBlock emi4;
  emi4.buildEmi4Items(0);
  EXPECT_FALSE(emi4.checkValue(1202, 8));
  set(emi4, 1202, 8);
  set(emi4, 1201, 0);
  set(emi4, 1146, 0);
  EXPECT_EQ(encoded(emi4, kEmi4ImageWords)[27], 0u);
}

}  // namespace
}  // namespace varda::blocks
