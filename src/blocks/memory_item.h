#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocks/check_result.h"
#include "blocks/memory_transfer.h"
#include "blocks/register_image.h"

namespace varda::blocks {

class ItemBlock;

/// One parameter: tag, range, default and current value, the offset between
/// the user's value and the stored field, and the bit runs that hold the field.
class MemoryItem {
 public:
  /// Argument order: tag, owning block, type, name, max, min, shift, default,
  /// transfers. The block is not owned; it must outlive the item (blocks own
  /// their items, so it does). Value starts at the default.
  MemoryItem(std::uint32_t tag, const ItemBlock& block, std::uint32_t type, std::string_view name,
             std::uint32_t max, std::uint32_t min, std::uint32_t shift, std::uint32_t defaultValue,
             std::vector<MemoryTransfer> transfers);

  /// Stores v with no check.
  void setValue(std::uint32_t v) { value_ = v; }
  /// A result {1, tag} unless min <= v <= max. Prints nothing.
  CheckOutcome checkRange(std::uint32_t v) const;
  /// Range first; when it passes, the owning block's rule for (tag, v).
  CheckOutcome check(std::uint32_t v) const;
  /// check() of the current value.
  CheckOutcome checkCurrent() const { return check(value_); }

  /// ORs (value - shift) into the image through the transfers, in list order.
  void encode(ImageWords image) const;
  /// value = 0, gathers the transfers' bits, then adds shift. No range check.
  void decode(ConstImageWords image);

  /// Prints the item lines and then each transfer's dump.
  void dump() const;

  const std::string& name() const { return name_; }
  std::uint32_t tag() const { return tag_; }
  const ItemBlock& block() const { return *block_; }
  std::uint32_t min() const { return min_; }
  std::uint32_t max() const { return max_; }
  std::uint32_t value() const { return value_; }
  std::uint32_t shift() const { return shift_; }
  std::uint32_t defaultValue() const { return defaultValue_; }
  std::uint32_t type() const { return type_; }
  const std::vector<MemoryTransfer>& transfers() const { return transfers_; }

 private:
  std::string name_;        ///< may be empty
  std::uint32_t tag_;       ///< key by which the front end and the rules find the item
  const ItemBlock* block_;  ///< owning block, not owned; reaches its checkRule
  std::uint32_t min_;       ///< inclusive
  std::uint32_t max_;       ///< inclusive; 0xFFFFFFFF admits every value
  std::uint32_t value_;     ///< current value in the user's units
  std::uint32_t shift_;     ///< value - shift is the stored field
  std::uint32_t defaultValue_;
  std::uint32_t type_;                     ///< classification 0, 1 or 2, shown by dump
  std::vector<MemoryTransfer> transfers_;  ///< in order; together they make the field
};

}  // namespace varda::blocks
