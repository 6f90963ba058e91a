#include "man_page.h"

#include <gtest/gtest.h>

namespace varda::docgen {
namespace {

using options::OptionKind;
using options::OptionRecord;

TEST(RoffText, MinusBackslashAndLeadingControlCharacters) {
  EXPECT_EQ(roffText("-bank <0-3/5>"), "\\-bank <0\\-3/5>");
  EXPECT_EQ(roffText("a\\b"), "a\\eb");
  EXPECT_EQ(roffText(".dat file"), "\\&.dat file");
  EXPECT_EQ(roffText("'quoted'"), "\\&'quoted'");
  EXPECT_EQ(roffText("a.b 'c'"), "a.b 'c'");  // only at the start of a line
  EXPECT_EQ(roffText(""), "");
}

constexpr options::ToolInfo kInfo = {
    "tool", "Maker", "a test tool", "1.2.3", "abc", "2026", "tool [options] [file ...]", "TOOLARG"};

// clang-format off
constexpr OptionRecord kTable[] = {
    {"wide",    OptionKind::kFlag,  {}, nullptr, 6, "on the long page"},
    {"o",       OptionKind::kValue, {}, nullptr, 7, "<filename>|specify output file"},
    {"deep",    OptionKind::kValue, {}, nullptr, 4, "<0-3>|S: extended only"},
    {nullptr,   OptionKind::kEnd, {}, nullptr, 0, nullptr},
};
// clang-format on

class ManPageTest : public testing::Test {
 protected:
  std::string page_ = manPage(kInfo, kTable, "2026-01-02", {"11", "12", "gen"});

  std::size_t at(const std::string& text) const { return page_.find(text); }
};

TEST_F(ManPageTest, HeaderNameAndSynopsisFromTheToolInfo) {
  EXPECT_NE(at(".TH TOOL 1 2026-01-02 \"tool 1.2.3\" \"User Commands\"\n"), std::string::npos);
  EXPECT_NE(at(".SH NAME\ntool \\- a test tool\n"), std::string::npos);
  EXPECT_NE(at(".SH SYNOPSIS\n.B tool\n[options] [file ...]\n"), std::string::npos);
  EXPECT_NE(at("chip numbers and generation names\n11, 12 and gen.\n"), std::string::npos);
  EXPECT_NE(at(".TP\n.B \\%TOOLARG\n"), std::string::npos);
}

TEST_F(ManPageTest, EachOptionOnceInTheGroupOfItsFirstPage) {
  const std::string o = ".TP\n\\fB\\-o\\fR \\fI<filename>\\fR\nspecify output file\n";
  const std::string wide = ".TP\n\\fB\\-wide\\fR\non the long page\n";
  const std::string deep = ".TP\n\\fB\\-deep\\fR \\fI<0\\-3>\\fR\nS: extended only\n";
  const auto common = at(".SS Common options\n");
  const auto more = at(".SS More options\n");
  const auto extended = at(".SS Parameter and maintenance options\n");
  ASSERT_LT(common, more);
  ASSERT_LT(more, extended);
  EXPECT_GT(at(o), common);
  EXPECT_LT(at(o), more);
  EXPECT_GT(at(wide), more);
  EXPECT_LT(at(wide), extended);
  EXPECT_GT(at(deep), extended);
  EXPECT_LT(at(deep), at(".SH ENVIRONMENT"));
  EXPECT_EQ(page_.find(o, at(o) + 1), std::string::npos);
  EXPECT_EQ(page_.find(wide, at(wide) + 1), std::string::npos);
  EXPECT_NE(at("Options beginning with Z are unsupported and for Maker's use only.\n"), std::string::npos);
}

TEST_F(ManPageTest, SectionsInOrder) {
  std::size_t last = 0;
  for (const char* section : {".TH ", ".SH NAME", ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS",
                              ".SH ENVIRONMENT", ".SH FILES", ".SH EXIT STATUS", ".SH EXAMPLES"}) {
    const auto found = at(section);
    ASSERT_NE(found, std::string::npos) << section;
    EXPECT_GT(found, last) << section;
    last = found;
  }
}

}  // namespace
}  // namespace varda::docgen
