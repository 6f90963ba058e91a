#include "front/value_conversions.h"

#include <gtest/gtest.h>

namespace varda::front {
namespace {

TEST(ValueConversions, MapBothWaysAndPassOtherValuesUnchanged) {
  EXPECT_EQ(toCode(Conversion::kPortSize, 16), 2u);
  EXPECT_EQ(toCode(Conversion::kPortSize, 12), 12u);
  EXPECT_EQ(fromCode(Conversion::kPortSize, 3), 8u);
  EXPECT_EQ(toCode(Conversion::kDramSubBankSize, 1), 1u);
  EXPECT_EQ(fromCode(Conversion::kDramSubBankSize, 0), 256u);
  EXPECT_EQ(toCode(Conversion::kSdramSubBankSize, 1), 1u);  // not in the mapping: the 32M code
  EXPECT_EQ(fromCode(Conversion::kSdramSubBankSize, 4), 256u);
  EXPECT_EQ(toCode(Conversion::kSubDecodeSize, 1000), 5u);
  EXPECT_EQ(fromCode(Conversion::kSubDecodeSize, 5), 1000u);
  EXPECT_EQ(toCode(Conversion::kBurstSize, 128), 6u);
  EXPECT_EQ(fromCode(Conversion::kPlusOne, 3), 4u);
  EXPECT_EQ(fromCode(Conversion::kOneTwo, 1), 2u);
}

TEST(ValueConversions, RetimeStagesSkipCodeOne) {
  EXPECT_EQ(toCode(Conversion::kRetimeStages, 0), 0u);
  EXPECT_EQ(toCode(Conversion::kRetimeStages, 2), 3u);
  EXPECT_EQ(fromCode(Conversion::kRetimeStages, 3), 2u);
  EXPECT_EQ(fromCode(Conversion::kRetimeStages, 1), 0u);
}

TEST(ValueConversions, EveryMappedValueComesBack) {
  for (Conversion c : {Conversion::kPortSize, Conversion::kOneTwo, Conversion::kSubBanks,
                       Conversion::kDramSubBankSize, Conversion::kSdramSubBankSize, Conversion::kSubDecodeSize,
                       Conversion::kPlusOne, Conversion::kBurstSize, Conversion::kRetimeStages}) {
    for (std::uint32_t v : {0u, 1u, 2u, 4u, 8u, 16u, 32u, 64u, 128u, 256u, 1000u}) {
      const std::uint32_t code = toCode(c, v);
      if (code != v || c == Conversion::kNone) {
        EXPECT_EQ(fromCode(c, code), v) << static_cast<int>(c) << " " << v;
      }
    }
  }
}

}  // namespace
}  // namespace varda::front
