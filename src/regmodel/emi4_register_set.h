#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include "regmodel/register_set.h"

namespace varda::regmodel {

/// The EMI4 interface: six banks (SDRAM, Peripheral or MPX; a chip uses four
/// or six), the general-configuration block, and the registers at offsets
/// from the base address.
///
/// Bank number 6 (kGencfgBank) addresses the general-configuration block in
/// setItem. Register tags 21 to 58 (0 to 20 have no register): 21 EMI4.VCR,
/// 22 status configuration, 23 status lock, 24 lock, 25 general configuration,
/// 26 and 29 the initialisation registers, 27 and 28 the two halves of the
/// SDRAM mode register, 30 to 34 refresh interval and clock registers,
/// 35 + 4*b + r bank b register r.
class Emi4RegisterSet : public RegisterSet {
 public:
  static constexpr int kBanks = 6;
  static constexpr int kGencfgBank = 6;

  /// Six Peripheral banks, the general-configuration block and the registers.
  /// Every block the set makes takes its number from `serial`, which outlives the set.
  explicit Emi4RegisterSet(blocks::BlockSerial& serial);

  /// Writes the register lines and the closing "}" of an EMI4 procedure at
  /// base + offset: bank 5 first unless bankCount is 4, banks 0 to 3 (and 4),
  /// the chip-wide registers, and the second initialisation register last.
  void emit(std::FILE* stream, std::uint32_t base, int bankCount, std::string_view pokeWord) const;

  /// Bit b set for each bank b below bankCount whose four register words all
  /// encode non-zero.
  std::uint32_t populatedBankMask(int bankCount) const;

 protected:
  /// 1 SdramBlock, 2 PeripheralBlock, 3 MpxBlock, built for EMI4 `bank`.
  std::unique_ptr<blocks::BankBlock> makeBankBlock(blocks::BankType type, int bank) const override;
};

}  // namespace varda::regmodel
