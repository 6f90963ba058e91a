#include "front/value_conversions.h"

#include <gtest/gtest.h>

namespace varda::front {
namespace {

// Mapped values go both ways; a value the mapping does not name passes
// unchanged (so the item's range refuses it, or takes it as a code).
TEST(ValueConversions, MapBothWaysAndPassOtherValuesUnchanged) {
  EXPECT_EQ(toCode(Conversion::kPortSize, 16), 2u);
  EXPECT_EQ(toCode(Conversion::kPortSize, 12), 12u);
  EXPECT_EQ(fromCode(Conversion::kPortSize, 3), 8u);
  EXPECT_EQ(toCode(Conversion::kSdramSubBankSize, 1), 1u);  // not in the mapping: the 32M code
  EXPECT_EQ(fromCode(Conversion::kDramSubBankSize, 0), 256u);
  EXPECT_EQ(toCode(Conversion::kSubDecodeSize, 1000), 5u);
  // Retime stages skip code 1: 0, 2, 3 stand for 0, 1, 2 stages.
  EXPECT_EQ(toCode(Conversion::kRetimeStages, 0), 0u);
  EXPECT_EQ(toCode(Conversion::kRetimeStages, 2), 3u);
  EXPECT_EQ(fromCode(Conversion::kRetimeStages, 3), 2u);
  EXPECT_EQ(fromCode(Conversion::kRetimeStages, 1), 0u);
}

}  // namespace
}  // namespace varda::front
