#include "cmdlang/symbol_table.h"

#include <bit>
#include <new>
#include <vector>

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
  index_.clear();
  renew();
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
  if (!index_.empty()) {
    index_.add(head.get());
  } else if (count_ > kIndexedChainLength * bucketCount()) {
    forEach([&](Variable& v) { index_.add(&v); });
  }
  return head.get();
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
      index_.erase(found.get());
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

/// Variables are carved from slabs of this many: a large array is made of
/// hundreds of thousands, and a slab costs one allocation and no per-block
/// overhead. Slabs are kept for the life of the program, as the free list
/// always kept every block.
constexpr std::size_t kSlabVariables = 64;

void addSlab() {
  auto* slab = static_cast<unsigned char*>(::operator new(kSlabVariables * sizeof(Variable)));
  // Threaded so that the slab is handed out from its start.
  for (std::size_t i = kSlabVariables; i-- > 0;)
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
