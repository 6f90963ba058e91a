#include "front/emi_option_kinds.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "front/option_table.h"

namespace varda::front {
namespace {

TEST(EmiOptionKinds, EveryMainOptionButTheDumpsAndHiddenHelpInTableOrder) {
  std::vector<std::string> mainNames;
  for (const options::OptionRecord& row : mainTable()) {
    if (row.name != nullptr) mainNames.emplace_back(row.name);
  }
  std::vector<std::string> emiNames;
  for (const EmiOption& option : emiOptions()) emiNames.emplace_back(option.name);
  std::vector<std::string> left;
  for (const std::string& name : mainNames) {
    if (findEmiOption(name) == nullptr) left.push_back(name);
  }
  EXPECT_EQ(left, (std::vector<std::string>{"zdump-r", "zdump", "z"}));
  std::erase_if(mainNames, [](const std::string& name) { return name == "zdump-r" || name == "zdump" || name == "z"; });
  EXPECT_EQ(emiNames, mainNames);
  EXPECT_EQ(emiOptions().size(), 123u);
}

TEST(EmiOptionKinds, KindsCountAsTheCommandDeclaresThem) {
  std::map<EmiKind, int> counts;
  std::vector<std::string> hexadecimal;
  std::vector<std::string> textArguments;
  for (const EmiOption& option : emiOptions()) {
    ++counts[option.kind];
    if (option.kind == EmiKind::kHexadecimal) hexadecimal.emplace_back(option.name);
    if (option.textArgument) textArguments.emplace_back(option.name);
  }
  EXPECT_EQ(counts[EmiKind::kDecimal], 92);
  EXPECT_EQ(counts[EmiKind::kText], 6);
  EXPECT_EQ(counts[EmiKind::kHexadecimal], 7);
  EXPECT_EQ(counts[EmiKind::kFlag], 3);
  EXPECT_EQ(counts[EmiKind::kNotSupported], 15);
  EXPECT_EQ(hexadecimal, (std::vector<std::string>{"base-address", "gencfg", "lock", "padlogic", "rasbits", "regvalue",
                                                    "sdrammodereg"}));
  EXPECT_EQ(textArguments, (std::vector<std::string>{"io", "iro", "p"}));
}

TEST(EmiOptionKinds, PiecesWriteNumbersInTheOptionsOwnBase) {
  EXPECT_EQ(emiNumberPiece(*findEmiOption("gencfg"), 31), " -gencfg 1f ");
  EXPECT_EQ(emiNumberPiece(*findEmiOption("bank"), 2), " -bank 2 ");
  EXPECT_EQ(emiNumberPiece(*findEmiOption("accesstimeread"), 0xffffffff), " -accesstimeread -1 ");
  EXPECT_EQ(emiTextPiece(*findEmiOption("type"), "P"), " -type P ");
  EXPECT_EQ(emiFlagPiece(*findEmiOption("v")), " -v ");
  EXPECT_EQ(findEmiOption("Bank"), nullptr);
  EXPECT_EQ(findEmiOption("zdump"), nullptr);
}

}  // namespace
}  // namespace varda::front
