#include "cmdlang/arguments.h"

#include <vector>

#include "cmdlang/engine.h"
#include "cmdlang/interp.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/scope.h"
#include "cmdlang/values.h"

namespace varda::cmdlang {
namespace {

/// The local "$i" of the running call, or none.
Variable* argumentVariable(Interp& in, int i) {
  if (i < 1) return nullptr;
  Variable* v = callArgument(in, i);
  return v != nullptr && v->defined ? v : nullptr;
}

Variable* requireArgument(Interp& in, int i) {
  Variable* v = argumentVariable(in, i);
  if (v == nullptr) in.raiseerror(kArgumentsNeeded);
  return v;
}

/// The result "$" of the running call.
Variable* resultVariable(Interp& in) {
  Variable* result = callResult(in);
  if (result == nullptr) in.raiseerror(kInternalError, "not in a command");
  return result;
}

/// Argument i as an option candidate, without converting it: an integer is
/// never an option name (names start with a letter), an array never is.
std::string_view optionView(Interp& in, int i) {
  const Variable* v = argumentVariable(in, i);
  return v != nullptr && v->type == Type::Text ? v->textValue.view() : std::string_view();
}

/// True when argument i is an integer or a text that reads as one.
bool convertsToInt(Interp& in, int i) {
  const Variable* v = argumentVariable(in, i);
  if (v == nullptr) return false;
  if (v->type == Type::Int) return true;
  return v->type == Type::Text && parsenumber(v->textValue.view(), true).has_value();
}

bool isIntegerKind(ArgKind kind) { return kind == ArgKind::Integer || kind == ArgKind::Integer2; }

std::string joined(Interp& in, const std::vector<int>& args, std::size_t from) {
  std::string text;
  for (std::size_t k = from; k < args.size(); ++k) {
    if (k > from) text += ' ';
    text += in.argumentstring(args[k]);
  }
  return text;
}

/// Stores argument i (or, for kind 4, everything from position k on) into
/// the destination of an item.
void fill(Interp& in, ArgKind kind, const ArgItem& to, const std::vector<int>& args, std::size_t k) {
  switch (kind) {
    case ArgKind::Integer:
    case ArgKind::Integer2:
      if (to.number != nullptr) *to.number = in.argumentint(args[k]);
      break;
    case ArgKind::Text:
      if (to.text != nullptr) *to.text = in.argumentstring(args[k]);
      break;
    case ArgKind::Rest:
      if (to.text != nullptr) *to.text = joined(in, args, k);
      break;
    case ArgKind::Flag: break;
  }
}

const ArgOption* optionNamed(std::span<const ArgOption> options, std::string_view arg, bool rest) {
  if (arg.size() < 2 || arg[0] != '-') return nullptr;
  for (const ArgOption& o : options)
    if ((o.kind == ArgKind::Rest) == rest && arg.substr(1) == o.name) return &o;
  return nullptr;
}

void taken(Interp& in, const ArgOption& option) {
  if (option.flag != nullptr) *option.flag = 1;
  if (option.callback != nullptr) option.callback(in, option);
}

/// Takes the options out of `args`: first a kind-4 option with everything
/// after it, then the others, each with its value when it has one.
void takeOptions(Interp& in, std::span<const ArgOption> options, std::vector<int>& args) {
  for (const ArgOption& o : options)
    if (o.flag != nullptr) *o.flag = 0;
  for (std::size_t k = 0; k < args.size(); ++k) {
    if (const ArgOption* o = optionNamed(options, optionView(in, args[k]), true)) {
      fill(in, ArgKind::Rest, o->value, args, k + 1);
      args.resize(k);
      taken(in, *o);
      break;
    }
  }
  for (std::size_t k = 0; k < args.size();) {
    const ArgOption* o = optionNamed(options, optionView(in, args[k]), false);
    if (o == nullptr) {
      ++k;
      continue;
    }
    std::size_t used = 1;
    if (o->kind != ArgKind::Flag) {
      if (k + 1 >= args.size()) in.raiseerror(kArgumentsNeeded);
      if (isIntegerKind(o->kind) && !convertsToInt(in, args[k + 1])) in.raiseerror(kInvalidNumber);
      fill(in, o->kind, o->value, args, k + 1);
      used = 2;
    }
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(k),
               args.begin() + static_cast<std::ptrdiff_t>(k + used));
    taken(in, *o);
  }
}

/// A form fits when it has one item per remaining argument and each item
/// converts. A form ending in a kind-4 item also fits more arguments: that
/// item takes at least one and joins the rest (a reading of "all remaining
/// arguments" that keeps the count rule for every other form).
bool fits(Interp& in, ArgForm form, const std::vector<int>& args) {
  const bool rest = !form.empty() && form.back().kind == ArgKind::Rest;
  if (rest ? args.size() < form.size() : args.size() != form.size()) return false;
  for (std::size_t k = 0; k < form.size(); ++k) {
    if (isIntegerKind(form[k].kind) && !convertsToInt(in, args[k])) return false;
    if (form[k].kind == ArgKind::Text && argumentVariable(in, args[k])->type == Type::Array) return false;
  }
  return true;
}

}  // namespace

int Interp::argumentcount() { return callArgumentCount(*this); }

std::string Interp::argumentstring(int i) {
  Variable* v = requireArgument(*this, i);
  if (v->type == Type::Int) v->setText(Text(decimal(v->intValue)));  // converted once, and kept so
  // An array has no text: a command that wants text gets error 11.
  if (v->type != Type::Text) raiseerror(kBadArgument);
  return v->textValue.str();
}

std::int32_t Interp::argumentint(int i) {
  Variable* v = requireArgument(*this, i);
  if (v->type == Type::Text) {
    const std::optional<std::int32_t> n = parsenumber(v->textValue.view(), true);
    if (!n) raiseerror(kExpectedInteger);
    v->setInt(*n);  // converted once, and kept so
  }
  if (v->type != Type::Int) raiseerror(kExpectedInteger);
  return v->intValue;
}

Value Interp::argumentvalue(int i) {
  // An argument held as a value is read without making its variable.
  if (const CallFrame* f = pendingFrame(*this); f != nullptr && i >= 1 && i <= f->argc) {
    const Value& held = heldValue(*this, *f, i);
    if (held.type() != Type::Ref) return held;
  }
  return readvalue(*this, requireArgument(*this, i));
}

void Interp::setresultint(std::int32_t value) { assign(*this, resultVariable(*this), Value::integer(value)); }

void Interp::setresultstring(std::string_view text) {
  assign(*this, resultVariable(*this), Value::text(Text(text)));
}

void Interp::setresult(Value value) { assign(*this, resultVariable(*this), value); }

int matcharguments(Interp& in, std::span<const ArgForm> forms, std::span<const ArgOption> options) {
  std::vector<int> args;
  for (int i = 1, n = in.argumentcount(); i <= n; ++i) args.push_back(i);
  takeOptions(in, options, args);
  for (std::size_t f = 0; f < forms.size(); ++f) {
    if (!fits(in, forms[f], args)) continue;
    for (std::size_t k = 0; k < forms[f].size(); ++k) fill(in, forms[f][k].kind, forms[f][k], args, k);
    return static_cast<int>(f);
  }
  in.raiseerror(kInvalidCommand, "incorrect number of arguments");
}

// Options of matcharguments carry no callback; one matcher serves both.
int matchoptions(Interp& in, std::span<const ArgForm> forms, std::span<const ArgOption> options) {
  return matcharguments(in, forms, options);
}

}  // namespace varda::cmdlang
