#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace varda::cmdlang {

struct Variable;

/// An open-addressed index of a symbol table's entries by their full name
/// hash. A table keeps its chains for the order a script sees; once it holds
/// many entries (a large array) lookups go through this index instead of
/// walking a chain thousands of entries long.
///
/// Each slot keeps a tag (the hash, 1 for a hash of 0; 0 marks a free
/// slot) beside the entry, so that probing, growing and deleting read only
/// the tags, and an entry is visited only when its tag matches.
class VariableIndex {
 public:
  bool empty() const { return size_ == 0; }
  /// The entry named `name` whose hash is `hash`, or none.
  Variable* find(std::string_view name, std::uint32_t hash) const;
  /// Adds an entry whose name is not in the index yet.
  void add(Variable* variable);
  /// Takes an entry out (nothing happens when it is absent).
  void erase(const Variable* variable);
  void clear();

 private:
  static std::uint32_t tagOf(std::uint32_t hash) { return hash != 0 ? hash : 1u; }
  std::size_t home(std::uint32_t tag) const;
  /// Stores an entry in the first free slot from its home; there is one.
  void place(Variable* variable, std::uint32_t tag);
  void grow();

  std::unique_ptr<std::uint32_t[]> tags_;  // size_ tags; 0 is a free slot
  std::unique_ptr<Variable*[]> slots_;     // set where the tag is not 0
  std::uint32_t size_ = 0;                 // a power of two, or 0
  std::uint32_t used_ = 0;
  unsigned shift_ = 32;  // 32 - log2(size_)
};

}  // namespace varda::cmdlang
