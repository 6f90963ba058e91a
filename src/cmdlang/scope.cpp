#include "cmdlang/scope.h"

#include "cmdlang/values.h"

namespace varda::cmdlang {
namespace {

/// Most emptied local tables kept for reuse (a deeper recursion allocates).
constexpr std::size_t kSpareTables = 64;

const Text kCountName("$#");

/// Makes frame `index`'s local table: its arguments, then (once the call
/// runs) "$#" and "$", inserted in that order as a table filled at the call
/// would have them.
SymbolTable* makeTable(Interp& in, std::size_t index) {
  CallFrame& f = in.eng.frames[index];
  if (f.locals) return f.locals.get();
  f.locals = takeTable(in);
  SymbolTable& table = *f.locals;
  for (int n = 1; n <= f.argc; ++n) {
    Variable* a = argumentVariable(in, f, n);
    table.insertAbsent(Rc<Variable>(a), hashName(a->key()));
  }
  if (f.called) {
    Variable* count = table.insert(Variable::make(kCountName));
    count->setInt(f.argc);
    count->defined = true;
    pendingResult(in, f);
    table.insert(std::move(f.result));
  }
  if (in.eng.scope.lazyFrame == index + 1) in.eng.scope = Scope{f.locals.get(), 0};
  return f.locals.get();
}

}  // namespace

Variable* argumentVariable(Interp& in, const CallFrame& frame, int n) {
  Value& held = heldValue(in, frame, n);
  if (held.type() == Type::Ref) return held.variable();
  Rc<Variable> v = Variable::make(VariableName(argumentName(n).view()));
  if (held.isInt())
    v->setInt(held.asInt());
  else
    v->setText(held.asText());
  v->defined = true;
  held = Value::ref(v.get());
  return v.get();
}

bool argumentValue(Interp& in, std::int32_t n, Value& value) {
  if (const CallFrame* f = pendingFrame(in)) {
    if (n < 1 || n > f->argc) return false;
    const Value& held = heldValue(in, *f, n);
    value = held.type() == Type::Ref ? readvalue(in, held.variable()) : held;
    return true;
  }
  Variable* a = callArgument(in, n);
  if (a == nullptr) return false;
  value = readvalue(in, a);
  return true;
}

SymbolTable* localTable(Interp& in) {
  const Scope& s = in.eng.scope;
  if (s.lazyFrame != 0) return makeTable(in, s.lazyFrame - 1);
  return s.table;
}

SymbolTable* scopeTable(Interp& in, const Scope& scope) {
  if (scope.lazyFrame != 0) return makeTable(in, scope.lazyFrame - 1);
  return scope.table;
}

void setScope(Interp& in, Scope scope) {
  if (scope.lazyFrame != 0) {
    const std::size_t index = scope.lazyFrame - 1;
    if (index < in.eng.frames.size() && in.eng.frames[index].locals)
      scope = Scope{in.eng.frames[index].locals.get(), 0};
  }
  in.eng.scope = scope;
}

std::unique_ptr<SymbolTable> takeTable(Interp& in) {
  std::vector<std::unique_ptr<SymbolTable>>& spare = in.eng.spareTables;
  if (spare.empty()) return std::make_unique<SymbolTable>(kScopeBuckets);
  std::unique_ptr<SymbolTable> table = std::move(spare.back());
  spare.pop_back();
  return table;
}

void giveBackTable(Interp& in, std::unique_ptr<SymbolTable> table) {
  std::vector<std::unique_ptr<SymbolTable>>& spare = in.eng.spareTables;
  if (table && spare.size() < kSpareTables) {
    table->clear();
    spare.push_back(std::move(table));
  }
}

Variable* pendingLocal(Interp& in, CallFrame& frame, std::string_view name) {
  if (name.size() == 1 && name[0] == '$' && frame.called) return pendingResult(in, frame);
  return localTable(in)->find(name);
}

Variable* callArgument(Interp& in, std::int32_t n) {
  if (CallFrame* f = pendingFrame(in)) {
    if (n < 1 || n > f->argc) return nullptr;
    return argumentVariable(in, *f, n);
  }
  const SymbolTable* table = in.eng.scope.table;
  return table != nullptr ? table->find(argumentName(n).view()) : nullptr;
}

std::int32_t callArgumentCount(Interp& in) {
  if (const CallFrame* f = pendingFrame(in)) return f->called ? f->argc : 0;
  const SymbolTable* table = in.eng.scope.table;
  const Variable* c = table != nullptr ? table->find("$#") : nullptr;
  return c != nullptr && c->defined && c->type == Type::Int ? c->intValue : 0;
}

Variable* callResult(Interp& in) {
  if (CallFrame* f = pendingFrame(in)) return pendingLocal(in, *f, "$");
  SymbolTable* table = in.eng.scope.table;
  return table != nullptr ? table->findOrCreate("$") : nullptr;
}

}  // namespace varda::cmdlang
