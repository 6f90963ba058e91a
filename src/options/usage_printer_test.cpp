#include "options/usage_printer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "build_info.h"
#include "options/name_match.h"
#include "options/recording_table.h"

namespace varda::options {
namespace {

ParserState parser;  // the library state these tests share

using testing::kTestInfo;
using K = OptionKind;

constexpr ToolInfo kQuietInfo{"quiet",   "Maker",     "Quiet tool", "0.1",
                              "unknown", "2025-2026", "quiet x",    nullptr};

// clang-format off
constexpr OptionRecord kPageTable[] = {
    {"zeta", K::kFlag, {}, nullptr, 4, "hidden flag"},
    {"bank", K::kValue, {}, nullptr, 7, "<0-3>|specify bank"},
    {"Big", K::kFlag, {}, nullptr, 7, "upper case first"},
    {"alpha-long", K::kValue, {}, nullptr, 6, "<value>|long only"},
    {"a", K::kFlag, {}, nullptr, 7, "short a"},
    {"nohelp", K::kFlag, {}, nullptr, 7, nullptr},
    {nullptr, K::kInvalidUse, {}, nullptr, 0, nullptr},
    {nullptr, K::kUsageHeader, &kTestInfo, nullptr, 0, nullptr},
    {nullptr, K::kUsageNote, "First note\nsecond line", nullptr, 7, nullptr},
    {nullptr, K::kUsageNote, "Long note", nullptr, 6, nullptr},
    {nullptr, K::kEnd, {}, nullptr, 0, nullptr},
    {"after", K::kFlag, {}, nullptr, 7, "beyond the end row"},
};
// clang-format on

std::string captured(const std::function<void()>& print) {
  ::testing::internal::CaptureStdout();
  print();
  return ::testing::internal::GetCapturedStdout();
}

const std::string kVersion = std::string("Test tool Version 1.2.3 (abc1234) (") + VARDA_PLATFORM + ")\n";
const std::string kHeading = "tool : Maker\n" + kVersion +
                             "Copyright (C) 2026 Maker. All rights reserved.\n"
                             "\n"
                             "Usage: tool [options]\n"
                             "\n";

// Sorted by byte (upper case first); a record without help text counts for
// the width but has no line; the note count grows with each note's line feeds.
TEST(UsagePage, ExtendedPage) {
  EXPECT_EQ(captured([] { printPage(kTestInfo, kExtendedPage, kPageTable); }),
            kHeading +
                "Options:\n"
                "  Big                 upper case first\n"
                "  a                   short a\n"
                "  alpha-long <value>  long only\n"
                "  bank <0-3>          specify bank\n"
                "  zeta                hidden flag\n"
                "\n"
                "First note\n"
                "second line\n"
                "Long note\n"
                "Default options may be placed in the environment variable TOOLARG\n"
                "Options beginning with Z are unsupported and for Maker's use only\n");
}

// clang-format off
constexpr OptionRecord kNoNotes[] = {
    {"dup", K::kFlag, {}, nullptr, 7, "first"},
    {"v", K::kFlag, {}, nullptr, 7, "show version"},
    {"dup", K::kFlag, {}, nullptr, 7, "second"},
    {nullptr, K::kEnd, {}, nullptr, 0, nullptr},
};
// clang-format on

const std::string kQuietHeading = "quiet : Maker\nQuiet tool Version 0.1 (unknown) (" +
                                  std::string(VARDA_PLATFORM) +
                                  ")\n"
                                  "Copyright (C) 2025-2026 Maker. All rights reserved.\n"
                                  "\n"
                                  "Usage: quiet x\n"
                                  "\n";

// Equal names keep their table order. Without notes, an empty line comes
// before the variable line or the Z line, and nothing when there is neither.
TEST(UsagePage, WithoutNotes) {
  const std::string lines = "  dup  first\n  dup  second\n  v    show version\n";
  EXPECT_EQ(captured([] { printPage(kQuietInfo, kShortPage, kNoNotes); }),
            kQuietHeading + "Options include:\n" + lines);
  EXPECT_EQ(captured([] { printPage(kTestInfo, kLongPage, kNoNotes); }),
            kHeading + "Options:\n" + lines +
                "\nDefault options may be placed in the environment variable TOOLARG\n");
  EXPECT_EQ(captured([] { printPage(kQuietInfo, kExtendedPage, kNoNotes); }),
            kQuietHeading + "Options:\n" + lines +
                "\nOptions beginning with Z are unsupported and for Maker's use only\n");
}

TEST(UsagePage, WidthIsAtLeastFour) {
  // clang-format off
  constexpr OptionRecord table[] = {
      {nullptr, K::kFlag, {}, nullptr, 1, "nameless"},
      {"", K::kValue, {}, nullptr, 1, "|no argument"},
      {nullptr, K::kEnd, {}, nullptr, 0, nullptr},
  };
  // clang-format on
  EXPECT_EQ(captured([&] { printPage(kQuietInfo, kShortPage, table); }), kQuietHeading +
                                                                             "Options include:\n"
                                                                             "     nameless\n"
                                                                             "     no argument\n");
  // A nameless flag alone needs three columns: the width stays four.
  const OptionRecord flagOnly[] = {table[0], table[2]};
  EXPECT_EQ(captured([&] { printPage(kQuietInfo, kShortPage, flagOnly); }),
            kQuietHeading + "Options include:\n     nameless\n");
}

TEST(UsagePage, NoteOfOneLineWithoutVariable) {
  // clang-format off
  constexpr OptionRecord table[] = {
      {"v", K::kFlag, {}, nullptr, 7, "show version"},
      {nullptr, K::kUsageNote, "See the manual", nullptr, 1, nullptr},
      {nullptr, K::kUsageNote, "Not on the short page", nullptr, 6, nullptr},
      {nullptr, K::kEnd, {}, nullptr, 0, nullptr},
  };
  // clang-format on
  EXPECT_EQ(captured([&] { printPage(kQuietInfo, kShortPage, table); }), kQuietHeading +
                                                                             "Options include:\n"
                                                                             "  v  show version\n"
                                                                             "\n"
                                                                             "See the manual\n");
}

TEST(UsageRun, OnePagePerHeaderRowInTableOrder) {
  // clang-format off
  constexpr OptionRecord table[] = {
      {"v", K::kFlag, {}, nullptr, 7, "show version"},
      {nullptr, K::kUsageHeader, &kQuietInfo, nullptr, 0, nullptr},
      {nullptr, K::kUsageHeader, {}, nullptr, 0, nullptr},
      {nullptr, K::kUsageHeader, &kTestInfo, nullptr, 0, nullptr},
      {nullptr, K::kEnd, {}, nullptr, 0, nullptr},
  };
  // clang-format on
  const std::string quiet = captured([&] { printPage(kQuietInfo, kShortPage, table); });
  const std::string test = captured([&] { printPage(kTestInfo, kShortPage, table); });
  EXPECT_EQ(captured([&] { printUsage(parser, CaseMode::kExact, kShortPage, table); }), quiet + test);
  EXPECT_TRUE(parser.caseSensitive);
  EXPECT_EQ(captured([&] { printUsage(parser, CaseMode::kFolded, kShortPage, table); }), quiet + test);
  EXPECT_FALSE(parser.caseSensitive);
  EXPECT_EQ(captured([] { printUsage(parser, CaseMode::kExact, kExtendedPage, kNoNotes); }),
            "");  // no header row
}

}  // namespace
}  // namespace varda::options
