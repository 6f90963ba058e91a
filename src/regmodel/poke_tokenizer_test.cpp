#include "regmodel/poke_tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

// The prefix chooses the base; the longest valid prefix counts; the sign
// belongs to the decimal rule; more than 32 bits is kTooWide.
TEST(ConvertNumber, Forms) {
  // clang-format off
  const struct {
    const char* token;
    std::optional<std::uint64_t> value;
  } cases[] = {
      {"0x2000", 0x2000},          {"0X1F", 0x1f},        {"0x00002000", 0x2000},
      {"8192", 8192},              {"010", 8},            {"0", 0},
      {"12abc", 12},               {"0x12g", 0x12},       {"09", 0},
      {"0x", 0},                   {"0xg", 0},            {"0b101", 0},  // no base 2: stops at the b
      {"0B1", 0},                  {"", std::nullopt},    {"abc", std::nullopt},
      {"-", std::nullopt},         {"+x", std::nullopt},  {";", std::nullopt},
      {"+5", 5},                   {"-1", 0xffffffff},    {"-0", 0},
      {"-010", 0xfffffff6},        {"-0x10", 0},  // decimal -10; "-0" stops at the x
      {"4294967295", 0xffffffff},  {"0xffffffff", 0xffffffff},
      {"4294967296", kTooWide},    {"0x100000000", kTooWide},
      {"999999999999999999999999999", kTooWide}, {"-4294967296", kTooWide},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(convertNumber(c.token), c.value) << c.token;
}

TEST(ConvertValue, TrailingSemicolons) {
  EXPECT_EQ(convertValue("0x12;"), 0x12u);
  EXPECT_EQ(convertValue("0x12;;;"), 0x12u);
  EXPECT_EQ(convertValue("0x12;a"), std::nullopt);
  EXPECT_EQ(convertValue("0x12;;a;"), std::nullopt);
  EXPECT_EQ(convertValue(";"), std::nullopt);
  EXPECT_EQ(convertValue("0x12zz;"), 0x12u);  // the prefix rule still applies
}

TEST(PokeLineReader, TextAfterNulIsIgnored) {
  testing::TempFile file(std::string("poke\0xx\nb\n", 10));
  std::FILE* stream = std::fopen(file.path().c_str(), "r");
  PokeLineReader reader(stream);
  std::vector<std::string> pieces;
  for (std::string piece; reader.next(piece);) pieces.push_back(piece);
  std::fclose(stream);
  EXPECT_EQ(pieces, (std::vector<std::string>{"poke", "b\n"}));
}

}  // namespace
}  // namespace varda::regmodel
