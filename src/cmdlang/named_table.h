#pragma once

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "cmdlang/symbol_table.h"
#include "cmdlang/text.h"

namespace varda::cmdlang {

/// A chained hash table of named entries (procedures, commands) with the
/// same hash, head insertion and iteration order as SymbolTable.
template <class T>
class NamedTable {
 public:
  explicit NamedTable(unsigned buckets = kScopeBuckets) : buckets_(buckets) {}

  T* find(std::string_view name) const { return find(name, hashName(name)); }
  /// find() with the name's hash already known.
  T* find(std::string_view name, std::uint32_t hash) const {
    for (Node* n = buckets_[hash % buckets_.size()].get(); n != nullptr; n = n->next.get())
      if (n->key.view() == name) return &n->value;
    return nullptr;
  }
  /// Adds an entry unless the name is present; returns the entry in force.
  T* insert(Text key, T value) {
    if (T* found = find(key.view())) return found;
    std::unique_ptr<Node>& head = buckets_[hashName(key.view()) % buckets_.size()];
    auto node = std::make_unique<Node>(Node{std::move(key), std::move(value), std::move(head)});
    head = std::move(node);
    ++count_;
    return &head->value;
  }
  /// Takes the entry out; false when absent. The value is moved to `out`.
  bool remove(std::string_view name, T* out = nullptr) {
    std::unique_ptr<Node>* link = &buckets_[hashName(name) % buckets_.size()];
    while (*link) {
      if ((*link)->key.view() == name) {
        std::unique_ptr<Node> found = std::move(*link);
        *link = std::move(found->next);
        if (out != nullptr) *out = std::move(found->value);
        --count_;
        return true;
      }
      link = &(*link)->next;
    }
    return false;
  }
  unsigned count() const { return count_; }
  /// Calls f(const Text& name, T& value) in table order.
  template <class F>
  void forEach(F&& f) const {
    for (const std::unique_ptr<Node>& head : buckets_)
      for (Node* n = head.get(); n != nullptr; n = n->next.get()) f(n->key, n->value);
  }

 private:
  struct Node {
    Text key;
    T value;
    std::unique_ptr<Node> next;
  };
  std::vector<std::unique_ptr<Node>> buckets_;
  unsigned count_ = 0;
};

}  // namespace varda::cmdlang
