#include "blocks/item_catalogue.h"

#include <map>
#include <set>
#include <span>
#include <string>

#include <gtest/gtest.h>

namespace varda::blocks::catalogue {
namespace {

struct NamedTable {
  const char* name;
  std::span<const ItemRow> rows;
  bool chipWide;
};

const NamedTable kTables[] = {
    {"PeripheralCommon", kPeripheralCommon, false},
    {"PeripheralEmi23", kPeripheralEmi23, false},
    {"PeripheralEmi4", kPeripheralEmi4, false},
    {"SdramCommon", kSdramCommon, false},
    {"SdramEmi23", kSdramEmi23, false},
    {"SdramEmi4", kSdramEmi4, false},
    {"Dram", kDram, false},
    {"Mpx", kMpx, false},
    {"Gencfg", kGencfg, true},
    {"Padlogic", kPadlogic, true},
};

std::uint32_t fieldWidth(const Placement& bits) {
  std::uint32_t width = 0;
  for (std::uint32_t i = 0; i < bits.count; ++i) width += bits.runs[i].high - bits.runs[i].low + 1;
  return width;
}

TEST(ItemCatalogueTest, TableSizes) {
  EXPECT_EQ(std::size(kPeripheralCommon), 5u);
  EXPECT_EQ(std::size(kPeripheralEmi23), 17u);
  EXPECT_EQ(std::size(kPeripheralEmi4), 26u);
  EXPECT_EQ(std::size(kSdramCommon), 7u);
  EXPECT_EQ(std::size(kSdramEmi23), 15u);
  EXPECT_EQ(std::size(kSdramEmi4), 15u);
  EXPECT_EQ(std::size(kDram), 20u);
  EXPECT_EQ(std::size(kMpx), 11u);
  EXPECT_EQ(std::size(kGencfg), 26u);
  EXPECT_EQ(std::size(kPadlogic), 11u);
}

TEST(ItemCatalogueTest, RowsAreWellFormed) {
  for (const NamedTable& table : kTables) {
    for (const ItemRow& row : table.rows) {
      SCOPED_TRACE(std::string(table.name) + " " + row.name);
      EXPECT_LE(row.min, row.max);
      EXPECT_GE(row.defaultValue, row.min);
      EXPECT_LE(row.defaultValue, row.max);
      ASSERT_GE(row.bits.count, 1u);
      ASSERT_LE(row.bits.count, 2u);
      for (std::uint32_t i = 0; i < row.bits.count; ++i) {
        const BitRun& run = row.bits.runs[i];
        EXPECT_LE(run.low, run.high);
        EXPECT_LT(run.high, 32u);
        if (run.kind == WordKind::kBank) {
          EXPECT_LT(run.word, 4u);
        }
        // Chip-wide blocks have no bank, so only chip words are meaningful there.
        if (table.chipWide) {
          EXPECT_EQ(run.kind, WordKind::kChip);
        }
      }
      EXPECT_LE(fieldWidth(row.bits), 32u);
    }
  }
}

// Every value that passes its range check fits its bits, with one exception
// the hardware field cannot hold: latencyModeEMI4 8 in three bits.
TEST(ItemCatalogueTest, EveryInRangeFieldFitsItsBitsButOne) {
  std::set<std::string> tooNarrow;
  for (const NamedTable& table : kTables) {
    for (const ItemRow& row : table.rows) {
      const std::uint32_t width = fieldWidth(row.bits);
      const std::uint64_t largest = static_cast<std::uint64_t>(row.max) - row.shift;
      if (row.min < row.shift || (width < 32 && largest >= (std::uint64_t{1} << width))) {
        tooNarrow.insert(row.name);
      }
    }
  }
  EXPECT_EQ(tooNarrow, (std::set<std::string>{"latencyModeEMI4"}));
}

// Tags are unique within what one block builds, except the shared ones.
TEST(ItemCatalogueTest, SharedTagsAreExactlyTheKnownOnes) {
  const auto counts = [](std::initializer_list<std::span<const ItemRow>> tables) {
    std::map<std::uint32_t, int> count;
    for (auto rows : tables)
      for (const ItemRow& row : rows) ++count[row.tag];
    std::map<std::uint32_t, int> shared;
    for (auto [tag, n] : count)
      if (n > 1) shared[tag] = n;
    return shared;
  };
  using Shared = std::map<std::uint32_t, int>;
  EXPECT_EQ(counts({kPeripheralCommon, kPeripheralEmi23}), Shared{});
  EXPECT_EQ(counts({kPeripheralCommon, kPeripheralEmi4}), Shared{});
  EXPECT_EQ(counts({kSdramCommon, kSdramEmi23}), Shared{});
  EXPECT_EQ(counts({kSdramCommon, kSdramEmi4}), Shared{});
  EXPECT_EQ(counts({kDram}), Shared{});
  EXPECT_EQ(counts({kMpx}), (Shared{{1158, 3}}));
  EXPECT_EQ(counts({kGencfg}), (Shared{{1161, 8}}));
  EXPECT_EQ(counts({kPadlogic}), (Shared{{3, 2}}));
}

TEST(ItemCatalogueTest, ChipWideTablesHaveNoTagSix) {
  for (const ItemRow& row : kGencfg) EXPECT_NE(row.tag, 6u) << row.name;
  for (const ItemRow& row : kPadlogic) EXPECT_NE(row.tag, 6u) << row.name;
}

TEST(ItemCatalogueTest, BankWordsPerGeneration) {
  EXPECT_EQ(emi23BankWords(0)->r0, 0u);
  EXPECT_EQ(emi23BankWords(0)->mode, 17u);
  EXPECT_EQ(emi23BankWords(1)->r0, 4u);
  EXPECT_EQ(emi23BankWords(1)->mode, 18u);
  EXPECT_EQ(emi23BankWords(3)->r0, 12u);
  EXPECT_EQ(emi23BankWords(3)->mode, 17u);
  EXPECT_FALSE(emi23BankWords(4));
  EXPECT_FALSE(emi23BankWords(-1));

  EXPECT_EQ(emi4BankWords(0)->r0, 35u);
  EXPECT_EQ(emi4BankWords(0)->mode, 27u);
  EXPECT_EQ(emi4BankWords(1)->r0, 39u);
  EXPECT_EQ(emi4BankWords(1)->mode, 28u);
  EXPECT_EQ(emi4BankWords(5)->r0, 55u);
  EXPECT_EQ(emi4BankWords(5)->mode, 27u);
  EXPECT_FALSE(emi4BankWords(6));
  EXPECT_FALSE(emi4BankWords(-1));
}

TEST(ItemCatalogueTest, TransfersResolveBankModeAndChipWords) {
  const BankWords bank2{8, 17};
  EXPECT_EQ(transfersFor(R1(15, 12), bank2), (std::vector<MemoryTransfer>{{9, 4, 0, 12}}));
  EXPECT_EQ(transfersFor(R3(26), bank2), (std::vector<MemoryTransfer>{{11, 1, 0, 26}}));
  EXPECT_EQ(transfersFor(MODE(31, 0), bank2), (std::vector<MemoryTransfer>{{17, 32, 0, 0}}));
  EXPECT_EQ(transfersFor(REG(16, 0), bank2), (std::vector<MemoryTransfer>{{16, 1, 0, 0}}));
  EXPECT_EQ(transfersFor(REG(25, 14, 12), {}), (std::vector<MemoryTransfer>{{25, 3, 0, 12}}));
  // The second run of a split field continues at the first run's width.
  EXPECT_EQ(transfersFor(split(R1(15, 0), R2(14, 8)), bank2),
            (std::vector<MemoryTransfer>{{9, 16, 0, 0}, {10, 7, 16, 8}}));
}

}  // namespace
}  // namespace varda::blocks::catalogue
