#pragma once

#include "blocks/bank_block.h"

namespace varda::blocks {

/// The block of a DRAM bank (EMI2/3 only): geometry, refresh and RAS/CAS
/// timings, with the rules between CAS time, CAS edges and data drive delay.
class DramBlock : public BankBlock {
 public:
  DramBlock() : BankBlock(BankType::kDram) {}
  /// The DRAM table (banks 0..3). There is no EMI4 form.
  void buildEmi23Items(int bank) override;
  /// The DRAM rules; prints "<prog>: Error: DRAM <text>" on failure.
  CheckOutcome checkRule(std::uint32_t tag, std::uint32_t value) const override;
};

}  // namespace varda::blocks
