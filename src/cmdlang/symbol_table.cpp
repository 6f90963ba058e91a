#include "cmdlang/symbol_table.h"

#include <bit>
#include <charconv>
#include <cstdlib>
#include <new>
#include <vector>

#include "support/platform.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

/// The text or integer (or the reserved type) of `source` into `target`.
void copyScalarInto(const Variable& source, Variable& target) {
  if (source.type == Type::Text) {
    target.setText(source.textValue);
  } else {
    target.setInt(source.intValue);
    target.type = source.type;
  }
}

// While a variable's array is being destroyed: the arrays of the variables
// destroyed with it, waiting their turn (see Variable::destroy).
std::vector<std::unique_ptr<SymbolTable>>* orphanTables = nullptr;

/// Average chain length past which a table builds its index.
constexpr unsigned kIndexedChainLength = 2;

/// How far past the end of the numbered entries a new number may lie and
/// still be taken into their vector (an array filled from 1, or every other
/// number); the numbers skipped stay empty slots.
constexpr std::uint32_t kDenseGap = 16;

std::uint64_t nextVersion() {
  // 0 and 1 never name a table: a name cache uses them for "no local table"
  // and "a call whose table is not made".
  static std::uint64_t counter = 1;
  return ++counter;
}

}  // namespace

SymbolTable::SymbolTable(unsigned buckets) : buckets_(buckets), version_(nextVersion()) {}

SymbolTable::~SymbolTable() { clear(); }

void SymbolTable::clear() {
  // Entries that outlive the table (held by an operand stack) lose their
  // parent. The walk stops after the last entry: a frame's table holds a few
  // entries in 101 buckets.
  auto release = [](Rc<Variable>& head) {
    Rc<Variable> v = std::move(head);
    while (v) {
      Rc<Variable> next = std::move(v->chainNext);
      v->parent = nullptr;
      v = std::move(next);
    }
  };
  if (bucketCount() <= kTrackedBuckets) {
    // Only the buckets that ever held an entry since the last clear.
    for (unsigned word = 0; word < 2; ++word)
      for (std::uint64_t bits = occupied_[word]; bits != 0; bits &= bits - 1)
        release(buckets_[word * 64 + static_cast<unsigned>(std::countr_zero(bits))]);
    occupied_[0] = occupied_[1] = 0;
  } else {
    for (Rc<Variable>& head : buckets_) release(head);
  }
  count_ = 0;
  if (dense_ != nullptr || looseNumbers_ != 0) releaseDense();
  indexed_ = false;
  index_.clear();
  renew();
}

void SymbolTable::releaseDense() {
  if (dense_ != nullptr) support::freeBlock(dense_, denseCapacity_ * sizeof(Variable*));
  dense_ = nullptr;
  denseSize_ = denseCapacity_ = 0;
  looseNumbers_ = 0;
}

bool SymbolTable::isDense(const Variable* v) const {
  const std::int32_t n = denseNumber(v->key());
  return n >= 0 && static_cast<std::uint32_t>(n) < denseSize_ && dense_[n] == v;
}

bool SymbolTable::addDense(Variable* v, std::int32_t n) {
  const auto k = static_cast<std::uint32_t>(n);
  if (k < denseSize_) {
    dense_[k] = v;
    return true;
  }
  if (k - denseSize_ > kDenseGap) return false;
  if (k >= denseCapacity_) {
    std::uint32_t capacity = denseCapacity_ == 0 ? 64 : denseCapacity_ * 2;
    while (capacity <= k) capacity *= 2;
    void* block =
        support::resizeBlock(dense_, denseCapacity_ * sizeof(Variable*), capacity * sizeof(Variable*));
    if (block == nullptr) support::outOfMemory();
    dense_ = static_cast<Variable**>(block);
    denseCapacity_ = capacity;
  }
  const std::uint32_t first = denseSize_;
  for (std::uint32_t i = first; i < k; ++i) dense_[i] = nullptr;
  dense_[k] = v;
  denseSize_ = k + 1;
  // Entries of the numbers skipped over that were added when they lay too
  // far past the end move into the vector.
  for (std::uint32_t i = first; i < k && looseNumbers_ != 0; ++i) {
    char digits[12];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, i);
    const std::string_view name(digits, static_cast<std::size_t>(end.ptr - digits));
    const std::uint32_t hash = hashName(name);
    Variable* e = indexed_ ? index_.find(name, hash) : findInChain(name, hash);
    if (e == nullptr) continue;
    dense_[i] = e;
    --looseNumbers_;
    if (indexed_) index_.erase(e);
  }
  return true;
}

