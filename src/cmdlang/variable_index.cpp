#include "cmdlang/variable_index.h"

#include "cmdlang/variable.h"

namespace varda::cmdlang {

std::size_t VariableIndex::home(std::uint32_t hash) const {
  // The name hash keeps the last bytes in its low bits (keys "1", "11", "21"
  // differ there only in one nibble); a multiplicative mix spreads them, and
  // its top bits are the well-mixed ones.
  return static_cast<std::size_t>((hash * 0x9e3779b1u) >> shift_);
}

Variable* VariableIndex::find(std::string_view name, std::uint32_t hash) const {
  if (slots_.empty()) return nullptr;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = home(hash);; i = (i + 1) & mask) {
    Variable* v = slots_[i];
    if (v == nullptr) return nullptr;
    if (v->hash == hash && v->key() == name) return v;
  }
}

void VariableIndex::add(Variable* variable) {
  // At most half full, so that probe runs stay short.
  if ((used_ + 1) * 2 > slots_.size()) grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = home(variable->hash);
  while (slots_[i] != nullptr) i = (i + 1) & mask;
  slots_[i] = variable;
  ++used_;
}

void VariableIndex::erase(const Variable* variable) {
  if (slots_.empty()) return;
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = home(variable->hash);
  while (slots_[i] != variable) {
    if (slots_[i] == nullptr) return;
    i = (i + 1) & mask;
  }
  // Backward-shift deletion: entries after the hole that would no longer be
  // reachable from their home slot move into it, so no tombstones are needed.
  slots_[i] = nullptr;
  --used_;
  for (std::size_t j = (i + 1) & mask; slots_[j] != nullptr; j = (j + 1) & mask) {
    const std::size_t h = home(slots_[j]->hash);
    // slots_[j] stays when its home lies cyclically in (i, j].
    const bool stays = i <= j ? (i < h && h <= j) : (i < h || h <= j);
    if (stays) continue;
    slots_[i] = slots_[j];
    slots_[j] = nullptr;
    i = j;
  }
}

void VariableIndex::clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  used_ = 0;
  shift_ = 32;
}

void VariableIndex::grow() {
  std::vector<Variable*> old(slots_.empty() ? 64 : slots_.size() * 2, nullptr);
  old.swap(slots_);
  shift_ = 32;
  for (std::size_t n = slots_.size(); n > 1; n >>= 1) --shift_;
  used_ = 0;
  for (Variable* v : old)
    if (v != nullptr) add(v);
}

}  // namespace varda::cmdlang
