#include "options/argument_splitter.h"

#include <gtest/gtest.h>

namespace varda::options {
namespace {

using Args = std::vector<std::string>;

// White space separates; a quoted argument runs to its closing quote, with
// doubled quotes made single; a quote inside an unquoted argument stays; an
// argument loses one trailing line feed.
TEST(ArgumentSplitter, Arguments) {
  // clang-format off
  const struct {
    const char* text;
    Args args;
  } cases[] = {
      {"  -bank   2 ", {"-bank", "2"}},
      {"a\tb\nc\rd\ve\ff", {"a", "b", "c", "d", "e", "f"}},
      {"", {}},
      {" \t\r\n\v\f", {}},
      {"\"a b\" c", {"a b", "c"}},
      {"\"a\"\"b\"", {"a\"b"}},
      {"\"\"\"\"", {"\""}},
      {"\"\" x", {"", "x"}},
      {"a\"b c\"", {"a\"b", "c\""}},
      {"\"abc\n\"", {"abc"}},
      {"\"abc\n\n\"", {"abc\n"}},
      {"\"a\nb\"", {"a\nb"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    const SplitResult result = splitArguments(c.text);
    EXPECT_FALSE(result.syntaxErrorAt.has_value()) << c.text;
    EXPECT_EQ(result.args, c.args) << c.text;
  }
}

// A closing quote followed by anything but white space, or no closing quote:
// the error is at the opening quote and no argument is kept.
TEST(ArgumentSplitter, BadQuoting) {
  const struct {
    const char* text;
    std::size_t at;
  } cases[] = {{"\"abc\"x", 0},          {"-v \"abc", 3}, {"-v \"a\"\"b", 3},
               {"ok \"a\" \"b\"c d", 7}, {"\"", 0},       {"\"\"\"", 0}};
  for (const auto& c : cases) {
    const SplitResult result = splitArguments(c.text);
    EXPECT_EQ(result.syntaxErrorAt, c.at) << c.text;
    EXPECT_TRUE(result.args.empty()) << c.text;
  }
}

}  // namespace
}  // namespace varda::options