Variable* SymbolTable::findNumberSlow(std::int32_t n) const {
  // A number past the vector is in the table only as a loose one.
  if (n >= 0 && looseNumbers_ == 0) return nullptr;
  char digits[12];
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, n);
  const std::string_view name(digits, static_cast<std::size_t>(end.ptr - digits));
  const std::uint32_t hash = hashName(name);
  return indexed_ ? index_.find(name, hash) : findInChain(name, hash);
}

void SymbolTable::renew() { version_ = nextVersion(); }

Variable* SymbolTable::findInChain(std::string_view name, std::uint32_t hash) const {
  for (Variable* v = buckets_[hash % buckets_.size()].get(); v != nullptr; v = v->chainNext.get())
    if (v->hash == hash && v->key() == name) return v;
  return nullptr;
}

Variable* SymbolTable::insert(Rc<Variable> variable) {
  const std::uint32_t hash = hashName(variable->key());
  if (Variable* present = find(variable->key(), hash)) return present;
  return insertAbsent(std::move(variable), hash);
}

Variable* SymbolTable::insertAbsent(Rc<Variable> variable, std::uint32_t hash) {
  variable->hash = hash;
  const unsigned bucket = hash % bucketCount();
  if (bucket < kTrackedBuckets) occupied_[bucket / 64] |= std::uint64_t{1} << (bucket % 64);
  Rc<Variable>& head = buckets_[bucket];
  variable->chainNext = std::move(head);
  head = std::move(variable);
  ++count_;
  renew();
  Variable* added = head.get();
  bool dense = false;
  if (const std::string_view key = added->key(); !key.empty() && key[0] >= '0' && key[0] <= '9') {
    if (const std::int32_t n = denseNumber(key); n >= 0) {
      dense = addDense(added, n);
      if (!dense) ++looseNumbers_;
    }
  }
  if (indexed_) {
    if (!dense) index_.add(added);
  } else if (count_ > kIndexedChainLength * bucketCount()) {
    indexed_ = true;
    forEach([&](Variable& v) {
      if (!isDense(&v)) index_.add(&v);
    });
  }
  return added;
}

Variable* SymbolTable::findOrCreate(std::string_view name) {
  if (Variable* v = find(name)) return v;
  return insert(Variable::make(Text(name)));
}

Rc<Variable> SymbolTable::remove(std::string_view name) {
  const std::uint32_t hash = hashName(name);
  Rc<Variable>* link = &buckets_[hash % buckets_.size()];
  while (*link) {
    if ((*link)->hash == hash && (*link)->key() == name) {
      Rc<Variable> found = std::move(*link);
      *link = std::move(found->chainNext);
      --count_;
      if (const std::int32_t n = denseNumber(found->key());
          n >= 0 && static_cast<std::uint32_t>(n) < denseSize_) {
        dense_[n] = nullptr;
      } else {
        if (n >= 0) --looseNumbers_;
        if (indexed_) index_.erase(found.get());
      }
      renew();
      return found;
    }
    link = &(*link)->chainNext;
  }
  return {};
}

std::unique_ptr<SymbolTable> SymbolTable::deepCopy(Variable* parent) const {
  // Nested arrays are copied level by level from a work list, not by
  // recursion, so that an array nested a million deep copies within a fixed
  // C++ stack. Each table is still filled in one pass in table order.
  struct Pending {
    const SymbolTable* from;
    SymbolTable* to;
    Variable* owner;  // the parent of the entries of `to`
  };
  auto copy = std::make_unique<SymbolTable>(bucketCount());
  std::vector<Pending> work{{this, copy.get(), parent}};
  while (!work.empty()) {
    const Pending p = work.back();
    work.pop_back();
    p.from->forEach([&](const Variable& element) {
      Rc<Variable> v = Variable::make(element.name);
      v->elementKind = element.elementKind;
      v->parent = p.owner;
      v->defined = element.defined;
      if (element.type == Type::Array) {
        v->setArray(std::make_unique<SymbolTable>(element.array->bucketCount()));
        work.push_back({element.array.get(), v->array.get(), v.get()});
      } else {
        copyScalarInto(element, *v);
      }
      p.to->insertAbsent(std::move(v), element.hash);  // the names of a table differ
    });
  }
  return copy;
}

