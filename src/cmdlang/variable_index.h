#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace varda::cmdlang {

struct Variable;

/// An open-addressed index of a symbol table's entries by their full name
/// hash. A table keeps its chains for the order a script sees; once it holds
/// many entries (a large array) lookups go through this index instead of
/// walking a chain thousands of entries long.
class VariableIndex {
 public:
  bool empty() const { return slots_.empty(); }
  /// The entry named `name` whose hash is `hash`, or none.
  Variable* find(std::string_view name, std::uint32_t hash) const;
  /// Adds an entry whose name is not in the index yet.
  void add(Variable* variable);
  /// Takes an entry out (nothing happens when it is absent).
  void erase(const Variable* variable);
  void clear();

 private:
  std::size_t home(std::uint32_t hash) const;
  void grow();

  std::vector<Variable*> slots_;  // power-of-two size; nullptr is a free slot
  std::size_t used_ = 0;
  unsigned shift_ = 32;  // 32 - log2(slots_.size())
};

}  // namespace varda::cmdlang
