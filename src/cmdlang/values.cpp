#include "cmdlang/values.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "cmdlang/engine.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/scope.h"

namespace varda::cmdlang {
namespace {

const Variable* topAncestor(const Variable* v) {
  while (v->parent != nullptr) v = v->parent;
  return v;
}

std::string quoted(const std::string& name) {
  std::string q(1, '"');
  q += name;
  q += '"';
  return q;
}

/// The key text of a subscript or member.
Text keyText(Interp& in, const Value& key) {
  switch (key.type()) {
    case Type::Int: return Text(decimal(key.asInt()));
    case Type::Text: return key.asText();
    case Type::Ref: return keyText(in, readvalue(in, key.variable()));
    case Type::Array: in.raiseerror(kArraySubscript, quoted(fullname(*key.variable())));
    default: in.raiseerror(kInternalError, "subscript is of unknown type");
  }
}

}  // namespace

ArgumentName argumentName(std::int32_t n) {
  // "$%d" written by hand: calls name their arguments on every call.
  ArgumentName name{};
  char digits[12];
  std::size_t count = 0;
  auto u = static_cast<std::uint32_t>(n);
  if (n < 0) u = 0u - u;
  do {
    digits[count++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  name.text[name.size++] = '$';
  if (n < 0) name.text[name.size++] = '-';
  while (count > 0) name.text[name.size++] = digits[--count];
  return name;
}

Variable* lookupvariable(Interp& in, std::string_view name) {
  if (Variable* v = findLocal(in, name)) return v;
  return in.globals.find(name);
}

Variable* makevariable(Interp& in, std::string_view name) {
  if (Variable* v = lookupvariable(in, name)) return v;
  return in.globals.insert(Variable::make(Text(name)));
}

Variable* resolveName(Interp& in, std::string_view name, NameSlot& slot) {
  // The lookup rule of makevariable: the local table, then the global one,
  // else a new global.
  Variable* v = nullptr;
  CallFrame* f = pendingFrame(in);
  if (f != nullptr && !name.empty() && name[0] == '$') {
    // The call's table is not made: only its "$" names are local, and those
    // are not cached (the next call has other ones).
    if ((v = pendingLocal(in, *f, name)) != nullptr) {
      slot.variable = nullptr;
      return v;
    }
    f = pendingFrame(in);  // the table may be made now
  }
  if (!slot.hashed) {
    slot.hash = hashName(name);
    slot.hashed = true;
  }
  if (f == nullptr && in.eng.scope.table != nullptr) {
    v = in.eng.scope.table->find(name, slot.hash);
  }
  const std::uint64_t local = localVersion(in);  // after pendingLocal, which may make the table
  if (v == nullptr) v = in.globals.find(name, slot.hash);
  if (v == nullptr) v = in.globals.insert(Variable::make(Text(name)));
  slot.variable = v;
  slot.localVersion = local;
  slot.globalVersion = in.globals.version();
  return v;
}

Variable* findLocal(Interp& in, std::string_view name) {
  if (CallFrame* f = pendingFrame(in)) {
    if (name.empty() || name[0] != '$') return nullptr;
    return pendingLocal(in, *f, name);
  }
  SymbolTable* table = in.eng.scope.table;
  return table != nullptr ? table->find(name) : nullptr;
}

Variable* makelocal(Interp& in, std::string_view name) {
  SymbolTable* table = localTable(in);
  return (table != nullptr ? *table : in.globals).findOrCreate(name);
}

Variable* findbypath(const SymbolTable& table, std::string_view path) {
  std::size_t i = path.find_first_of("[].");
  if (i == 0) return nullptr;
  Variable* v = table.find(path.substr(0, i));
  while (v != nullptr && i < path.size()) {
    std::string_view key;
    if (path[i] == '.') {
      const std::size_t end = path.find_first_of("[].", i + 1);
      key = path.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
      i = end == std::string_view::npos ? path.size() : end;
    } else if (path[i] == '[') {
      const std::size_t end = path.find(']', i + 1);
      if (end == std::string_view::npos) return nullptr;
      key = path.substr(i + 1, end - i - 1);
      if (key.size() >= 2 && key.front() == '"' && key.back() == '"') key = key.substr(1, key.size() - 2);
      i = end + 1;
    } else {
      return nullptr;  // a stray ']'
    }
    if (v->type != Type::Array || !v->array) return nullptr;
    v = v->array->find(key);
  }
  return v;
}

std::string fullname(const Variable& variable) {
  // Steps from the variable up to its top-level array, then written top down.
  std::vector<const Variable*> steps;
  const Variable* v = &variable;
  for (; v->parent != nullptr; v = v->parent) steps.push_back(v);
  std::string path = v->name.str();
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
    const bool member = (*it)->elementKind == ElementKind::Member;
    path += member ? '.' : '[';
    path += (*it)->name.view();
    if (!member) path += ']';
  }
  return path;
}

Value readvalueSlow(Interp& in, Variable* variable) {
  if (!variable->defined) {
    const std::string name = fullname(*variable);
    if (in.globals.find(variable->key()) == variable) in.globals.remove(variable->key());
    in.raiseerror(kUninitialised, quoted(name));
  }
  switch (variable->type) {
    case Type::Text: return Value::text(variable->textValue);
    case Type::Array: return Value::array(variable);
    default: return Value::integer(variable->intValue);
  }
}

void assign(Interp& in, Variable* target, const Value& source) {
  Value value = source;
  if (source.type() == Type::Ref) {
    const Variable* s = source.variable();
    if (target->type == Type::Array && s->type == Type::Array && target->array != s->array &&
        topAncestor(target) == topAncestor(s))
      in.raiseerror(kParentChildAssign);
    value = readvalue(in, source.variable());
  }
  // Error 21 needs differing types and an array on one side, where the source
  // counts as an array only when it was pushed as one: a variable reference is
  // not an array. So 'a = [1]; a[0] = a' stores a copy of a in the integer
  // element a[0], while 'a = [1]; a = 5' and 'a = x' (x an integer) fail.
  if (target->defined && target->type != value.type() &&
      (target->type == Type::Array || source.type() == Type::Array))
    in.raiseerror(kIllegalTypes, std::string(typeName(target->type)) + " = " + typeName(value.type()));
  switch (value.type()) {
    case Type::Text:
      // An equal text already held stays (compared in place, no reference taken).
      if (!(target->type == Type::Text && target->defined && target->textValue.view() == value.textView()))
        target->setText(value.asText());
      break;
    case Type::Array: {
      const Variable* s = value.variable();
      if (target->type != Type::Array || target->array != s->array) {
        // Copy first: the source may be an ancestor of the target.
        std::unique_ptr<SymbolTable> copy = s->array->deepCopy(target);
        target->setArray(std::move(copy));
      }
      break;
    }
    default: target->setInt(value.asInt()); break;
  }
  target->defined = true;
}

Variable* element(Interp& in, Variable* variable, const Value& key, ElementKind kind) {
  const Value read = key.type() == Type::Ref ? readvalue(in, key.variable()) : Value();
  const Value& k = key.type() == Type::Ref ? read : key;
  if (k.isInt()) return numberedElement(in, variable, k.asInt(), kind);
  Text held = keyText(in, k);
  const std::string_view name = held.view();
  if (name.empty()) in.raiseerror(kBadElementName, "empty string");
  SymbolTable& table = arrayToSubscript(in, variable);
  const std::uint32_t hash = hashName(name);
  Variable* e = table.find(name, hash);
  if (e == nullptr) e = table.insertAbsent(Variable::make(std::move(held)), hash);
  e->parent = variable;
  e->elementKind = kind;
  return e;
}

SymbolTable& arrayToSubscript(Interp& in, Variable* variable) {
  if (variable->defined ? variable->type != Type::Array : variable->type != Type::None)
    in.raiseerror(kScalarSubscript, quoted(variable->name.str()));
  if (!variable->defined) {
    variable->setArray(std::make_unique<SymbolTable>(kArrayBuckets));
    variable->defined = true;
  }
  return *variable->array;
}

Variable* numberedElementSlow(Interp& in, Variable* variable, std::int32_t key, ElementKind kind) {
  // The key is written into a buffer: its name is held in the element
  // itself (a number's decimal is short).
  SymbolTable& table = arrayToSubscript(in, variable);
  Variable* e = table.findNumber(key);
  if (e == nullptr) {
    char digits[12];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, key);
    const std::string_view name(digits, static_cast<std::size_t>(end.ptr - digits));
    e = table.insertAbsent(Variable::make(name), hashName(name));
  }
  e->parent = variable;
  e->elementKind = kind;
  return e;
}

bool arraysEqual(Interp& in, const SymbolTable& a, const SymbolTable& b) {
  // Nested arrays are compared from a work list, not by recursion: any depth
  // compares within a fixed C++ stack.
  std::vector<std::pair<const SymbolTable*, const SymbolTable*>> work{{&a, &b}};
  bool equal = true;
  while (equal && !work.empty()) {
    const SymbolTable* left = work.back().first;
    const SymbolTable* right = work.back().second;
    work.pop_back();
    if (left->count() != right->count()) return false;
    left->forEach([&](const Variable& x) {
      if (!equal) return;
      const Variable* y = right->find(x.key());
      if (y == nullptr || y->type != x.type) {
        equal = false;
        return;
      }
      switch (x.type) {
        case Type::Int: equal = x.intValue == y->intValue; break;
        case Type::Text: equal = x.textValue == y->textValue; break;
        case Type::Array: work.emplace_back(x.array.get(), y->array.get()); break;
        default: in.raiseerror(kInternalError, "illegal array element type");
      }
    });
  }
  return equal;
}

}  // namespace varda::cmdlang
