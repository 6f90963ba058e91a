#pragma once

#include "blocks/bank_block.h"

namespace varda::blocks {

/// The block of a Peripheral bank: strobes, port size, access and edge times,
/// with the EMI2/3 timing rules between access times and strobe edges.
class PeripheralBlock : public BankBlock {
 public:
  PeripheralBlock() : BankBlock(BankType::kPeripheral) {}
  /// The common table, then the EMI2/3 table (banks 0..3).
  void buildEmi23Items(int bank) override;
  /// The common table, then the EMI4 table (banks 0..5).
  void buildEmi4Items(int bank) override;
  /// The EMI2/3 timing rules; prints "<prog>: Error: Peripheral <text>" on failure.
  CheckOutcome checkRule(std::uint32_t tag, std::uint32_t value) const override;
};

}  // namespace varda::blocks