void copyValueInto(const Variable& source, Variable& target) {
  target.defined = source.defined;
  if (source.type == Type::Array)
    target.setArray(source.array->deepCopy(&target));
  else
    copyScalarInto(source, target);
}

namespace {

/// Blocks of variables that were destroyed, kept for the next ones: every call
/// makes and drops a few locals, and a list beats the general allocator. A
/// free block holds the link to the next one.
struct FreeVariable {
  FreeVariable* next;
};
FreeVariable* freeVariables = nullptr;

// Under AddressSanitizer every variable goes back to the allocator, so that a
// use after release is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kReuseVariables = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kReuseVariables = false;
#else
constexpr bool kReuseVariables = true;
#endif
#else
constexpr bool kReuseVariables = true;
#endif

static_assert(sizeof(Variable) >= sizeof(FreeVariable));
static_assert(sizeof(Variable) % alignof(Variable) == 0);

/// Variables are carved from slabs: a large array is made of hundreds of
/// thousands, and a slab costs one allocation and no per-block overhead.
/// The first slab holds 64; each next one is twice the size of the one
/// before, up to 2 MiB, and those are aligned to their size and asked to be
/// backed by large pages, so that a large array takes one page fault per
/// 2 MiB of its elements instead of one per 4 KiB. Slabs are kept for the
/// life of the program, as the free list always kept every block.
constexpr std::size_t kFirstSlab = 64 * sizeof(Variable);
constexpr std::size_t kLargestSlab = support::kPoolPage;
std::size_t nextSlab = kFirstSlab;

void addSlab() {
  const std::size_t bytes = nextSlab;
  nextSlab = bytes * 2 < kLargestSlab ? bytes * 2 : kLargestSlab;
  auto* slab = static_cast<unsigned char*>(support::newPoolBlock(bytes));
  // Threaded so that the slab is handed out from its start.
  for (std::size_t i = bytes / sizeof(Variable); i-- > 0;)
    freeVariables = ::new (static_cast<void*>(slab + i * sizeof(Variable))) FreeVariable{freeVariables};
}

}  // namespace

Rc<Variable> Variable::make(VariableName name) {
  // The only allocation of a variable: Rc owns it from here on and destroy()
  // gives it back.
  void* block = nullptr;
  if (kReuseVariables) {
    if (freeVariables == nullptr) addSlab();
    block = freeVariables;
    freeVariables = freeVariables->next;
  } else {
    block = ::operator new(sizeof(Variable));
  }
  Rc<Variable> v(::new (block) Variable);
  v->name = std::move(name);
  return v;
}

void Variable::destroy(Variable* variable) {
  // A nested array goes level by level, not by recursion (variable, its
  // table, the table's variables, their tables, ...), so that an array nested
  // a million deep is destroyed within a fixed C++ stack: the outermost
  // destroy keeps a list of tables, and a variable destroyed while it runs
  // only adds its array to the list.
  std::unique_ptr<SymbolTable> table = std::move(variable->array);
  variable->~Variable();
  if (kReuseVariables)
    freeVariables = ::new (static_cast<void*>(variable)) FreeVariable{freeVariables};
  else
    ::operator delete(static_cast<void*>(variable));
  if (!table) return;
  if (orphanTables != nullptr) {
    orphanTables->push_back(std::move(table));
    return;
  }
  std::vector<std::unique_ptr<SymbolTable>> list;
  list.push_back(std::move(table));
  orphanTables = &list;
  while (!list.empty()) {
    std::unique_ptr<SymbolTable> next = std::move(list.back());
    list.pop_back();
    next.reset();  // its entries go, adding their arrays to the list
  }
  orphanTables = nullptr;
}

void Variable::setInt(std::int32_t n) {
  textValue = Text();
  array.reset();
  type = Type::Int;
  intValue = n;
}

void Variable::setText(Text t) {
  array.reset();
  type = Type::Text;
  textValue = std::move(t);
}

void Variable::setArray(std::unique_ptr<SymbolTable> table) {
  textValue = Text();
  type = Type::Array;
  array = std::move(table);
}

const char* typeName(Type type) {
  switch (type) {
    case Type::Int: return "(int)";
    case Type::Text: return "(string)";
    case Type::Array: return "(array)";
    default: return "(...)";
  }
}

}  // namespace varda::cmdlang
