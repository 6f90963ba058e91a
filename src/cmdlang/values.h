#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cmdlang/interp.h"
#include "cmdlang/scope.h"

namespace varda::cmdlang {

// Variables and arrays: scopes, reading, assigning, subscripting, comparing.

/// The name of argument n of a call ("$1", "$2", ...), without allocating.
struct ArgumentName {
  char text[16];
  std::size_t size;
  std::string_view view() const { return {text, size}; }
};
ArgumentName argumentName(std::int32_t n);

/// The variable of this name in the current local scope, or none.
Variable* findLocal(Interp& in, std::string_view name);
/// The variable of this name in the current local scope, else in the global table.
Variable* lookupvariable(Interp& in, std::string_view name);
/// lookupvariable, or a new undefined global.
Variable* makevariable(Interp& in, std::string_view name);
/// makevariable for a name operand of compiled code, when its cache is stale.
Variable* resolveName(Interp& in, std::string_view name, NameSlot& slot);
/// makevariable for name operand `text` of `code`, through its cache (the
/// code's name slots are sized, see CodeObject::sizeNameSlots).
inline Variable* makevariable(Interp& in, const CodeObject& code, std::int32_t text) {
  NameSlot& slot = code.names[static_cast<std::size_t>(text)];
  if (slot.variable != nullptr && slot.localVersion == localVersion(in) &&
      slot.globalVersion == in.globals.version()) [[likely]]
    return slot.variable;
  return resolveName(in, code.texts[static_cast<std::size_t>(text)].view(), slot);
}
/// The variable of this name in the current local table, created there when absent.
Variable* makelocal(Interp& in, std::string_view name);
/// Resolves 'a[1].x' or 'a["k"]' in `table`; none when any step is missing.
Variable* findbypath(const SymbolTable& table, std::string_view path);
/// The printable path of a variable ('a[1].x').
std::string fullname(const Variable& variable);
/// The value of a defined variable; an undefined one raises error 16 (and is
/// removed from the global table when it is there).
Value readvalueSlow(Interp& in, Variable* variable);
inline Value readvalue(Interp& in, Variable* variable) {
  // Most reads are of defined integers.
  if (variable->defined && variable->type == Type::Int) return Value::integer(variable->intValue);
  return readvalueSlow(in, variable);
}
/// 'target = source' (source as pushed: a reference is read here).
void assign(Interp& in, Variable* target, const Value& source);
/// The element of `variable` named by `key` (subscript or member).
Variable* element(Interp& in, Variable* variable, const Value& key, ElementKind kind);
/// The table of the array `variable` for a subscript: an undefined untyped
/// variable becomes an empty array, a scalar raises the error of subscripting
/// a scalar.
SymbolTable& arrayToSubscript(Interp& in, Variable* variable);
/// element() of an integer key, new elements and errors included.
Variable* numberedElementSlow(Interp& in, Variable* variable, std::int32_t key, ElementKind kind);
inline Variable* numberedElement(Interp& in, Variable* variable, std::int32_t key, ElementKind kind) {
  // Most subscripts find an element of a defined array.
  if (variable->defined && variable->type == Type::Array) [[likely]]
    if (Variable* e = variable->array->findNumber(key)) {
      e->parent = variable;
      e->elementKind = kind;
      return e;
    }
  return numberedElementSlow(in, variable, key, kind);
}
/// Array equality.
bool arraysEqual(Interp& in, const SymbolTable& a, const SymbolTable& b);

}  // namespace varda::cmdlang
