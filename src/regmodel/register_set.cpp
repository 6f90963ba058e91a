#include "regmodel/register_set.h"

#include <cassert>
#include <utility>

#include "blocks/item_tags.h"

namespace varda::regmodel {

using blocks::SetOutcome;
using blocks::SetResult;

RegisterSet::RegisterSet(blocks::BlockSerial& serial, int bankCount, std::unique_ptr<blocks::ItemBlock> chip,
                         std::span<const RegisterRow> registers, std::size_t imageWords)
    : serial_(serial),
      banks_(static_cast<std::size_t>(bankCount)),
      chip_(std::move(chip)),
      imageWords_(imageWords) {
  chip_->setIdentity(serial_.next());
  registers_.reserve(registers.size());
  for (const RegisterRow& row : registers) {
    assert(registers_.empty() || row.tag == registers_.back().tag() + 1);
    assert(row.tag < imageWords);
    registers_.emplace_back(row.tag, row.address);
  }
}

RegisterSet::~RegisterSet() = default;

void RegisterSet::buildPeripheralBanks() {
  for (int bank = 0; bank < bankCount(); ++bank) {
    banks_[static_cast<std::size_t>(bank)] = numberedBankBlock(blocks::BankType::kPeripheral, bank);
  }
}

std::unique_ptr<blocks::BankBlock> RegisterSet::numberedBankBlock(blocks::BankType type, int bank) {
  std::unique_ptr<blocks::BankBlock> block = makeBankBlock(type, bank);
  if (block) block->setIdentity(serial_.next());
  return block;
}

blocks::MemoryItem* RegisterSet::findBankItem(int bank, std::uint32_t tag) {
  blocks::BankBlock* block = bankBlock(bank);
  return block == nullptr ? nullptr : block->findItem(tag);
}

blocks::MemoryItem* RegisterSet::findChipItem(std::uint32_t tag) { return chip_->findItem(tag); }

blocks::BankBlock* RegisterSet::bankBlock(int bank) {
  return validBank(bank) ? banks_[static_cast<std::size_t>(bank)].get() : nullptr;
}

bool RegisterSet::setBankType(int bank, blocks::BankType type) {
  if (!validBank(bank)) return false;
  std::unique_ptr<blocks::BankBlock> block = numberedBankBlock(type, bank);
  if (!block) return false;
  // The old block goes with all its items: the bank starts again from the defaults.
  banks_[static_cast<std::size_t>(bank)] = std::move(block);
  return true;
}

blocks::BankType RegisterSet::bankType(int bank) const {
  return validBank(bank) ? banks_[static_cast<std::size_t>(bank)]->bankType() : blocks::BankType::kNone;
}

blocks::ItemBlock* RegisterSet::blockFor(int bank) {
  if (bank == chipBank()) return chip_.get();
  return bankBlock(bank);
}

SetOutcome RegisterSet::setItem(std::uint32_t tag, std::uint32_t value, int bank) {
  // Order: store, the item's own check (the whole chip-wide block for the
  // chip bank), then the whole configuration; each failure restores the old value.
  blocks::ItemBlock* block = blockFor(bank);
  blocks::MemoryItem* item = block == nullptr ? nullptr : block->findItem(tag);
  // A tag the addressed block does not hold (or a bank outside the set) is
  // answered as a failed own check, and nothing changes.
  if (item == nullptr) return {SetResult::kOwnCheckFailed, std::nullopt};

  const std::uint32_t old = item->value();
  item->setValue(value);
  blocks::CheckOutcome own = bank == chipBank() ? checkChip() : checkBankItem(bank, tag);
  if (own) {
    // The SDRAM items CASLatency and LatencyMode keep a value that fails their
    // own check, and the configuration is not checked.
    if (tag == blocks::tag::kCasLatency || tag == blocks::tag::kLatencyMode)
      return {SetResult::kAccepted, own};
    item->setValue(old);
    return {SetResult::kOwnCheckFailed, own};
  }
  if (blocks::CheckOutcome other = checkConfiguration()) {
    item->setValue(old);
    return {SetResult::kConfigurationFailed, other};
  }
  return {};
}

SetOutcome RegisterSet::storeRaw(std::uint32_t tag, std::uint32_t word) {
  // A tag outside the register image is refused and nothing changes.
  if (tag >= imageWords_) return {SetResult::kOwnCheckFailed, std::nullopt};
  // Order: encode everything, replace the word, decode everything, check.
  blocks::RegisterImage image = newImage();
  encodeAll(image);
  const std::uint32_t old = image[tag];
  image[tag] = word;
  decodeAll(image);
  if (blocks::CheckOutcome failed = checkConfiguration()) {
    image[tag] = old;
    decodeAll(image);
    return {SetResult::kConfigurationFailed, failed};
  }
  return {};
}

blocks::CheckOutcome RegisterSet::checkConfiguration() const {
  for (const auto& bank : banks_) {
    if (blocks::CheckOutcome result = bank->checkAll()) return result;
  }
  return chip_->checkAll();
}

blocks::CheckOutcome RegisterSet::checkBank(int bank) const {
  if (!validBank(bank)) return std::nullopt;
  return banks_[static_cast<std::size_t>(bank)]->checkAll();
}

blocks::CheckOutcome RegisterSet::checkChip() const { return chip_->checkAll(); }

blocks::CheckOutcome RegisterSet::checkBankValue(int bank, std::uint32_t tag, std::uint32_t value) const {
  if (!validBank(bank)) return std::nullopt;
  return banks_[static_cast<std::size_t>(bank)]->checkValue(tag, value);
}

blocks::CheckOutcome RegisterSet::checkBankItem(int bank, std::uint32_t tag) const {
  if (!validBank(bank)) return std::nullopt;
  return banks_[static_cast<std::size_t>(bank)]->checkItem(tag);
}

const MemoryRegister* RegisterSet::registerAt(std::uint32_t tag) const {
  if (registers_.empty() || tag < registers_.front().tag()) return nullptr;
  const std::size_t index = tag - registers_.front().tag();
  return index < registers_.size() ? &registers_[index] : nullptr;
}

void RegisterSet::encodeAll(blocks::ImageWords image) const {
  for (const auto& bank : banks_) bank->encode(image);
  chip_->encode(image);
}

void RegisterSet::decodeAll(blocks::ConstImageWords image) {
  for (const auto& bank : banks_) bank->decode(image);
  chip_->decode(image);
}

void RegisterSet::dump() const {
  for (const auto& bank : banks_) bank->dump();
  chip_->dump();
  for (const MemoryRegister& reg : registers_) reg.dump();
}

}  // namespace varda::regmodel
