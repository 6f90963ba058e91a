#include "blocks/memory_item.h"

#include <utility>

#include "blocks/item_block.h"
#include "support/format.h"

namespace varda::blocks {

MemoryItem::MemoryItem(std::uint32_t tag, const ItemBlock& block, std::uint32_t type, std::string_view name,
                       std::uint32_t max, std::uint32_t min, std::uint32_t shift, std::uint32_t defaultValue,
                       std::vector<MemoryTransfer> transfers)
    : name_(name),
      tag_(tag),
      block_(&block),
      min_(min),
      max_(max),
      value_(defaultValue),
      shift_(shift),
      defaultValue_(defaultValue),
      type_(type),
      transfers_(std::move(transfers)) {}

CheckOutcome MemoryItem::checkRange(std::uint32_t v) const {
  if (v < min_ || v > max_) return CheckResult{1, tag_};
  return std::nullopt;
}

// Order: the item's own range first, then the owning block's rule.
CheckOutcome MemoryItem::check(std::uint32_t v) const {
  if (auto range = checkRange(v)) return range;
  return block_->checkRule(tag_, v);
}

void MemoryItem::encode(ImageWords image) const {
  const std::uint32_t field = value_ - shift_;  // wraps, like the hardware field
  for (const MemoryTransfer& transfer : transfers_) transfer.encode(image, field);
}

void MemoryItem::decode(ConstImageWords image) {
  std::uint32_t field = 0;
  for (const MemoryTransfer& transfer : transfers_) transfer.decode(image, field);
  value_ = field + shift_;
}

// Field lines in this fixed order, Max before Min; numbers as signed decimal.
void MemoryItem::dump() const {
  support::out("MemoryItem start {\n");
  support::out("\tName: %s\n", name_.c_str());
  support::out("\tTag: %d\n", static_cast<int>(tag_));
  support::out("\tBlock: %x\n", static_cast<unsigned>(block_->identity()));
  support::out("\tType: %d\n", static_cast<int>(type_));
  support::out("\tMax: %d\n", static_cast<int>(max_));
  support::out("\tMin: %d\n", static_cast<int>(min_));
  support::out("\tValue: %d\n", static_cast<int>(value_));
  support::out("\tShift: %d\n", static_cast<int>(shift_));
  support::out("\tDefaultValue: %d\n", static_cast<int>(defaultValue_));
  for (const MemoryTransfer& transfer : transfers_) transfer.dump();
  support::out("} MemoryItem end\n");
}

}  // namespace varda::blocks
