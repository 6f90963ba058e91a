#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "regmodel/poke_file_reader.h"

namespace varda::regmodel {

/// Reads the poke form of an EMI2/3 configuration procedure into register words.
///
/// registers must hold at least 17 words (0 to 15 the bank registers, 16 the
/// DRAM initialisation register), extras at least 4 (the mode registers at
/// 0x2058 and 0x205c, the padlogic register, and 0x2064). Words whose address
/// is not poked keep what the caller put there.
class Emi23ConfigReader : public PokeFileReader {
 public:
  static constexpr std::size_t kRegisterWords = 17;
  static constexpr std::size_t kExtraWords = 4;
  static constexpr std::size_t kKnownAddresses = 21;

  explicit Emi23ConfigReader(std::string programName) : PokeFileReader(std::move(programName)) {}

 protected:
  void clearSeen() override { seen_.fill(false); }
  /// EMI2/3 registers are 16 bits wide: values below 0x10000.
  bool valueFits(std::uint64_t value) const override { return value < 0x10000; }
  StoreResult storePoke(std::uint64_t address, std::uint64_t value, std::span<std::uint32_t> registers,
                        std::span<std::uint32_t> extras) override;

 private:
  std::array<bool, kKnownAddresses> seen_{};  ///< one per known address, in table order
};

}  // namespace varda::regmodel
