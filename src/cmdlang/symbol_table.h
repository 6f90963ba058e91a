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

/// The number a name stands for when it is the canonical decimal of a
/// number from 0 to 999,999,999 ("0", "17"; not "017", "-1" or "+1"), else -1.
inline std::int32_t denseNumber(std::string_view name) {
  if (name.empty() || name.size() > 9 || (name[0] == '0' && name.size() > 1)) return -1;
  std::int32_t n = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

/// A chained hash table of variables keyed by name. A new entry goes to the
/// head of its chain; iteration runs bucket by bucket, each chain from its
/// head. That order is what listings of a table print, so keep it. Lookups
/// of entries named by the numbers 0, 1, 2, ... (an array filled by a loop)
/// go through a vector by number; a table of many entries also keeps a
/// VariableIndex for the lookups of its other entries. Every table carries a
/// version that changes whenever its set of entries does (see NameCache).
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
    // Short chains hold every entry; the index only those not numbered.
    if (!indexed_) return findInChain(name, hash);
    if (denseSize_ != 0 && !name.empty() && name[0] >= '0' && name[0] <= '9')
      if (const std::int32_t n = denseNumber(name); n >= 0 && static_cast<std::uint32_t>(n) < denseSize_)
        return dense_[n];
    return index_.find(name, hash);
  }
  /// find() of the entry named by the decimal of `n`.
  Variable* findNumber(std::int32_t n) const {
    if (static_cast<std::uint32_t>(n) < denseSize_) return dense_[n];
    return findNumberSlow(n);
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
  Variable* findNumberSlow(std::int32_t n) const;
  /// Whether `v` (an entry) is held by the vector of numbered entries.
  bool isDense(const Variable* v) const;
  /// Takes a new entry named by number `n` into the vector when its
  /// number is within it or close past its end; false when it is not taken.
  bool addDense(Variable* v, std::int32_t n);
  void releaseDense();

  std::vector<Rc<Variable>> buckets_;
  unsigned count_ = 0;
  std::uint64_t version_ = 0;
  /// Buckets that got an entry since the last clear, for tables of at most
  /// kTrackedBuckets buckets: clearing a frame's table of 101 buckets then
  /// visits only the few it used.
  static constexpr unsigned kTrackedBuckets = 128;
  std::uint64_t occupied_[2] = {0, 0};
  /// Entries named by numbers below denseSize_, by number (none where the
  /// table has no entry of that number). Other numbered entries (negative,
  /// or added far past the end) are looked up as any name.
  Variable** dense_ = nullptr;
  std::uint32_t denseSize_ = 0;
  std::uint32_t denseCapacity_ = 0;
  /// Entries named by a number at or past denseSize_.
  std::uint32_t looseNumbers_ = 0;
  bool indexed_ = false;  // past kIndexedChainLength entries per bucket
  VariableIndex index_;   // the entries not in dense_, once indexed_
};

/// A deep copy of `source`'s value into `target` (text shared, arrays copied
/// with every element, their parents set to `target`).
void copyValueInto(const Variable& source, Variable& target);

}  // namespace varda::cmdlang
