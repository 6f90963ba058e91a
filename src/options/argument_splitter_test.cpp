#include "options/argument_splitter.h"

#include <gtest/gtest.h>

namespace varda::options {
namespace {

using Args = std::vector<std::string>;

Args split(std::string_view text) {
  SplitResult result = splitArguments(text);
  EXPECT_FALSE(result.syntaxErrorAt.has_value()) << text;
  return result.args;
}

std::optional<std::size_t> errorAt(std::string_view text) {
  SplitResult result = splitArguments(text);
  EXPECT_TRUE(result.args.empty()) << text;
  return result.syntaxErrorAt;
}

TEST(ArgumentSplitter, WhiteSpaceSeparates) {
  EXPECT_EQ(split("  -bank   2 "), (Args{"-bank", "2"}));
  EXPECT_EQ(split("a\tb\nc\rd\ve\ff"), (Args{"a", "b", "c", "d", "e", "f"}));
  EXPECT_EQ(split(""), Args{});
  EXPECT_EQ(split(" \t\r\n\v\f"), Args{});
}

TEST(ArgumentSplitter, QuotedArguments) {
  EXPECT_EQ(split("\"a b\" c"), (Args{"a b", "c"}));
  EXPECT_EQ(split("\"a\"\"b\""), (Args{"a\"b"}));
  EXPECT_EQ(split("\"\"\"\""), (Args{"\""}));
  EXPECT_EQ(split("\"\" x"), (Args{"", "x"}));
  EXPECT_EQ(split("\"-o\"\tx"), (Args{"-o", "x"}));
}

TEST(ArgumentSplitter, QuoteInsideAnUnquotedArgumentStays) {
  EXPECT_EQ(split("a\"b"), (Args{"a\"b"}));
  EXPECT_EQ(split("a\"b c\""), (Args{"a\"b", "c\""}));
}

TEST(ArgumentSplitter, TrailingLineFeedOfAnArgumentIsDropped) {
  EXPECT_EQ(split("\"abc\n\""), (Args{"abc"}));
  EXPECT_EQ(split("\"abc\n\n\""), (Args{"abc\n"}));
  EXPECT_EQ(split("\"a\nb\""), (Args{"a\nb"}));
}

TEST(ArgumentSplitter, BadQuotingIsASyntaxErrorAtTheOpeningQuote) {
  EXPECT_EQ(errorAt("\"abc\"x"), 0u);
  EXPECT_EQ(errorAt("-v \"abc"), 3u);
  EXPECT_EQ(errorAt("-v \"a\"\"b"), 3u);
  EXPECT_EQ(errorAt("ok \"a\" \"b\"c d"), 7u);
  EXPECT_EQ(errorAt("\""), 0u);
  EXPECT_EQ(errorAt("\"\"\""), 0u);
}

}  // namespace
}  // namespace varda::options
