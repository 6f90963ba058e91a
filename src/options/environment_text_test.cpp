#include "options/environment_text.h"

#include <gtest/gtest.h>

namespace varda::options {
namespace {

// The text is cut at the first "|" outside double quotes; a backslash skips
// the next character (so an escaped quote neither opens nor closes quotes).
TEST(EnvironmentText, CutAtTheFirstUnquotedBar) {
  // clang-format off
  const struct {
    const char* text;
    const char* head;
    std::optional<std::string_view> tail;
  } cases[] = {
      {"-chip 7027 | -o out.cfg | -v", "-chip 7027 ", " -o out.cfg | -v"},
      {"-o \"a|b\" -v", "-o \"a|b\" -v", std::nullopt},
      {"-o \"a\\|b\"", "-o \"a\\|b\"", std::nullopt},
      {"\"a|b\"|c", "\"a|b\"", "c"},
      {"a\\\"b|c", "a\\\"b", "c"},
      {"\"a\\\"|b", "\"a\\\"|b", std::nullopt},
      {"a\\", "a\\", std::nullopt},
      {"|", "", ""},
      {"", "", std::nullopt},
  };
  // clang-format on
  for (const auto& c : cases) {
    const EnvironmentParts parts = splitEnvironmentText(c.text);
    EXPECT_EQ(parts.head, c.head) << c.text;
    EXPECT_EQ(parts.tail, c.tail) << c.text;
  }
}

}  // namespace
}  // namespace varda::options
