#include "cmdlang/number_syntax.h"

#include <gtest/gtest.h>

#include <limits>

namespace varda::cmdlang {
namespace {

TEST(NumberSyntaxTest, ReadsEveryPrefixSignAndBlank) {
  struct Row {
    const char* text;
    std::int32_t value;
  };
  const Row rows[] = {
      {"42", 42},
      {"0x1F", 31},
      {"0X1f", 31},
      {"#ff", 255},
      {"0b101", 5},
      {"0B11", 3},
      {"017", 15},
      {"0", 0},
      {"0m1", INT32_MIN + 1},
      {"0M0", INT32_MIN},
      {"  -5", -5},
      {"- 5", -5},
      {"+ 7  ", 7},
      {"-", 0},
      {"", 0},
      {"4294967295", -1},
      {"-2147483648", INT32_MIN},
  };
  for (const Row& r : rows) {
    const auto n = parsenumber(r.text, true);
    ASSERT_TRUE(n.has_value()) << r.text;
    EXPECT_EQ(*n, r.value) << r.text;
  }
}

TEST(NumberSyntaxTest, RefusesOverflowAndTrailingTextOfAWholeText) {
  for (const char* bad : {"4294967296", "0x100000000", "12a", "08", "0b102", "abc", "5 6"})
    EXPECT_FALSE(parsenumber(bad, true).has_value()) << bad;
  std::size_t used = 0;
  EXPECT_EQ(parsenumber("12a", false, &used), 12);
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(parsenumber("0x", false, &used), 0);
}

TEST(NumberSyntaxTest, FormatsInEachModeWithPaddingWhereAsked) {
  EXPECT_EQ(formatnumber(255, NumberFormat::Hex, true), "0x000000ff");
  EXPECT_EQ(formatnumber(255, NumberFormat::Hex, false), "0xff");
  EXPECT_EQ(formatnumber(0, NumberFormat::Hex, false), "0x0");
  EXPECT_EQ(formatnumber(-1, NumberFormat::Signed, true), "-1");
  EXPECT_EQ(formatnumber(-1, NumberFormat::Unsigned, false), "4294967295");
  EXPECT_EQ(formatnumber(8, NumberFormat::Octal, true), "000000000010");
  EXPECT_EQ(formatnumber(0, NumberFormat::Octal, false), "00");
  EXPECT_EQ(formatnumber(5, NumberFormat::Binary, true), std::string(29, '0') + "101");
  EXPECT_EQ(formatnumber(65, NumberFormat::Char, false), "A");
  EXPECT_EQ(formatnumber(32, NumberFormat::Char, false), " ");
  EXPECT_EQ(formatnumber(10, NumberFormat::Char, false), ".");
  EXPECT_EQ(formatnumber(321, NumberFormat::Char, false), ".");
}

TEST(NumberSyntaxTest, FormatsTheExtremeIntegersInEveryMode) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(formatnumber(kMin, NumberFormat::Signed, true), "-2147483648");
  EXPECT_EQ(formatnumber(kMax, NumberFormat::Signed, true), "2147483647");
  EXPECT_EQ(formatnumber(kMin, NumberFormat::Unsigned, true), "2147483648");
  EXPECT_EQ(formatnumber(kMin, NumberFormat::Hex, true), "0x80000000");
  EXPECT_EQ(formatnumber(-1, NumberFormat::Hex, false), "0xffffffff");
  EXPECT_EQ(formatnumber(kMin, NumberFormat::Octal, true), "020000000000");
  EXPECT_EQ(formatnumber(-1, NumberFormat::Octal, false), "037777777777");
  EXPECT_EQ(formatnumber(kMin, NumberFormat::Binary, false), "1" + std::string(31, '0'));
  EXPECT_EQ(formatnumber(-1, NumberFormat::Binary, true), std::string(32, '1'));
  EXPECT_EQ(formatnumber(kMax, NumberFormat::Binary, true), "0" + std::string(31, '1'));
  EXPECT_EQ(formatnumber(-65, NumberFormat::Char, true), ".");
}

}  // namespace
}  // namespace varda::cmdlang
