#include "front/number_text.h"

#include <gtest/gtest.h>

namespace varda::front {
namespace {

TEST(NumberText, DecimalReadsTheLeadingDigits) {
  EXPECT_EQ(decimalValue("2"), 2u);
  EXPECT_EQ(decimalValue("  17x"), 17u);
  EXPECT_EQ(decimalValue("x17"), 0u);
  EXPECT_EQ(decimalValue(""), 0u);
  EXPECT_EQ(decimalValue("+5"), 5u);
  EXPECT_EQ(decimalValue("-1"), 0xffffffffu);
  EXPECT_EQ(decimalValue("4294967295"), 0xffffffffu);
  EXPECT_EQ(decimalValue("4294967296"), 0xffffffffu);  // saturates
  EXPECT_EQ(decimalValue("99999999999999999999999"), 0xffffffffu);
  EXPECT_EQ(decimalValue("0x10"), 0u);
}

TEST(NumberText, HexTakesAnOptionalPrefix) {
  EXPECT_EQ(hexValue("3f"), 0x3fu);
  EXPECT_EQ(hexValue("0x40"), 0x40u);
  EXPECT_EQ(hexValue("0X1234"), 0x1234u);
  EXPECT_EQ(hexValue("0x"), 0u);
  EXPECT_EQ(hexValue("0xg"), 0u);
  EXPECT_EQ(hexValue("ffffffff"), 0xffffffffu);
  EXPECT_EQ(hexValue("1ffffffff"), 0xffffffffu);
  EXPECT_EQ(hexValue("12zz"), 0x12u);
}

}  // namespace
}  // namespace varda::front
