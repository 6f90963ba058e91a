#include "option_entry.h"

#include <gtest/gtest.h>

namespace varda::docgen {
namespace {

using options::OptionKind;
using options::OptionRecord;

// clang-format off
constexpr OptionRecord kTable[] = {
    {"zeta",   OptionKind::kFlag,  {}, nullptr, 4, "last by name"},
    {"Beta",   OptionKind::kValue, {}, nullptr, 6, "<n>|upper case sorts first"},
    {"alpha",  OptionKind::kValueOnly, {}, nullptr, 7, "<file>|takes a file"},
    {"hidden", OptionKind::kFlag,  {}, nullptr, 4, nullptr},
    {nullptr,  OptionKind::kInvalidUse, {}, nullptr, 0, nullptr},
    {nullptr,  OptionKind::kEnd, {}, nullptr, 0, nullptr},
    {"after",  OptionKind::kFlag,  {}, nullptr, 7, "past the end row"},
};
// clang-format on

TEST(OptionEntries, NamedRowsWithHelpUpToTheEndSortedByteWise) {
  const auto entries = optionEntries(kTable);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "Beta");
  EXPECT_EQ(entries[1].name, "alpha");
  EXPECT_EQ(entries[2].name, "zeta");
}

TEST(OptionEntries, HelpSplitsAtTheBarForValuesOnly) {
  const auto entries = optionEntries(kTable);
  EXPECT_EQ(entries[0].argument, "<n>");
  EXPECT_EQ(entries[0].description, "upper case sorts first");
  EXPECT_TRUE(entries[0].takesValue);
  EXPECT_EQ(entries[0].visibility, 6u);
  EXPECT_TRUE(entries[1].takesValue);  // kind 1 takes a value too
  EXPECT_EQ(entries[2].argument, "");
  EXPECT_EQ(entries[2].description, "last by name");
  EXPECT_FALSE(entries[2].takesValue);
}

}  // namespace
}  // namespace varda::docgen
