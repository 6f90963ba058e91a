#pragma once

#include <cstdint>
#include <string>

#include "blocks/bank_type.h"
#include "blocks/block_serial.h"
#include "blocks/check_result.h"
#include "regmodel/emi23_register_set.h"
#include "regmodel/emi4_register_set.h"

namespace varda::front {

using blocks::BankType;
using blocks::SetResult;

/// The one way the front end changes register images: routes parameters, raw
/// register words and bank types to the register set of the selected EMI
/// generation, after checking the current bank's type and lock. A failed
/// timing rule that a change runs into is printed here, as the change returns.
class BankManager {
 public:
  BankManager();
  BankManager(const BankManager&) = delete;
  BankManager& operator=(const BankManager&) = delete;

  /// Sets a chip-wide item: gencfg on EMI4, padlogic (and shows it) otherwise.
  SetResult setChipItem(std::uint32_t tag, std::uint32_t value);
  /// Sets an item of the current bank when the bank has `type` and is not
  /// locked; returns the warning type, or kAccepted after an error message.
  SetResult setBankItem(std::uint32_t tag, std::uint32_t value, BankType type, const std::string& optionName);
  /// The type of the current bank in the set of the current generation.
  BankType currentBankType();
  /// The type of `bank`; banks 4 and 5 exist only on six-bank EMI4 chips (bank 0 is asked instead).
  BankType bankTypeOf(int bank);
  /// True, after the locked warning, when the current bank is locked.
  bool bankLocked();
  /// Stores the register regNum of the current bank from hexadecimal text;
  /// kAccepted also when nothing was stored.
  SetResult setBankRegister(const std::string& hexText);
  /// Stores a chip-wide register word (an image word index) from hexadecimal text.
  SetResult setChipRegister(std::uint32_t index, const std::string& hexText);
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
  /// Prints the rule message that the outcome carries, and gives its result.
  static SetResult reported(const blocks::SetOutcome& outcome);

  int sdramBanks_ = 0;
  int dramBanks_ = 0;
  blocks::BlockSerial serial_;  ///< numbers the blocks of both sets; before them
  regmodel::Emi23RegisterSet emi23_;
  regmodel::Emi4RegisterSet emi4_;
};

}  // namespace varda::front
