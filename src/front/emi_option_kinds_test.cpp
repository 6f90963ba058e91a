#include "front/emi_option_kinds.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "front/option_table.h"

namespace varda::front {
namespace {

// The emi command knows every option of the main table, in its order, but the
// dumps and the hidden help.
TEST(EmiOptionKinds, EveryMainOptionButTheDumpsAndHiddenHelpInTableOrder) {
  std::vector<std::string> mainNames;
  for (const options::OptionRecord& row : mainTable()) {
    if (row.name != nullptr) mainNames.emplace_back(row.name);
  }
  std::vector<std::string> left;
  for (const std::string& name : mainNames) {
    if (findEmiOption(name) == nullptr) left.push_back(name);
  }
  EXPECT_EQ(left, (std::vector<std::string>{"zdump-r", "zdump", "z"}));
  std::erase_if(mainNames,
                [](const std::string& name) { return name == "zdump-r" || name == "zdump" || name == "z"; });
  std::vector<std::string> emiNames;
  for (const EmiOption& option : emiOptions()) emiNames.emplace_back(option.name);
  EXPECT_EQ(emiNames, mainNames);
  EXPECT_EQ(findEmiOption("Bank"), nullptr);
}

TEST(EmiOptionKinds, EveryOptionHasTheKindTheCommandDeclares) {
  std::map<EmiKind, std::vector<std::string>> byKind;
  std::vector<std::string> textArguments;
  for (const EmiOption& option : emiOptions()) {
    byKind[option.kind].emplace_back(option.name);
    if (option.textArgument) textArguments.emplace_back(option.name);
  }
  using Names = std::vector<std::string>;
  EXPECT_EQ(byKind[EmiKind::kDecimal].size(), 92u);
  EXPECT_EQ(byKind[EmiKind::kText], (Names{"chip", "o", "poke-change", "proc-name", "read", "type"}));
  EXPECT_EQ(byKind[EmiKind::kHexadecimal],
            (Names{"base-address", "gencfg", "lock", "padlogic", "rasbits", "regvalue", "sdrammodereg"}));
  EXPECT_EQ(byKind[EmiKind::kFlag], (Names{"padlogic-on", "padlogic-off", "v"}));
  EXPECT_EQ(byKind[EmiKind::kNotSupported].size(), 15u);
  EXPECT_EQ(textArguments, (Names{"io", "iro", "p"}));
}

TEST(EmiOptionKinds, PiecesWriteNumbersInTheOptionsOwnBase) {
  EXPECT_EQ(emiNumberPiece(*findEmiOption("gencfg"), 31), " -gencfg 1f ");
  EXPECT_EQ(emiNumberPiece(*findEmiOption("bank"), 2), " -bank 2 ");
  EXPECT_EQ(emiNumberPiece(*findEmiOption("accesstimeread"), 0xffffffff), " -accesstimeread -1 ");
  EXPECT_EQ(emiTextPiece(*findEmiOption("type"), "P"), " -type P ");
  EXPECT_EQ(emiFlagPiece(*findEmiOption("v")), " -v ");
}

}  // namespace
}  // namespace varda::front
