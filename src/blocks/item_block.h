#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string_view>
#include <vector>

#include "blocks/check_result.h"
#include "blocks/item_row.h"
#include "blocks/memory_item.h"
#include "blocks/register_image.h"

namespace varda::blocks {

/// A group of parameter items with one rule check: the base of every block.
///
/// The item list keeps creation order, and that order decides everything that
/// depends on order: which item a tag finds first, which check result (and so
/// which rule message) comes first, and the order of encoding, decoding and dumps.
/// Items point back at their block, so a block is neither copied nor moved;
/// pointers and references to items stay valid for the block's whole life.
class ItemBlock {
 public:
  ItemBlock() = default;
  ItemBlock(const ItemBlock&) = delete;
  ItemBlock& operator=(const ItemBlock&) = delete;
  virtual ~ItemBlock();

  /// Dumps every item in list order.
  void dump() const;

  /// The first item in list order with this tag, or nullptr.
  MemoryItem* findItem(std::uint32_t tag);
  const MemoryItem* findItem(std::uint32_t tag) const;

  /// The block's consistency rule for a proposed value of one of its items,
  /// called after the item's range check passed. The base accepts every value.
  virtual CheckOutcome checkRule(std::uint32_t tag, std::uint32_t value) const;

  /// The found item's check (range, then rule) of `value`; nothing is stored.
  /// A tag the block does not hold passes.
  CheckOutcome checkValue(std::uint32_t tag, std::uint32_t value) const;
  /// The found item's check of its current value; a missing tag passes.
  CheckOutcome checkItem(std::uint32_t tag) const;
  /// checkCurrent of every item in list order; the first result stops the walk.
  CheckOutcome checkAll() const;

  /// Encodes every item in list order (ORs only; the caller clears the image).
  void encode(ImageWords image) const;
  /// Decodes every item in list order.
  void decode(ConstImageWords image);

  /// Appends an item (arguments as MemoryItem's, without the block); the block owns it.
  MemoryItem& addItem(std::uint32_t tag, std::uint32_t type, std::string_view name, std::uint32_t max,
                      std::uint32_t min, std::uint32_t shift, std::uint32_t defaultValue,
                      std::vector<MemoryTransfer> transfers);
  /// Appends one item per row, in row order, with R0..R3 and MODE on `words`.
  void addTable(std::span<const catalogue::ItemRow> table, catalogue::BankWords words = {});

  const std::deque<MemoryItem>& items() const { return items_; }
  /// A small number naming this block in dumps, stable from run to run: the
  /// register set that makes the block numbers it (BlockSerial); 0 until then.
  std::uint32_t identity() const { return identity_; }
  void setIdentity(std::uint32_t identity) { identity_ = identity; }

 private:
  std::deque<MemoryItem> items_;  ///< owned, in creation order; a deque keeps addresses
  std::uint32_t identity_ = 0;
};

}  // namespace varda::blocks
