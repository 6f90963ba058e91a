#pragma once

#include "blocks/bank_type.h"
#include "blocks/item_block.h"

namespace varda::blocks {

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
  /// Fixed by the concrete class.
  BankType bankType() const { return bankType_; }

 protected:
  explicit BankBlock(BankType bankType) : bankType_(bankType) {}

 private:
  BankType bankType_;
};

}  // namespace varda::blocks
