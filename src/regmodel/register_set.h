#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "blocks/bank_block.h"
#include "blocks/bank_type.h"
#include "blocks/block_serial.h"
#include "blocks/check_result.h"
#include "blocks/item_block.h"
#include "blocks/memory_item.h"
#include "blocks/register_image.h"
#include "regmodel/memory_register.h"

namespace varda::regmodel {

/// One row of a register table: the register's tag (its index in the register
/// image) and its address (EMI2/3) or offset from the base address (EMI4).
struct RegisterRow {
  std::uint32_t tag;
  std::uint32_t address;
};

/// The bank-set logic that both EMI generations share: one block per bank,
/// one chip-wide block, the registers, and the set / check / undo protocol.
///
/// Emi23RegisterSet and Emi4RegisterSet both derive from this class and add
/// only their emitter and their own flags. (Deriving the EMI4 set from the
/// EMI2/3 set would leave a complete, never used EMI2/3 bank set inside every
/// EMI4 set; a common base gives the same behaviour without it.)
///
/// Banks are numbered 0 to bankCount()-1; the number chipBank() (one past the
/// last bank) addresses the chip-wide block in setItem.
class RegisterSet {
 public:
  RegisterSet(const RegisterSet&) = delete;
  RegisterSet& operator=(const RegisterSet&) = delete;
  virtual ~RegisterSet();

  /// The first item with `tag` in the bank's block, or nullptr.
  blocks::MemoryItem* findBankItem(int bank, std::uint32_t tag);
  /// The first item with `tag` in the chip-wide block, or nullptr.
  blocks::MemoryItem* findChipItem(std::uint32_t tag);
  /// The bank's block, or nullptr for a bank number outside the set.
  blocks::BankBlock* bankBlock(int bank);
  /// The chip-wide block (padlogic on EMI2/3, general configuration on EMI4).
  blocks::ItemBlock& chipBlock() { return *chip_; }

  /// Replaces the bank's block by a new block of `type` with its defaults;
  /// false when the generation has no such bank type (bank unchanged).
  bool setBankType(int bank, blocks::BankType type);
  /// The type of the bank's block; BankType::kNone for a bank outside the set.
  blocks::BankType bankType(int bank) const;

  /// Sets one item, checks it and the whole configuration, undoes on failure.
  /// The outcome carries the failed check, whose rule message the caller prints.
  blocks::SetOutcome setItem(std::uint32_t tag, std::uint32_t value, int bank);
  /// Stores a whole register word through encode / replace / decode: accepted,
  /// or kConfigurationFailed when the configuration then fails (every item
  /// decoded from the old word again); a tag outside the image is refused
  /// (kOwnCheckFailed) and nothing changes.
  blocks::SetOutcome storeRaw(std::uint32_t tag, std::uint32_t word);

  /// checkAll of every bank in bank order, then of the chip-wide block.
  blocks::CheckOutcome checkConfiguration() const;
  /// checkAll of the bank's block.
  blocks::CheckOutcome checkBank(int bank) const;
  /// checkAll of the chip-wide block.
  blocks::CheckOutcome checkChip() const;
  /// checkValue of the bank's block (nothing stored).
  blocks::CheckOutcome checkBankValue(int bank, std::uint32_t tag, std::uint32_t value) const;
  /// checkItem of the bank's block.
  blocks::CheckOutcome checkBankItem(int bank, std::uint32_t tag) const;

  /// The register with `tag`, or nullptr when the set has none.
  const MemoryRegister* registerAt(std::uint32_t tag) const;

  /// A cleared register image of this generation's size.
  blocks::RegisterImage newImage() const { return blocks::RegisterImage(imageWords_, 0); }
  /// Encodes every bank in bank order, then the chip-wide block (ORs only).
  void encodeAll(blocks::ImageWords image) const;
  /// Decodes in the same order.
  void decodeAll(blocks::ConstImageWords image);

  /// Dumps every bank, the chip-wide block, then every register in tag order.
  void dump() const;

  int bankCount() const { return static_cast<int>(banks_.size()); }
  int chipBank() const { return bankCount(); }

 protected:
  /// Every bank starts as a Peripheral bank; registers are given in tag order
  /// with consecutive tags. Every block the set makes, the chip-wide block
  /// first, takes its number from `serial`, which outlives the set.
  RegisterSet(blocks::BlockSerial& serial, int bankCount, std::unique_ptr<blocks::ItemBlock> chip,
              std::span<const RegisterRow> registers, std::size_t imageWords);

  /// A new block of `type` built for `bank` of this generation, or nullptr
  /// when the generation has no such bank type.
  virtual std::unique_ptr<blocks::BankBlock> makeBankBlock(blocks::BankType type, int bank) const = 0;

  /// Fills every bank with a new Peripheral block (called by the derived
  /// constructor, once makeBankBlock is available).
  void buildPeripheralBanks();

  /// The register with `tag`; it must exist.
  const MemoryRegister& reg(std::uint32_t tag) const { return *registerAt(tag); }

 private:
  // The block that setItem addresses with `bank`, or nullptr.
  blocks::ItemBlock* blockFor(int bank);
  bool validBank(int bank) const { return bank >= 0 && bank < bankCount(); }
  // makeBankBlock, numbered.
  std::unique_ptr<blocks::BankBlock> numberedBankBlock(blocks::BankType type, int bank);

  blocks::BlockSerial& serial_;                            ///< numbers the blocks made, not owned
  std::vector<std::unique_ptr<blocks::BankBlock>> banks_;  ///< one per bank, in bank order
  std::unique_ptr<blocks::ItemBlock> chip_;                ///< the chip-wide block
  std::vector<MemoryRegister> registers_;                  ///< in tag order, consecutive tags
  std::size_t imageWords_;                                 ///< size of a register image
};

}  // namespace varda::regmodel
