#include "front/emi_options.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "front/option_table.h"

namespace varda::front {
namespace {

using Names = std::vector<std::string>;

// The emi column as the command declares its 123 options: every option of
// the main table but the dumps and the hidden help, by kind.
TEST(EmiOptions, TheEmiColumnHoldsTheKindsTheCommandDeclares) {
  std::map<EmiKind, Names> byKind;
  Names textArguments;
  for (const OptionRow& row : mainRows()) {
    if (row.name == nullptr) {
      EXPECT_EQ(row.emiKind, EmiKind::kNone) << "special row of kind " << static_cast<int>(row.kind);
      continue;
    }
    byKind[row.emiKind].emplace_back(row.name);
    // Options refused in a command file that take a value are still declared
    // with a text argument, which the interpreter reads and drops.
    if (row.emiKind == EmiKind::kNotSupported && row.kind == options::OptionKind::kValue) {
      textArguments.emplace_back(row.name);
    }
  }
  EXPECT_EQ(byKind[EmiKind::kNone], (Names{"zdump-r", "zdump", "z"}));
  EXPECT_EQ(byKind[EmiKind::kDecimal].size(), 92u);
  EXPECT_EQ(byKind[EmiKind::kText], (Names{"chip", "o", "poke-change", "proc-name", "read", "type"}));
  EXPECT_EQ(byKind[EmiKind::kHexadecimal],
            (Names{"base-address", "gencfg", "lock", "padlogic", "rasbits", "regvalue", "sdrammodereg"}));
  EXPECT_EQ(byKind[EmiKind::kFlag], (Names{"padlogic-on", "padlogic-off", "v"}));
  EXPECT_EQ(byKind[EmiKind::kNotSupported],
            (Names{"help-dram", "help-emi4", "help-gencfg", "help-mpx", "help-padlogic", "help-peripheral",
                   "help-sdram", "help", "icfg", "io", "iro", "iparameters", "ireset", "i", "p"}));
  EXPECT_EQ(textArguments, (Names{"io", "iro", "p"}));
  std::size_t emiOptions = 0;
  for (const auto& [kind, names] : byKind) emiOptions += kind == EmiKind::kNone ? 0 : names.size();
  EXPECT_EQ(emiOptions, 123u);
}

TEST(EmiOptions, LookupAndPieces) {
  EXPECT_EQ(findEmiOption("Bank"), nullptr);
  EXPECT_EQ(findEmiOption("zdump"), nullptr);
  ASSERT_NE(findEmiOption("gencfg"), nullptr);
  EXPECT_EQ(emiNumberPiece(*findEmiOption("gencfg"), 31), " -gencfg 1f ");
  EXPECT_EQ(emiNumberPiece(*findEmiOption("bank"), 2), " -bank 2 ");
  EXPECT_EQ(emiNumberPiece(*findEmiOption("accesstimeread"), 0xffffffff), " -accesstimeread -1 ");
  EXPECT_EQ(emiTextPiece(*findEmiOption("type"), "P"), " -type P ");
  EXPECT_EQ(emiFlagPiece(*findEmiOption("v")), " -v ");
}

}  // namespace
}  // namespace varda::front
