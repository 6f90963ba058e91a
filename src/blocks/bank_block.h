#pragma once

#include "blocks/item_block.h"

namespace varda::blocks {

/// Bank type codes. kNoBank is what a register set answers for a bank without a block.
enum BankTypeCode : int {
  kDramBank = 0,
  kSdramBank = 1,
  kPeripheralBank = 2,
  kMpxBank = 3,
  kNoBank = 4,
};

/// The block of one memory bank: an item block that builds its items for one
/// bank of one EMI generation and knows its bank type code.
class BankBlock : public ItemBlock {
 public:
  /// Builds the items for EMI2/3 bank 0..3; any other bank builds nothing.
  /// The base builds nothing (the bank type has no EMI2/3 form).
  virtual void buildEmi23Items(int bank);
  /// Builds the items for EMI4 bank 0..5; any other bank builds nothing.
  /// The base builds nothing (the bank type has no EMI4 form).
  virtual void buildEmi4Items(int bank);
  /// DRAM 0, SDRAM 1, Peripheral 2, MPX 3; fixed by the concrete class.
  int bankType() const { return bankType_; }

 protected:
  explicit BankBlock(int bankType) : bankType_(bankType) {}

 private:
  int bankType_;
};

}  // namespace varda::blocks
