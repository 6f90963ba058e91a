#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include "regmodel/register_set.h"

namespace varda::regmodel {

/// The EMI2/3 interface: four banks (DRAM, SDRAM or Peripheral), the padlogic
/// block, and twenty registers at fixed bus addresses.
///
/// Bank number 4 (kPadlogicBank) addresses the padlogic block in setItem.
/// Register tags: 0 to 15 the bank registers (bank b register r at 4*b + r),
/// 16 DRAM initialisation, 17 and 18 the SDRAM mode registers, 19 padlogic.
class Emi23RegisterSet : public RegisterSet {
 public:
  static constexpr int kBanks = 4;
  static constexpr int kPadlogicBank = 4;

  /// Four Peripheral banks, the padlogic block and the 20 registers.
  /// Every block the set makes takes its number from `serial`, which outlives the set.
  explicit Emi23RegisterSet(blocks::BlockSerial& serial);

  /// Writes the register lines and the closing "}" of an EMI2/3 procedure:
  /// padlogic first when shown, the four banks, the mode registers by the
  /// number of SDRAM banks, then the DRAM initialisation register.
  void emit(std::FILE* stream, int sdramBanks, std::string_view pokeWord) const;

  /// When set, emit writes the padlogic register first. The bank manager sets
  /// it when a padlogic item or the raw padlogic register is set.
  bool padlogicShown = false;

 protected:
  /// 0 DramBlock, 1 SdramBlock, 2 PeripheralBlock, built for EMI2/3 `bank`.
  std::unique_ptr<blocks::BankBlock> makeBankBlock(blocks::BankType type, int bank) const override;
};

}  // namespace varda::regmodel
