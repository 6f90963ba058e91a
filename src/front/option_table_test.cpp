#include "front/option_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace varda::front {
namespace {

using options::OptionKind;

int optionRows(OptionTable table) {
  int rows = 0;
  for (const auto& record : table) rows += record.name != nullptr ? 1 : 0;
  return rows;
}

TEST(OptionTable, MainTableHasEveryOptionOnceAndEndsWithTheSpecialRows) {
  const OptionTable table = mainTable();
  EXPECT_EQ(optionRows(table), 126);
  std::set<std::string> names;
  for (const auto& record : table) {
    if (record.name != nullptr) {
      EXPECT_TRUE(names.insert(record.name).second) << record.name;
    }
  }
  ASSERT_EQ(table.size(), 135u);
  const OptionKind specials[] = {OptionKind::InvalidUse,  OptionKind::NoArguments, OptionKind::SyntaxError,
                                 OptionKind::EnvNotSet,   OptionKind::ArgumentFile, OptionKind::BareWord,
                                 OptionKind::UsageHeader, OptionKind::UsageNote,    OptionKind::End};
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(table[126 + i].kind, specials[i]) << i;
  }
}

// The parser takes the first row whose name is a prefix of the argument, so
// a row must never be shadowed by an earlier row whose name is its prefix.
TEST(OptionTable, NoRowIsShadowedByAnEarlierPrefix) {
  for (const OptionTable table : {mainTable(), helpTable("help-sdram"), helpTable("help-gencfg")}) {
    for (std::size_t later = 0; later < table.size(); ++later) {
      if (table[later].name == nullptr) continue;
      const std::string name = table[later].name;
      for (std::size_t earlier = 0; earlier < later; ++earlier) {
        if (table[earlier].name == nullptr) continue;
        EXPECT_NE(name.rfind(table[earlier].name, 0), 0u) << name << " is shadowed by " << table[earlier].name;
      }
    }
  }
}

TEST(OptionTable, EveryOptionRowOfTheMainTableHasAHandlerOrIsPending) {
  // Value rows carry "<argument>|text", flag rows the text alone.
  for (const auto& record : mainTable()) {
    if (record.name == nullptr) continue;
    const std::string help = record.help;
    EXPECT_EQ(help.find('|') != std::string::npos, record.kind == OptionKind::Value) << record.name;
  }
}

TEST(OptionTable, HelpTablesHaveTheirRowsThenHeaderAndEnd) {
  const std::pair<const char*, int> expected[] = {{"help-sdram", 25},     {"help-dram", 19},    {"help-mpx", 11},
                                                  {"help-peripheral", 35}, {"help-padlogic", 13}, {"help-emi4", 11},
                                                  {"help-gencfg", 19}};
  for (const auto& [option, rows] : expected) {
    const OptionTable table = helpTable(option);
    EXPECT_EQ(optionRows(table), rows) << option;
    ASSERT_GE(table.size(), 2u);
    EXPECT_EQ(table[table.size() - 2].kind, OptionKind::UsageHeader) << option;
    EXPECT_EQ(table.back().kind, OptionKind::End) << option;
    for (const auto& record : table) {
      if (record.name != nullptr) {
        EXPECT_EQ(record.handler, nullptr) << record.name;
      }
    }
  }
  EXPECT_TRUE(helpTable("help").empty());
}

}  // namespace
}  // namespace varda::front
