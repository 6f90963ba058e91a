#include "blocks/peripheral_block.h"

#include "blocks/item_catalogue.h"
#include "blocks/item_tags.h"
#include "blocks/timing_rule.h"

namespace varda::blocks {

namespace {

using namespace tag;
using enum Relation;

// The EMI2/3 timing rules. Where a tag has several tests they run in this
// order and the first failure ends the check. The two edge times of a strobe
// must add up to less than the access time of the same direction, and the data
// drive delay must be less than twice the write access time; each rule is
// tested from the access time and from each edge. Tags of the EMI4 table have
// no tests.
// clang-format off
constexpr TimingTest kPeripheralRules[] = {
    {kDataDriveDelay,  kTwiceAbove,      kAccessTimeWrite, 0,              "(DataDriveDelay > (2*)AccessTimeWrite)"},
    {kAccessTimeWrite, kBelowTwice,      kDataDriveDelay,  0,              "((2*)AccessTimeWrite < DataDriveDelay)"},
    {kAccessTimeWrite, kSumBelow,        kCSe2TimeWrite,   kCSe1TimeWrite, "(AccessTimeWrite <= CSe2TimeWrite + CSe1TimeWrite)"},
    {kAccessTimeWrite, kSumBelow,        kOEe2TimeWrite,   kOEe1TimeWrite, "(AccessTimeWrite <= OEe2TimeWrite + OEe1TimeWrite)"},
    {kAccessTimeWrite, kSumBelow,        kBEe2TimeWrite,   kBEe1TimeWrite, "(AccessTimeWrite <= BEe2TimeWrite + BEe1TimeWrite)"},
    {kAccessTimeRead,  kSumBelow,        kCSe2TimeRead,    kCSe1TimeRead,  "(AccessTimeRead <= CSe2TimeRead + CSe1TimeRead)"},
    {kAccessTimeRead,  kSumBelow,        kOEe2TimeRead,    kOEe1TimeRead,  "(AccessTimeRead <= OEe2TimeRead + OEe1TimeRead)"},
    {kAccessTimeRead,  kSumBelow,        kBEe2TimeRead,    kBEe1TimeRead,  "(AccessTimeRead <= BEe2TimeRead + BEe1TimeRead)"},
    {kCSe1TimeRead,    kDifferenceAbove, kAccessTimeRead,  kCSe2TimeRead,  "(CSe1TimeRead >= CSe2TimeRead < AccessTimeRead)"},
    {kCSe2TimeRead,    kDifferenceAbove, kAccessTimeRead,  kCSe1TimeRead,  "(CSe2TimeRead >= AccessTimeRead - CSe1TimeRead)"},
    {kCSe1TimeWrite,   kDifferenceAbove, kAccessTimeWrite, kCSe2TimeWrite, "(CSe1TimeWrite >= AccessTimeWrite - CSe2TimeWrite)"},
    {kCSe2TimeWrite,   kDifferenceAbove, kAccessTimeWrite, kCSe1TimeWrite, "(CSe2TimeWrite >= AccessTimeWrite - CSe1TimeWrite)"},
    {kOEe1TimeRead,    kDifferenceAbove, kAccessTimeRead,  kOEe2TimeRead,  "(OEe1TimeRead >= AccessTimeRead - OEe2TimeRead)"},
    {kOEe1TimeWrite,   kDifferenceAbove, kAccessTimeWrite, kOEe2TimeWrite, "(OEe1TimeWrite >= AccessTimeWrite - OEe2TimeWrite)"},
    {kOEe2TimeRead,    kDifferenceAbove, kAccessTimeRead,  kOEe1TimeRead,  "(OEe2TimeRead >= AccessTimeRead - OEe1TimeRead)"},
    {kOEe2TimeWrite,   kDifferenceAbove, kAccessTimeWrite, kOEe1TimeWrite, "(OEe2TimeWrite >= AccessTimeWrite - OEe1TimeWrite)"},
    {kBEe2TimeRead,    kDifferenceAbove, kAccessTimeRead,  kBEe1TimeRead,  "(BEe2TimeRead >= AccessTimeRead - BEe1TimeRead)"},
    {kBEe2TimeWrite,   kDifferenceAbove, kAccessTimeWrite, kBEe1TimeWrite, "(BEe2TimeWrite >= AccessTimeWrite - BEe1TimeWrite)"},
    {kBEe1TimeRead,    kDifferenceAbove, kAccessTimeRead,  kBEe2TimeRead,  "(BEe1TimeRead >= AccessTimeRead - BEe2TimeRead)"},
    {kBEe1TimeWrite,   kDifferenceAbove, kAccessTimeWrite, kBEe2TimeWrite, "(BEe1TimeWrite >= AccessTimeWrite - BEe2TimeWrite)"},
};
// clang-format on

}  // namespace

// Build order: the common table, then the generation's table.
void PeripheralBlock::buildEmi23Items(int bank) {
  const auto words = catalogue::emi23BankWords(bank);
  if (!words) return;
  addTable(catalogue::kPeripheralCommon, *words);
  addTable(catalogue::kPeripheralEmi23, *words);
}

void PeripheralBlock::buildEmi4Items(int bank) {
  const auto words = catalogue::emi4BankWords(bank);
  if (!words) return;
  addTable(catalogue::kPeripheralCommon, *words);
  addTable(catalogue::kPeripheralEmi4, *words);
}

CheckOutcome PeripheralBlock::checkRule(std::uint32_t tag, std::uint32_t value) const {
  return runTimingTests(kPeripheralRules, *this, "Peripheral", tag, value);
}

}  // namespace varda::blocks
