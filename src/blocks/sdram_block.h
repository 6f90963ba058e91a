#pragma once

#include "blocks/bank_block.h"

namespace varda::blocks {

/// The block of an SDRAM bank: geometry, timings and mode-register fields;
/// checked against ranges only.
class SdramBlock : public BankBlock {
 public:
  SdramBlock() : BankBlock(BankType::kSdram) {}
  /// The common table, then the EMI2/3 table (banks 0..3).
  void buildEmi23Items(int bank) override;
  /// The common table, then the EMI4 table (banks 0..5).
  void buildEmi4Items(int bank) override;
};

}  // namespace varda::blocks
