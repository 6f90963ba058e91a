#include "completion.h"

#include <gtest/gtest.h>

namespace varda::docgen {
namespace {

using options::OptionKind;
using options::OptionRecord;

// clang-format off
constexpr OptionRecord kTable[] = {
    {"read",  OptionKind::kValue, {}, nullptr, 7, "<file>|read a file"},
    {"o",     OptionKind::kValue, {}, nullptr, 7, "<filename>|specify output file"},
    {"bank",  OptionKind::kValue, {}, nullptr, 7, "<0-3/5>|specify bank number"},
    {"p",     OptionKind::kValue, {}, nullptr, 7, "<procedure>|run a procedure"},
    {"v",     OptionKind::kFlag,  {}, nullptr, 7, "show version information"},
    {nullptr, OptionKind::kEnd, {}, nullptr, 0, nullptr},
};
// clang-format on

// The script's behaviour is checked by sourcing it into bash
// (completion_test.sh); here, what the table decides.
TEST(BashCompletion, WhatFollowsEachOption) {
  const std::string script = bashCompletion("tool", kTable, {{"bank", {"0", "1"}}});
  EXPECT_NE(script.find("    -o | -read | @)\n      _tool_files \"$cur\"\n"), std::string::npos);
  EXPECT_NE(script.find("    -bank)\n      _tool_words \"$cur\" 0 1\n"), std::string::npos);
  // A value that is neither a file nor listed: nothing is offered.
  EXPECT_NE(script.find("    -p)\n      ;;\n"), std::string::npos);
  EXPECT_NE(script.find("_tool_words \"$cur\" \\\n            -bank -o -p -read -v\n"), std::string::npos);
  EXPECT_NE(script.find("complete -F _tool tool\n"), std::string::npos);
}

}  // namespace
}  // namespace varda::docgen
