#include "blocks/dram_block.h"

#include "blocks/item_catalogue.h"
#include "blocks/item_tags.h"
#include "blocks/timing_rule.h"

namespace varda::blocks {

namespace {

using namespace tag;
using enum Relation;

// The DRAM rules, in the order they run for a tag; the first failure ends the
// check. Tested from an edge or the delay the comparison is strict, tested
// from the CAS time it is not; the CAS time is not tested against CASe2Time or
// the sum of the edges. Both edge rules print the same text for the sum test.
// clang-format off
constexpr TimingTest kDramRules[] = {
    {kDramDataDriveDelay, kAbove,           kCASTime,            0,          "(DatatDriveDelay > CASTime)"},
    {kCASe2Time,          kAbove,           kCASTime,            0,          "(CASe2Time > CASTime)"},
    {kCASe2Time,          kDifferenceAbove, kCASTime,            kCASe1Time, "(CASe2Time > CAStime - CASe1Time)"},
    {kCASe1Time,          kAbove,           kCASTime,            0,          "(CASe1Time > CASTime)"},
    {kCASe1Time,          kDifferenceAbove, kCASTime,            kCASe2Time, "(CASe2Time > CAStime - CASe1Time)"},
    {kCASTime,            kAtMost,          kDramDataDriveDelay, 0,          "(CASTime < DatatDriveDelay)"},
    {kCASTime,            kAtMost,          kCASe1Time,          0,          "(CASTime < CASe1Time)"},
};
// clang-format on

}  // namespace

void DramBlock::buildEmi23Items(int bank) {
  const auto words = catalogue::emi23BankWords(bank);
  if (!words) return;
  addTable(catalogue::kDram, *words);
}

CheckOutcome DramBlock::checkRule(std::uint32_t tag, std::uint32_t value) const {
  return runTimingTests(kDramRules, *this, "DRAM", tag, value);
}

}  // namespace varda::blocks
