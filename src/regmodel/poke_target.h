#pragma once

#include <cstdint>
#include <span>

namespace varda::regmodel {

/// Which of the reader's two word arrays a known register goes to.
enum class PokeArray {
  kRegisters,
  kExtras
};

/// One row of a reader's register table: a known address (EMI4: an offset
/// from the base) and the word its poke is stored in.
struct PokeTarget {
  std::uint32_t address;
  PokeArray array;
  std::uint32_t index;
};

/// Index of the row whose address plus base (unsigned 32-bit sum) equals
/// address, or -1. The comparison is numeric.
inline int findTarget(std::span<const PokeTarget> table, std::uint32_t base, std::uint64_t address) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (static_cast<std::uint32_t>(base + table[i].address) == address) return static_cast<int>(i);
  }
  return -1;
}

/// Stores value in the word that target names.
inline void storeAt(const PokeTarget& target, std::uint32_t value, std::span<std::uint32_t> registers,
                    std::span<std::uint32_t> extras) {
  (target.array == PokeArray::kRegisters ? registers : extras)[target.index] = value;
}

}  // namespace varda::regmodel
