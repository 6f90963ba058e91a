#include "blocks/item_block.h"

#include <utility>

namespace varda::blocks {

ItemBlock::~ItemBlock() = default;

void ItemBlock::dump() const {
  for (const MemoryItem& item : items_) item.dump();
}

// Linear search from the front: with a shared tag the first item wins.
MemoryItem* ItemBlock::findItem(std::uint32_t tag) {
  for (MemoryItem& item : items_) {
    if (item.tag() == tag) return &item;
  }
  return nullptr;
}

const MemoryItem* ItemBlock::findItem(std::uint32_t tag) const {
  for (const MemoryItem& item : items_) {
    if (item.tag() == tag) return &item;
  }
  return nullptr;
}

CheckOutcome ItemBlock::checkRule(std::uint32_t, std::uint32_t) const { return std::nullopt; }

CheckOutcome ItemBlock::checkValue(std::uint32_t tag, std::uint32_t value) const {
  const MemoryItem* item = findItem(tag);
  if (item == nullptr) return std::nullopt;
  return item->check(value);
}

CheckOutcome ItemBlock::checkItem(std::uint32_t tag) const {
  const MemoryItem* item = findItem(tag);
  if (item == nullptr) return std::nullopt;
  return item->checkCurrent();
}

// List order; the first failing item ends the walk, so only its rule message
// is printed.
CheckOutcome ItemBlock::checkAll() const {
  for (const MemoryItem& item : items_) {
    if (auto result = item.checkCurrent()) return result;
  }
  return std::nullopt;
}

void ItemBlock::encode(ImageWords image) const {
  for (const MemoryItem& item : items_) item.encode(image);
}

void ItemBlock::decode(ConstImageWords image) {
  for (MemoryItem& item : items_) item.decode(image);
}

MemoryItem& ItemBlock::addItem(std::uint32_t tag, std::uint32_t type, std::string_view name,
                               std::uint32_t max, std::uint32_t min, std::uint32_t shift,
                               std::uint32_t defaultValue, std::vector<MemoryTransfer> transfers) {
  return items_.emplace_back(tag, *this, type, name, max, min, shift, defaultValue, std::move(transfers));
}

void ItemBlock::addTable(std::span<const catalogue::ItemRow> table, catalogue::BankWords words) {
  for (const catalogue::ItemRow& row : table) {
    addItem(row.tag, row.type, row.name, row.max, row.min, row.shift, row.defaultValue,
            catalogue::transfersFor(row.bits, words));
  }
}

}  // namespace varda::blocks
