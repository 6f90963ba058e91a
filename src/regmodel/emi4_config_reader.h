#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "regmodel/poke_file_reader.h"

namespace varda::regmodel {

/// Reads the poke form of an EMI4 configuration procedure into register words.
///
/// Addresses are the base address plus a register offset. registers must hold
/// at least 24 words (bank b register r at 4*b + r), extras at least 13 (the
/// chip-wide registers at offsets 0x00 to 0x68 in offset order). Values are
/// whole 32-bit words.
class Emi4ConfigReader : public PokeFileReader {
 public:
  static constexpr std::size_t kRegisterWords = 24;
  static constexpr std::size_t kExtraWords = 13;
  static constexpr std::size_t kKnownRegisters = 37;

  explicit Emi4ConfigReader(std::string programName) : PokeFileReader(std::move(programName)) {}

  /// The base address added to every offset; set before every read.
  void setBase(std::uint32_t base) { base_ = base; }
  std::uint32_t base() const { return base_; }

 protected:
  void clearSeen() override { seen_.fill(false); }
  /// Every 32-bit number is a value.
  bool valueFits(std::uint64_t value) const override { return value <= 0xffffffffull; }
  StoreResult storePoke(std::uint64_t address, std::uint64_t value, std::span<std::uint32_t> registers,
                        std::span<std::uint32_t> extras) override;

 private:
  std::uint32_t base_ = 0;                    ///< EMI4 base address (EMI4.VCR)
  std::array<bool, kKnownRegisters> seen_{};  ///< one per known register, in table order
};

}  // namespace varda::regmodel
