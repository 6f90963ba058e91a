#include "cmdlang/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace varda::cmdlang {
namespace {

/// `size` bytes that differ from text to text (`seed`) and hold no NUL.
std::string bytesOf(std::size_t size, std::size_t seed) {
  std::string s(size, ' ');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>('!' + (seed * 7 + i) % 90);
  return s;
}

void expectHolds(const Text& t, const std::string& bytes) {
  ASSERT_EQ(t.size(), bytes.size());
  EXPECT_EQ(t.view(), bytes);
  EXPECT_EQ(t.c_str()[bytes.size()], '\0');
  EXPECT_EQ(std::strlen(t.c_str()), bytes.size());
}

TEST(TextTest, EveryLengthAroundTheBlockSizesKeepsItsBytesAndZero) {
  // Lengths up to well past the largest pooled block, all alive at once.
  std::vector<Text> texts;
  for (std::size_t n = 0; n < 160; ++n) texts.emplace_back(bytesOf(n, n));
  for (std::size_t n = 0; n < 160; ++n) expectHolds(texts[n], bytesOf(n, n));
  EXPECT_EQ(Text(std::string_view("ab\0cd", 5)).view(), "ab");  // a NUL ends a text
  EXPECT_TRUE(Text(std::string_view("\0x", 2)).empty());
  expectHolds(Text::concat("", "xyz"), "xyz");
  expectHolds(Text::concat("xyz", ""), "xyz");
  EXPECT_TRUE(Text::concat("", "").empty());
}

TEST(TextTest, ReleasedBlocksServeLaterTextsOfOtherLengths) {
  // Many texts of mixed lengths (past several chunks of the pool), then
  // every other one released and replaced by one of another length that
  // falls in the same or a neighbouring block size: the survivors and the
  // new texts must each keep their own bytes.
  constexpr std::size_t kCount = 200000;
  std::vector<Text> texts;
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < kCount; ++i) {
    expected.push_back(bytesOf(i % 130, i));
    texts.emplace_back(expected.back());
  }
  for (std::size_t i = 0; i < kCount; i += 2) texts[i] = Text();
  for (std::size_t i = 0; i < kCount; i += 2) {
    const std::size_t length = (i % 130 + 3 * (i % 5)) % 131;
    expected[i] = bytesOf(length, i + 1);
    texts[i] = Text::concat(std::string_view(expected[i]).substr(0, length / 2),
                            std::string_view(expected[i]).substr(length / 2));
  }
  for (std::size_t i = 0; i < kCount; ++i) {
    ASSERT_EQ(texts[i].view(), expected[i]) << i;
    ASSERT_EQ(texts[i].c_str()[expected[i].size()], '\0') << i;
  }
}

TEST(TextTest, CopiesShareOneBlockThatLivesUntilTheLastGoes) {
  Text a("shared bytes");
  Text b = a;
  EXPECT_TRUE(b.sameAs(a));
  a = Text("other");
  const Text c("fill the freed sizes");  // must not take b's block
  expectHolds(b, "shared bytes");
  expectHolds(a, "other");
  expectHolds(c, "fill the freed sizes");
}

}  // namespace
}  // namespace varda::cmdlang
