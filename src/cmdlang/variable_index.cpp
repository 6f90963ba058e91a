#include "cmdlang/variable_index.h"

#include "cmdlang/variable.h"

namespace varda::cmdlang {

std::size_t VariableIndex::home(std::uint32_t tag) const {
  // The name hash keeps the last bytes in its low bits (keys "1", "11", "21"
  // differ there only in one nibble); a multiplicative mix spreads them, and
  // its top bits are the well-mixed ones. Consecutive integer keys have
  // nearly consecutive hashes, which the mix spreads almost evenly.
  return static_cast<std::size_t>((tag * 0x9e3779b1u) >> shift_);
}

Variable* VariableIndex::find(std::string_view name, std::uint32_t hash) const {
  if (size_ == 0) return nullptr;
  const std::uint32_t tag = tagOf(hash);
  const std::size_t mask = size_ - 1;
  for (std::size_t i = home(tag);; i = (i + 1) & mask) {
    const std::uint32_t t = tags_[i];
    if (t == 0) return nullptr;
    if (t == tag) {
      Variable* v = slots_[i];
      if (v->hash == hash && v->key() == name) return v;
    }
  }
}

void VariableIndex::place(Variable* variable, std::uint32_t tag) {
  const std::size_t mask = size_ - 1;
  std::size_t i = home(tag);
  while (tags_[i] != 0) i = (i + 1) & mask;
  tags_[i] = tag;
  slots_[i] = variable;
}

void VariableIndex::add(Variable* variable) {
  // At most three quarters full: probe runs stay short, and a large array's
  // index takes no more room than its entries need.
  if ((std::size_t{used_} + 1) * 4 > std::size_t{size_} * 3) grow();
  place(variable, tagOf(variable->hash));
  ++used_;
}

void VariableIndex::erase(const Variable* variable) {
  if (size_ == 0) return;
  const std::size_t mask = size_ - 1;
  const std::uint32_t tag = tagOf(variable->hash);
  std::size_t i = home(tag);
  while (!(tags_[i] == tag && slots_[i] == variable)) {
    if (tags_[i] == 0) return;
    i = (i + 1) & mask;
  }
  // Backward-shift deletion: entries after the hole that would no longer be
  // reachable from their home slot move into it, so no tombstones are needed.
  tags_[i] = 0;
  --used_;
  for (std::size_t j = (i + 1) & mask; tags_[j] != 0; j = (j + 1) & mask) {
    const std::size_t h = home(tags_[j]);
    // The entry at j stays when its home lies cyclically in (i, j].
    const bool stays = i <= j ? (i < h && h <= j) : (i < h || h <= j);
    if (stays) continue;
    tags_[i] = tags_[j];
    slots_[i] = slots_[j];
    tags_[j] = 0;
    i = j;
  }
}

void VariableIndex::clear() {
  tags_.reset();
  slots_.reset();
  size_ = 0;
  used_ = 0;
  shift_ = 32;
}

void VariableIndex::grow() {
  // Rehashing reads the old tags only, not the entries.
  const std::uint32_t oldSize = size_;
  std::unique_ptr<std::uint32_t[]> oldTags = std::move(tags_);
  std::unique_ptr<Variable*[]> oldSlots = std::move(slots_);
  size_ = oldSize == 0 ? 64 : oldSize * 2;
  tags_ = std::make_unique<std::uint32_t[]>(size_);  // zeroed: all free
  slots_ = std::make_unique_for_overwrite<Variable*[]>(size_);
  shift_ = 32;
  for (std::uint32_t n = size_; n > 1; n >>= 1) --shift_;
  for (std::uint32_t i = 0; i < oldSize; ++i)
    if (oldTags[i] != 0) place(oldSlots[i], oldTags[i]);
}

}  // namespace varda::cmdlang
