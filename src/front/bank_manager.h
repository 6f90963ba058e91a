#pragma once

#include <cstdint>
#include <string>

#include "regmodel/emi23_register_set.h"
#include "regmodel/emi4_register_set.h"

namespace varda::front {

/// Bank type codes shared with the register model; 4 means a bank without a block.
enum BankType : int {
  kDram = 0,
  kSdram = 1,
  kPeripheral = 2,
  kMpx = 3,
  kNoType = 4
};

/// The one way the front end changes register images: routes parameters, raw
/// register words and bank types to the register set of the selected EMI
/// generation, after checking the current bank's type and lock.
class BankManager {
 public:
  /// Sets a chip-wide item: gencfg on EMI4, padlogic (and shows it) otherwise.
  int setChipItem(std::uint32_t tag, std::uint32_t value);
  /// Sets an item of the current bank when the bank has `type` and is not
  /// locked; returns the warning type, or 0 after an error message.
  int setBankItem(std::uint32_t tag, std::uint32_t value, int type, const std::string& optionName);
  /// The type of the current bank in the set of the current generation.
  int currentBankType();
  /// The type of `bank`; banks 4 and 5 exist only on six-bank EMI4 chips (bank 0 is asked instead).
  int bankTypeOf(int bank);
  /// 1, after the locked warning, when the current bank is locked.
  int bankLocked();
  /// Stores the register regNum of the current bank from hexadecimal text.
  int setBankRegister(const std::string& hexText);
  /// Stores a chip-wide register word from hexadecimal text.
  int setChipRegister(int index, const std::string& hexText);
  /// Counts the SDRAM and DRAM banks of the chip.
  void countBankTypes();
  /// Stores the registers derived from the whole configuration, before any output.
  void prepareRegisters();
  /// Gives `bank` its type's defaults again.
  void resetBank(int bank);

  regmodel::Emi23RegisterSet& emi23() { return emi23_; }
  regmodel::Emi4RegisterSet& emi4() { return emi4_; }
  int sdramBanks() const { return sdramBanks_; }
  int dramBanks() const { return dramBanks_; }

 private:
  int sdramBanks_ = 0;
  int dramBanks_ = 0;
  regmodel::Emi23RegisterSet emi23_;
  regmodel::Emi4RegisterSet emi4_;
};

/// The one bank manager of the run.
BankManager& bankManager();

/// Replaces the bank manager by a new one with default register sets.
void resetBankManager();

}  // namespace varda::front
