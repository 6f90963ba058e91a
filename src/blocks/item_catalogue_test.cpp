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

// clang-format off
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
// clang-format on

std::uint32_t fieldWidth(const Placement& bits) {
  std::uint32_t width = 0;
  for (std::uint32_t i = 0; i < bits.count; ++i) width += bits.runs[i].high - bits.runs[i].low + 1;
  return width;
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

// Tags are unique within what one block builds, except the shared ones; tag 6
// is the bank blocks' device type and no chip-wide item uses it.
TEST(ItemCatalogueTest, SharedTagsAreExactlyTheKnownOnes) {
  const auto shared = [](std::initializer_list<std::span<const ItemRow>> tables) {
    std::map<std::uint32_t, int> count;
    for (auto rows : tables)
      for (const ItemRow& row : rows) ++count[row.tag];
    std::erase_if(count, [](const auto& entry) { return entry.second == 1; });
    return count;
  };
  using Shared = std::map<std::uint32_t, int>;
  EXPECT_EQ(shared({kPeripheralCommon, kPeripheralEmi23}), Shared{});
  EXPECT_EQ(shared({kPeripheralCommon, kPeripheralEmi4}), Shared{});
  EXPECT_EQ(shared({kSdramCommon, kSdramEmi23}), Shared{});
  EXPECT_EQ(shared({kSdramCommon, kSdramEmi4}), Shared{});
  EXPECT_EQ(shared({kDram}), Shared{});
  EXPECT_EQ(shared({kMpx}), (Shared{{1158, 3}}));
  EXPECT_EQ(shared({kGencfg}), (Shared{{1161, 8}}));
  EXPECT_EQ(shared({kPadlogic}), (Shared{{3, 2}}));
  for (const ItemRow& row : kGencfg) EXPECT_NE(row.tag, 6u) << row.name;
  for (const ItemRow& row : kPadlogic) EXPECT_NE(row.tag, 6u) << row.name;
}

}  // namespace
}  // namespace varda::blocks::catalogue
