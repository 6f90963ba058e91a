#pragma once

#include "blocks/bank_block.h"

namespace varda::blocks {

/// The block of an MPX bank (EMI4 only); checked against ranges only.
class MpxBlock : public BankBlock {
 public:
  MpxBlock() : BankBlock(BankType::kMpx) {}
  /// The MPX table (banks 0..5). There is no EMI2/3 form.
  void buildEmi4Items(int bank) override;
};

}  // namespace varda::blocks
