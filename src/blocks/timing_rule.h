#pragma once

#include <cstdint>
#include <span>

#include "blocks/check_result.h"

namespace varda::blocks {

class ItemBlock;

/// How a timing test compares the checked value v with current item values
/// ([a] is the current value of the item with tag a). Arithmetic is unsigned
/// 32-bit, so a difference may wrap around to a large number.
enum class Relation : std::uint8_t {
  kAbove,            ///< [a] > v
  kTwiceAbove,       ///< 2 * [a] > v
  kDifferenceAbove,  ///< [a] - [b] > v
  kSumBelow,         ///< [a] + [b] < v
  kBelowTwice,       ///< [a] < 2 * v
  kAtMost,           ///< [a] <= v
};

/// One row of a block's timing rules: a test run when the item `tag` is checked,
/// and the text printed when the value fails it.
struct TimingTest {
  std::uint32_t tag;
  Relation relation;
  std::uint32_t a;
  std::uint32_t b;  ///< only for kDifferenceAbove and kSumBelow
  const char* message;
};

/// Runs the tests of `table` for `tag`, in table order. The first failing test
/// gives {1, tag, group, its message}, for the caller to print; the remaining
/// tests are not run. A tag with no tests passes.
/// An operand item the block lacks counts as 0.
CheckOutcome runTimingTests(std::span<const TimingTest> table, const ItemBlock& block, const char* group,
                            std::uint32_t tag, std::uint32_t value);

}  // namespace varda::blocks
