#include "options/environment_text.h"

#include <gtest/gtest.h>

namespace varda::options {
namespace {

TEST(EnvironmentText, CutsAtTheFirstBar) {
  const EnvironmentParts parts = splitEnvironmentText("-chip 7027 | -o out.cfg | -v");
  EXPECT_EQ(parts.head, "-chip 7027 ");
  EXPECT_EQ(parts.tail, " -o out.cfg | -v");
}

TEST(EnvironmentText, QuotedBarsDoNotCount) {
  EXPECT_FALSE(splitEnvironmentText("-o \"a|b\" -v").tail.has_value());
  EXPECT_FALSE(splitEnvironmentText("-o \"a\\|b\"").tail.has_value());
  const EnvironmentParts parts = splitEnvironmentText("\"a|b\"|c");
  EXPECT_EQ(parts.head, "\"a|b\"");
  EXPECT_EQ(parts.tail, "c");
}

TEST(EnvironmentText, BackslashSkipsTheNextCharacter) {
  // The escaped quote does not open a quoted part, so the bar separates.
  EnvironmentParts parts = splitEnvironmentText("a\\\"b|c");
  EXPECT_EQ(parts.head, "a\\\"b");
  EXPECT_EQ(parts.tail, "c");
  // Inside quotes an escaped quote does not close them.
  EXPECT_FALSE(splitEnvironmentText("\"a\\\"|b").tail.has_value());
  // A backslash at the end is harmless.
  parts = splitEnvironmentText("a\\");
  EXPECT_EQ(parts.head, "a\\");
  EXPECT_FALSE(parts.tail.has_value());
}

TEST(EnvironmentText, EmptyParts) {
  EnvironmentParts parts = splitEnvironmentText("|");
  EXPECT_EQ(parts.head, "");
  EXPECT_EQ(parts.tail, "");
  parts = splitEnvironmentText("");
  EXPECT_EQ(parts.head, "");
  EXPECT_FALSE(parts.tail.has_value());
}

}  // namespace
}  // namespace varda::options
