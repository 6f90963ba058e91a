#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "blocks/memory_transfer.h"

namespace varda::blocks::catalogue {

/// Which word a run of an item's bits lands in before a bank is chosen.
enum class WordKind : std::uint8_t {
  kBank,  ///< R0..R3 of the item's bank
  kMode,  ///< the SDRAM mode register of the item's bank
  kChip,  ///< a chip-wide word, by its index in the register image
};

/// One run of register bits as the catalogue writes it: word[high:low].
struct BitRun {
  WordKind kind;
  std::uint32_t word;  ///< kBank: 0..3 for R0..R3; kChip: word index; kMode: unused
  std::uint32_t high;
  std::uint32_t low;
};

/// The register bits of one item: one run, or two where the field continues
/// in a second register (the second run holds the field bits after the first's).
struct Placement {
  BitRun runs[2];
  std::uint32_t count;
};

// Placement notation, written as the catalogue writes it:
// R0(10, 9) is R0[10:9], R0(26) is R0[26], MODE(6, 4) is MODE[6:4],
// REG(25, 14, 12) is "register 25 bits 14-12", REG(16, 0) is "register 16 bit 0",
// split(R1(15, 0), R2(14, 8)) is "R1[15:0] (field bits 0-15); R2[14:8] (field bits 16-22)".
constexpr Placement bankBits(std::uint32_t r, std::uint32_t high, std::uint32_t low) {
  return Placement{{BitRun{WordKind::kBank, r, high, low}, BitRun{}}, 1};
}
constexpr Placement R0(std::uint32_t high, std::uint32_t low) { return bankBits(0, high, low); }
constexpr Placement R1(std::uint32_t high, std::uint32_t low) { return bankBits(1, high, low); }
constexpr Placement R2(std::uint32_t high, std::uint32_t low) { return bankBits(2, high, low); }
constexpr Placement R3(std::uint32_t high, std::uint32_t low) { return bankBits(3, high, low); }
constexpr Placement R0(std::uint32_t bit) { return bankBits(0, bit, bit); }
constexpr Placement R1(std::uint32_t bit) { return bankBits(1, bit, bit); }
constexpr Placement R2(std::uint32_t bit) { return bankBits(2, bit, bit); }
constexpr Placement R3(std::uint32_t bit) { return bankBits(3, bit, bit); }
constexpr Placement MODE(std::uint32_t high, std::uint32_t low) {
  return Placement{{BitRun{WordKind::kMode, 0, high, low}, BitRun{}}, 1};
}
constexpr Placement MODE(std::uint32_t bit) { return MODE(bit, bit); }
constexpr Placement REG(std::uint32_t word, std::uint32_t high, std::uint32_t low) {
  return Placement{{BitRun{WordKind::kChip, word, high, low}, BitRun{}}, 1};
}
constexpr Placement REG(std::uint32_t word, std::uint32_t bit) { return REG(word, bit, bit); }
constexpr Placement split(Placement first, Placement second) {
  return Placement{{first.runs[0], second.runs[0]}, 2};
}

/// One row of an item table, column for column as the catalogue lists it.
struct ItemRow {
  std::uint32_t tag;
  const char* name;
  std::uint32_t type;
  std::uint32_t min;
  std::uint32_t max;
  std::uint32_t defaultValue;
  std::uint32_t shift;
  Placement bits;
};

/// The words that R0 (R1..R3 follow it) and MODE name for one bank.
struct BankWords {
  std::uint32_t r0 = 0;
  std::uint32_t mode = 0;
};

/// EMI2/3 bank b (0..3): R0..R3 = words 4b..4b+3; MODE = 18 for bank 1, else 17.
/// No words for any other bank number.
constexpr std::optional<BankWords> emi23BankWords(int bank) {
  if (bank < 0 || bank > 3) return std::nullopt;
  const auto b = static_cast<std::uint32_t>(bank);
  return BankWords{4 * b, b == 1 ? 18u : 17u};
}

/// EMI4 bank b (0..5): R0..R3 = words 35+4b..38+4b; MODE = 28 for bank 1, else 27.
/// No words for any other bank number.
constexpr std::optional<BankWords> emi4BankWords(int bank) {
  if (bank < 0 || bank > 5) return std::nullopt;
  const auto b = static_cast<std::uint32_t>(bank);
  return BankWords{35 + 4 * b, b == 1 ? 28u : 27u};
}

/// The transfers of one placement on the given bank's words, in run order.
/// Chip-wide runs ignore `words`.
std::vector<MemoryTransfer> transfersFor(const Placement& bits, BankWords words);

}  // namespace varda::blocks::catalogue
