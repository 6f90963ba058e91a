#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "cmdlang/rc.h"
#include "cmdlang/variable.h"
#include "cmdlang/variable_index.h"

namespace varda::cmdlang {

/// Bucket counts of the language's tables.
inline constexpr unsigned kScopeBuckets = 101;  // global, local, procedure and command tables
inline constexpr unsigned kArrayBuckets = 29;

/// The hash of a name: h = (h << 4) + c over its bytes taken as signed chars,
/// folding the top nibble back in. The bucket is h modulo the bucket count.
inline std::uint32_t hashName(std::string_view name) {
  std::uint32_t h = 0;
  for (char c : name) {
    h = (h << 4) + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    const std::uint32_t g = h & 0xf0000000u;
    if (g != 0) h = h ^ (g >> 24) ^ g;
  }
  return h;
}

/// A chained hash table of variables keyed by name. A new entry goes to the
/// head of its chain; iteration runs bucket by bucket, each chain from its
/// head. That order is what listings of a table print, so keep it. A table
/// of many entries also keeps a VariableIndex for its lookups, and every
/// table carries a version that changes whenever its set of entries does
/// (see NameCache).
class SymbolTable {
 public:
  explicit SymbolTable(unsigned buckets);
  ~SymbolTable();
  SymbolTable(const SymbolTable&) = delete;
  SymbolTable& operator=(const SymbolTable&) = delete;

  unsigned bucketCount() const { return static_cast<unsigned>(buckets_.size()); }
  unsigned count() const { return count_; }

  Variable* find(std::string_view name) const { return find(name, hashName(name)); }
  /// find() with the name's hash already known.
  Variable* find(std::string_view name, std::uint32_t hash) const {
    return index_.empty() ? findInChain(name, hash) : index_.find(name, hash);
  }
  /// Adds `variable` at the head of its chain, unless an entry of that name is
  /// present; returns the entry that is in the table afterwards.
  Variable* insert(Rc<Variable> variable);
  /// insert() of a variable whose name is known to be absent, `hash` being
  /// the hash of its name.
  Variable* insertAbsent(Rc<Variable> variable, std::uint32_t hash);
  /// Creates an undefined, untyped variable of that name (or finds it).
  Variable* findOrCreate(std::string_view name);
  /// Takes the entry of that name out of the table; empty when absent.
  Rc<Variable> remove(std::string_view name);
  /// Releases every entry (as the destructor does), leaving an empty table
  /// with a new version: a frame's table is reused by the next call.
  void clear();

  /// Unique among all tables ever made; changes on every insertion, removal
  /// and clear. A lookup result remembered with it is valid while it holds.
  std::uint64_t version() const { return version_; }

  /// Calls f(Variable&) for each entry in table order.
  template <class F>
  void forEach(F&& f) const {
    for (const Rc<Variable>& head : buckets_)
      for (Variable* v = head.get(); v != nullptr; v = v->chainNext.get()) f(*v);
  }

  /// A deep copy whose top-level entries get `parent` as parent. Entries are
  /// inserted in table order, so each chain of the copy is reversed.
  std::unique_ptr<SymbolTable> deepCopy(Variable* parent) const;

 private:
  void renew();
  Variable* findInChain(std::string_view name, std::uint32_t hash) const;

  std::vector<Rc<Variable>> buckets_;
  unsigned count_ = 0;
  std::uint64_t version_ = 0;
  /// Buckets that got an entry since the last clear, for tables of at most
  /// kTrackedBuckets buckets: clearing a frame's table of 101 buckets then
  /// visits only the few it used.
  static constexpr unsigned kTrackedBuckets = 128;
  std::uint64_t occupied_[2] = {0, 0};
  VariableIndex index_;  // built once the chains grow long
};

/// A deep copy of `source`'s value into `target` (text shared, arrays copied
/// with every element, their parents set to `target`).
void copyValueInto(const Variable& source, Variable& target);

}  // namespace varda::cmdlang
