#pragma once

#include <cstdint>

#include "blocks/register_image.h"

namespace varda::blocks {

/// One contiguous run of bits copied between an item's stored field and one
/// word of the register image.
class MemoryTransfer {
 public:
  /// Invariants: 1 <= bitNumber <= 32, startBit + bitNumber <= 32,
  /// toBit + bitNumber <= 32.
  constexpr MemoryTransfer(std::uint32_t reg, std::uint32_t bitNumber, std::uint32_t startBit,
                           std::uint32_t toBit)
      : register_(reg), bitNumber_(bitNumber), startBit_(startBit), toBit_(toBit) {}

  /// ORs field bits startBit.. into image word `reg` at toBit..; clears nothing.
  void encode(ImageWords image, std::uint32_t field) const;
  /// ORs image bits toBit.. of word `reg` into `accumulator` at startBit...
  void decode(ConstImageWords image, std::uint32_t& accumulator) const;
  /// Prints the "MemoryTransfer start {" ... "} MemoryTransfer end" block.
  void dump() const;

  constexpr std::uint32_t registerTag() const { return register_; }
  constexpr std::uint32_t bitNumber() const { return bitNumber_; }
  constexpr std::uint32_t startBit() const { return startBit_; }
  constexpr std::uint32_t toBit() const { return toBit_; }

  friend constexpr bool operator==(const MemoryTransfer&, const MemoryTransfer&) = default;

 private:
  std::uint32_t register_;   ///< index of the word in the register image
  std::uint32_t bitNumber_;  ///< number of bits in the run
  std::uint32_t startBit_;   ///< lowest bit of the run within the stored field
  std::uint32_t toBit_;      ///< lowest bit of the run within the register word
};

}  // namespace varda::blocks
