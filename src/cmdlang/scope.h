#pragma once

#include <cstdint>
#include <string_view>

#include "cmdlang/interp.h"

namespace varda::cmdlang {

// Scopes: which local table names are looked up in first, made on demand.
//
// A call's local table is made only when something needs it (see CallFrame):
// until then the call's arguments, its "$#" and its result "$" are answered
// from the frame itself.

/// The version a name lookup is cached with (see NameSlot): the local
/// table's; 1 inside a call whose table is not made yet (it then holds only
/// names starting with "$", which are never cached); 0 at the outermost level.
inline constexpr std::uint64_t kPendingTableVersion = 1;
inline std::uint64_t localVersion(const Interp& in) {
  const Scope& s = in.eng.scope;
  if (s.table != nullptr) return s.table->version();
  return s.lazyFrame != 0 ? kPendingTableVersion : 0;
}

/// Whether names are looked up in a local scope first (inside a call or a
/// `when` body), i.e. not at the outermost level.
inline bool hasLocalScope(const Interp& in) {
  return in.eng.scope.table != nullptr || in.eng.scope.lazyFrame != 0;
}
/// The current call frame whose table is not made yet, or none.
inline CallFrame* pendingFrame(Interp& in) {
  const std::size_t k = in.eng.scope.lazyFrame;
  return k != 0 ? &in.eng.frames[k - 1] : nullptr;
}

/// The current local table, made now if it is pending; none at the
/// outermost level.
SymbolTable* localTable(Interp& in);
/// The table of a saved scope, made now if it is pending.
SymbolTable* scopeTable(Interp& in, const Scope& scope);
/// Makes `scope` current. A saved pending scope whose frame got its table in
/// the meantime becomes that table.
void setScope(Interp& in, Scope scope);
/// Makes `table` the current local table (a `when` record's).
inline void setScopeTable(Interp& in, SymbolTable* table) { in.eng.scope = Scope{table, 0}; }

/// A local table from the spare ones, or a new one; and back.
std::unique_ptr<SymbolTable> takeTable(Interp& in);
void giveBackTable(Interp& in, std::unique_ptr<SymbolTable> table);

/// The local of the current scope named `name` (starting with "$") while the
/// frame's table is pending: "$" is answered from the frame, any other such
/// name makes the table and is looked up there.
Variable* pendingLocal(Interp& in, CallFrame& frame, std::string_view name);

/// What `frame` holds for its argument n (1..argc): the value passed, or a
/// reference to the argument's variable once it has one.
inline Value& heldValue(Interp& in, const CallFrame& frame, int n) {
  return in.eng.args[frame.argBase + static_cast<std::size_t>(n - 1)];
}
/// The variable of argument n (1..argc) of `frame`, made from the value
/// held for it when it has none yet.
Variable* argumentVariable(Interp& in, const CallFrame& frame, int n);
/// The value of argument n of the current call ("$n") into `value`; false
/// when there is none (also outside calls).
bool argumentValue(Interp& in, std::int32_t n, Value& value);
/// argumentValue for a call whose table is not made, when reading the
/// argument cannot fail; false (nothing done) otherwise.
inline bool heldArgument(Interp& in, std::int32_t n, Value& value) {
  const CallFrame* f = pendingFrame(in);
  if (f == nullptr || n < 1 || n > f->argc) return false;
  const Value& held = heldValue(in, *f, n);
  if (held.type() != Type::Ref) {
    value = held;
    return true;
  }
  const Variable* v = held.variable();
  if (!v->defined || (v->type != Type::Int && v->type != Type::Text)) return false;
  value = v->type == Type::Int ? Value::integer(v->intValue) : Value::text(v->textValue);
  return true;
}

/// The result "$" of a call whose table is not made (made undefined on
/// first use, from an ended call's when there is one).
inline Variable* pendingResult(Interp& in, CallFrame& frame) {
  if (!frame.result) [[unlikely]]
    frame.result = in.eng.spareResult ? std::move(in.eng.spareResult) : Variable::make(std::string_view("$"));
  return frame.result.get();
}
/// Argument n of the current call ("$n"), or none (also outside calls).
Variable* callArgument(Interp& in, std::int32_t n);
/// The current call's "$#" as an integer (0 outside calls or when it is not one).
std::int32_t callArgumentCount(Interp& in);
/// The current call's result variable "$", created undefined when absent.
/// Outside calls: none.
Variable* callResult(Interp& in);

}  // namespace varda::cmdlang
