#include "blocks/timing_rule.h"

#include "blocks/item_block.h"

namespace varda::blocks {

namespace {

std::uint32_t currentValue(const ItemBlock& block, std::uint32_t tag) {
  const MemoryItem* item = block.findItem(tag);
  return item == nullptr ? 0 : item->value();
}

bool passes(const TimingTest& test, const ItemBlock& block, std::uint32_t v) {
  const std::uint32_t a = currentValue(block, test.a);
  switch (test.relation) {
    case Relation::kAbove: return a > v;
    case Relation::kTwiceAbove: return 2 * a > v;
    case Relation::kDifferenceAbove: return a - currentValue(block, test.b) > v;
    case Relation::kSumBelow: return a + currentValue(block, test.b) < v;
    case Relation::kBelowTwice: return a < 2 * v;
    case Relation::kAtMost: return a <= v;
  }
  return true;
}

}  // namespace

// Tests of one tag run in table order; the first failure ends the check.
CheckOutcome runTimingTests(std::span<const TimingTest> table, const ItemBlock& block, const char* group,
                            std::uint32_t tag, std::uint32_t value) {
  for (const TimingTest& test : table) {
    if (test.tag != tag || passes(test, block, value)) continue;
    return CheckResult{1, tag, group, test.message};
  }
  return std::nullopt;
}

}  // namespace varda::blocks
