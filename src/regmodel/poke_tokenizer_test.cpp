#include "regmodel/poke_tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

std::vector<std::string> tokensOf(std::string_view line) {
  TokenCursor cursor(line);
  std::vector<std::string> tokens;
  while (auto token = cursor.next()) tokens.emplace_back(*token);
  return tokens;
}

std::vector<std::string> piecesOf(const std::string& contents) {
  testing::TempFile file(contents);
  std::FILE* stream = std::fopen(file.path().c_str(), "r");
  PokeLineReader reader(stream);
  std::vector<std::string> pieces;
  std::string piece;
  while (reader.next(piece)) pieces.push_back(piece);
  std::fclose(stream);
  return pieces;
}

TEST(TokenCursor, SeparatorsIncludeBracesAndCarriageReturn) {
  using V = std::vector<std::string>;
  EXPECT_EQ(tokensOf("proc configEmi {\r\n"), (V{"proc", "configEmi"}));
  EXPECT_EQ(tokensOf("\t  poke\t0x2000   0x1234\n"), (V{"poke", "0x2000", "0x1234"}));
  EXPECT_EQ(tokensOf("{proc}x{y}"), (V{"proc", "x", "y"}));
  EXPECT_EQ(tokensOf("}\n"), V{});
  EXPECT_EQ(tokensOf(""), V{});
}

TEST(TokenCursor, SemicolonSeparatesOnlyWhenAsked) {
  TokenCursor cursor("poke 1 0x12;; ; ;x");
  EXPECT_EQ(cursor.next(), "poke");
  EXPECT_EQ(cursor.next(), "1");
  EXPECT_EQ(cursor.next(), "0x12;;");
  EXPECT_EQ(cursor.next(TokenCursor::kTrailingSeparators), "x");
  EXPECT_EQ(cursor.next(TokenCursor::kTrailingSeparators), std::nullopt);

  TokenCursor onlySemicolons("poke 1 2 ;;;  ;\r\n");
  for (int i = 0; i < 3; ++i) onlySemicolons.next();
  EXPECT_EQ(onlySemicolons.next(TokenCursor::kTrailingSeparators), std::nullopt);
}

TEST(ConvertNumber, PrefixesChooseTheBase) {
  EXPECT_EQ(convertNumber("0x2000"), 0x2000u);
  EXPECT_EQ(convertNumber("0X1F"), 0x1fu);
  EXPECT_EQ(convertNumber("0x00002000"), 0x2000u);
  EXPECT_EQ(convertNumber("8192"), 8192u);
  EXPECT_EQ(convertNumber("010"), 8u);
  EXPECT_EQ(convertNumber("0"), 0u);
  EXPECT_EQ(convertNumber("0xffffffff"), 0xffffffffu);
}

TEST(ConvertNumber, TakesTheLongestValidPrefix) {
  EXPECT_EQ(convertNumber("12abc"), 12u);
  EXPECT_EQ(convertNumber("0x12g"), 0x12u);
  EXPECT_EQ(convertNumber("09"), 0u);   // octal stops at the 9
  EXPECT_EQ(convertNumber("0x"), 0u);   // no hex digit: just the 0
  EXPECT_EQ(convertNumber("0xg"), 0u);
  EXPECT_EQ(convertNumber("0b101"), 0u);  // no base 2: stops at the b
  EXPECT_EQ(convertNumber("0B1"), 0u);
}

TEST(ConvertNumber, NoNumber) {
  EXPECT_EQ(convertNumber(""), std::nullopt);
  EXPECT_EQ(convertNumber("abc"), std::nullopt);
  EXPECT_EQ(convertNumber("-"), std::nullopt);
  EXPECT_EQ(convertNumber("+x"), std::nullopt);
  EXPECT_EQ(convertNumber(";"), std::nullopt);
}

TEST(ConvertNumber, SignBelongsToDecimal) {
  EXPECT_EQ(convertNumber("+5"), 5u);
  EXPECT_EQ(convertNumber("-1"), 0xffffffffu);
  EXPECT_EQ(convertNumber("-0"), 0u);
  EXPECT_EQ(convertNumber("-010"), 0xfffffff6u);  // decimal -10, not octal
  EXPECT_EQ(convertNumber("-0x10"), 0u);          // "-0", stops at the x
}

TEST(ConvertNumber, WiderThan32BitsIsTooWide) {
  EXPECT_EQ(convertNumber("4294967295"), 0xffffffffu);
  EXPECT_EQ(convertNumber("4294967296"), kTooWide);
  EXPECT_EQ(convertNumber("0x100000000"), kTooWide);
  EXPECT_EQ(convertNumber("999999999999999999999999999"), kTooWide);
  EXPECT_EQ(convertNumber("-4294967296"), kTooWide);
}

TEST(ConvertValue, TrailingSemicolons) {
  EXPECT_EQ(convertValue("0x12;"), 0x12u);
  EXPECT_EQ(convertValue("0x12;;;"), 0x12u);
  EXPECT_EQ(convertValue("0x12;a"), std::nullopt);
  EXPECT_EQ(convertValue("0x12;;a;"), std::nullopt);
  EXPECT_EQ(convertValue(";"), std::nullopt);
  EXPECT_EQ(convertValue("0x12zz;"), 0x12u);  // the prefix rule still applies
}

TEST(PokeLineReader, LongLinesAreReadInPiecesOf255) {
  const std::string longLine(300, 'a');
  const std::vector<std::string> pieces = piecesOf(longLine + "\nb\n");
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0], std::string(255, 'a'));
  EXPECT_EQ(pieces[1], std::string(45, 'a') + "\n");
  EXPECT_EQ(pieces[2], "b\n");
}

TEST(PokeLineReader, A255CharacterLineLeavesItsLineFeedAsAPiece) {
  const std::vector<std::string> pieces = piecesOf(std::string(255, 'a') + "\n");
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1], "\n");
  EXPECT_EQ(piecesOf(std::string(254, 'a') + "\n").size(), 1u);
}

TEST(PokeLineReader, LastLineWithoutLineFeedAndEmptyFile) {
  EXPECT_EQ(piecesOf("a\r\nb"), (std::vector<std::string>{"a\r\n", "b"}));
  EXPECT_TRUE(piecesOf("").empty());
}

TEST(PokeLineReader, TextAfterNulIsIgnored) {
  EXPECT_EQ(piecesOf(std::string("poke\0xx\nb\n", 10)), (std::vector<std::string>{"poke", "b\n"}));
}

}  // namespace
}  // namespace varda::regmodel
