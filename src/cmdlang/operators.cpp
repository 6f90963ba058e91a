#include "cmdlang/operators.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <string>

#include "cmdlang/engine.h"
#include "cmdlang/int_ops.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/scope.h"
#include "cmdlang/values.h"
#include "support/regex.h"

namespace varda::cmdlang {
namespace {

// Operator codes of compound assignments (the lexer's ASSIGNOP values).
constexpr int kPercent = '%';
constexpr int kStar = '*';
constexpr int kPlus = '+';
constexpr int kMinus = '-';
constexpr int kSlash = '/';
constexpr int kBar = 281;
constexpr int kCaret = 282;
constexpr int kAmp = 283;
constexpr int kShr = 290;
constexpr int kShl = 291;

/// Operator texts of type-mismatch details.
const char* opText(Op op) {
  switch (op) {
    case Op::Add: return " + ";
    case Op::Sub: return " - ";
    case Op::Mul: return " * ";
    case Op::Div: return " / ";
    case Op::Mod: return " % ";
    case Op::Eq: return " == ";
    case Op::Ne: return " != ";
    case Op::Gt: return " > ";
    case Op::Lt: return " < ";
    case Op::Ge: return " >= ";
    case Op::Le: return " <= ";
    case Op::AndAnd: return " && ";
    case Op::OrOr: return " || ";
    case Op::BitAnd: return " & ";
    case Op::BitOr: return " | ";
    case Op::BitXor: return " ^ ";
    case Op::Shl: return " << ";
    case Op::Shr: return " >> ";
    case Op::Not: return "!";
    case Op::Complement: return "~";
    case Op::Negate: return "-";
    case Op::Identity: return "+";
    case Op::PreInc:
    case Op::PostInc: return "++";
    case Op::PreDec:
    case Op::PostDec: return "--";
    default: return " = ";
  }
}

const char* compoundText(int code) {
  switch (code) {
    case kPlus: return " += ";
    case kMinus: return " -= ";
    case kStar: return " *= ";
    case kSlash: return " /= ";
    case kPercent: return " %= ";
    case kAmp: return " &= ";
    case kBar: return " |= ";
    case kCaret: return " ^= ";
    case kShl: return " <<= ";
    case kShr: return " >>= ";
    default: return " ?= ";
  }
}

[[noreturn]] void typeMismatch(Interp& in, const char* left, const char* op, const char* right) {
  in.raiseerror(kIllegalTypes, std::string(left) + op + right);
}

/// Pushes a new text made of `a` and `b`: pieces of texts (or bytes made
/// from them), which hold no NUL byte.
void pushText(Interp& in, std::string_view a, std::string_view b = {}) {
  ++in.eng.temporaries;
  pushstring(in, Text::concat(a, b));
}

/// Pushes `piece` of `whole`: `whole` itself, shared, when the piece is all
/// of it (texts are immutable), else a new text of its bytes.
void pushPiece(Interp& in, const Text& whole, std::string_view piece) {
  if (piece.size() == whole.size()) {
    ++in.eng.temporaries;
    return pushstring(in, whole);
  }
  pushText(in, piece);
}

// --- integers --------------------------------------------------------------------

std::int32_t wrap(std::uint32_t u) { return static_cast<std::int32_t>(u); }

/// An integer operator; false when `op` has none.
bool intOp(Interp& in, Op op, std::int32_t a, std::int32_t b, std::int32_t* out) {
  if ((op == Op::Div || op == Op::Mod) && b == 0) in.raiseerror(kDivisionByZero);
  return intOperator(op, a, b, out);
}

// --- texts -----------------------------------------------------------------------

/// The interpreter's regular-expression reporter: the message travels back to
/// the operator as an exception and becomes error 4 there.
struct RxFailure {
  std::string message;
};

void rxRaise(const char* message, int /*code*/) { throw RxFailure{message}; }

/// The part of `subject` matched by `expression`, or empty.
std::string_view textMatch(Interp& in, std::string_view subject, std::string_view expression) {
  int length = 0;
  int start = -1;
  const support::RxReporter previous = support::setRxReporter(rxRaise);
  try {
    start = support::rxmatch(expression, subject, &length);
  } catch (const RxFailure& failure) {
    support::setRxReporter(previous);
    in.raiseerror(kInternalError, failure.message);
  }
  support::setRxReporter(previous);
  if (start < 0 || length <= 0) return {};
  return subject.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

std::string_view firstN(std::string_view a, std::int32_t n) {
  if (n < 1) return {};
  return a.substr(0, static_cast<std::size_t>(n));
}

std::string_view lastN(std::string_view a, std::int32_t n) {
  if (n < 1) return {};
  return static_cast<std::size_t>(n) >= a.size() ? a : a.substr(a.size() - static_cast<std::size_t>(n));
}

std::string columnMask(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::string r(n, ' ');
  for (std::size_t i = 0; i < n; ++i)
    if (b[i] != ' ') r[i] = a[i];
  r.erase(0, r.find_first_not_of(' ') == std::string::npos ? r.size() : r.find_first_not_of(' '));
  return r;
}

std::string columnOverlay(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::string r(a.substr(0, n));
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] == ' ') r[i] = b[i];
  return r;
}

/// A new text made of `a` and `b` (see pushText).
Value madeText(Interp& in, std::string_view a, std::string_view b = {}) {
  ++in.eng.temporaries;
  return Value::text(Text::concat(a, b));
}

/// `piece` of `whole` (see pushPiece).
Value pieceOf(Interp& in, const Text& whole, std::string_view piece) {
  if (piece.size() == whole.size()) {
    ++in.eng.temporaries;
    return Value::text(whole);
  }
  return madeText(in, piece);
}

}  // namespace

bool textOperator(Interp& in, Op op, const Text& left, const Text& right, Value* out) {
  const std::string_view a = left.view();
  const std::string_view b = right.view();
  // Where `b` starts in `a` (an empty `b` is never found), for the cuts.
  const auto find = [a, b] { return b.empty() ? std::string_view::npos : a.find(b); };
  switch (op) {
    case Op::Add:
      if (a.empty())
        *out = pieceOf(in, right, b);
      else if (b.empty())
        *out = pieceOf(in, left, a);
      else
        *out = madeText(in, a, b);
      return true;
    case Op::Sub: {
      const std::size_t at = find();
      *out = at == std::string_view::npos ? pieceOf(in, left, a)
                                          : madeText(in, a.substr(0, at), a.substr(at + b.size()));
      return true;
    }
    case Op::Div: {
      const std::size_t at = find();
      *out = pieceOf(in, left, at == std::string_view::npos ? a : a.substr(0, at));
      return true;
    }
    case Op::Mod: {
      const std::size_t at = find();
      *out = pieceOf(in, left, at == std::string_view::npos ? a : a.substr(at + b.size()));
      return true;
    }
    case Op::Mul: *out = pieceOf(in, left, textMatch(in, a, b)); return true;
    case Op::BitAnd: *out = madeText(in, columnMask(a, b)); return true;
    case Op::BitOr: *out = madeText(in, columnOverlay(a, b)); return true;
    default: break;
  }
  // Byte-wise comparison as unsigned bytes, a shorter prefix first.
  const int c = a.compare(b);
  std::int32_t r = 0;
  switch (op) {
    case Op::Eq: r = c == 0; break;
    case Op::Ne: r = c != 0; break;
    case Op::Lt: r = c < 0; break;
    case Op::Gt: r = c > 0; break;
    case Op::Le: r = c <= 0; break;
    case Op::Ge: r = c >= 0; break;
    default: return false;
  }
  *out = Value::integer(r);
  return true;
}

namespace {

/// A text operator on two texts, its result pushed; false when `op` has none.
bool textOp(Interp& in, Op op, const Text& left, const Text& right) {
  Value result;
  if (!textOperator(in, op, left, right, &result)) return false;
  push(in, std::move(result));
  return true;
}

void binary(Interp& in, Op op) {
  const Value right = popvalue(in);
  const Value left = popvalue(in);
  const Type lt = left.type();
  const Type rt = right.type();
  if (lt == Type::Int && rt == Type::Int) {
    std::int32_t r = 0;
    if (intOp(in, op, left.asInt(), right.asInt(), &r)) return pushint(in, r);
  } else if (lt == Type::Text && rt == Type::Text) {
    if (textOp(in, op, left.asText(), right.asText())) return;
  } else if (lt == Type::Text && rt == Type::Int && (op == Op::Shl || op == Op::Shr)) {
    return pushPiece(
        in, left.asText(),
        op == Op::Shl ? firstN(left.textView(), right.asInt()) : lastN(left.textView(), right.asInt()));
  } else if (lt == Type::Array && rt == Type::Array && (op == Op::Eq || op == Op::Ne)) {
    const bool equal = arraysEqual(in, *left.variable()->array, *right.variable()->array);
    return pushint(in, (op == Op::Eq) == equal);
  }
  typeMismatch(in, typeName(lt), opText(op), typeName(rt));
}

/// '&&' and '||' after their short-circuit cell let the right operand run.
void logical(Interp& in, Op op) {
  const Value right = popvalue(in);
  const Value left = popvalue(in);
  if (right.type() != Type::Int) typeMismatch(in, typeName(left.type()), opText(op), typeName(right.type()));
  const bool l = left.type() == Type::Int && left.asInt() != 0;
  const bool r = right.asInt() != 0;
  pushint(in, op == Op::AndAnd ? (l && r) : (l || r));
}

std::string changeCase(std::string_view text, bool swap) {
  std::string r(text);
  for (char& c : r) {
    const auto u = static_cast<unsigned char>(c);
    if (swap && std::islower(u))
      c = static_cast<char>(std::toupper(u));
    else if (std::isupper(u))
      c = static_cast<char>(std::tolower(u));
  }
  return r;
}

void prefix(Interp& in, Op op) {
  const Value v = popvalue(in);
  if (v.type() == Type::Int) {
    const auto u = static_cast<std::uint32_t>(v.asInt());
    switch (op) {
      case Op::Negate: return pushint(in, wrap(0u - u));
      case Op::Identity: return pushint(in, v.asInt());
      case Op::Not: return pushint(in, v.asInt() == 0);
      default: return pushint(in, wrap(~u));
    }
  }
  if (v.type() == Type::Text && (op == Op::Not || op == Op::Complement))
    return pushText(in, changeCase(v.textView(), op == Op::Complement));
  typeMismatch(in, "", opText(op), typeName(v.type()));
}

void step(Interp& in, Op op) {
  Value holder;
  Variable* v = popdefined(in, holder);
  const bool post = op == Op::PostInc || op == Op::PostDec;
  if (v->type != Type::Int) {
    if (post) typeMismatch(in, typeName(v->type), opText(op), "");
    typeMismatch(in, "", opText(op), typeName(v->type));
  }
  pushint(in, stepInt(v, op));
}

void compoundAssign(Interp& in) {
  const std::int32_t code = popint(in);
  const Value value = popvalue(in);
  Value holder;
  Variable* v = popdefined(in, holder);
  const char* text = compoundText(code);
  if (v->type == Type::Int && value.type() == Type::Int) {
    Op op{};
    switch (code) {
      case kPlus: op = Op::Add; break;
      case kMinus: op = Op::Sub; break;
      case kStar: op = Op::Mul; break;
      case kSlash: op = Op::Div; break;
      case kPercent: op = Op::Mod; break;
      case kAmp: op = Op::BitAnd; break;
      case kBar: op = Op::BitOr; break;
      case kCaret: op = Op::BitXor; break;
      case kShl: op = Op::Shl; break;
      case kShr: op = Op::Shr; break;
      default: in.raiseerror(kInternalError, "not a valid operator");
    }
    std::int32_t r = 0;
    intOp(in, op, v->intValue, value.asInt(), &r);
    v->setInt(r);
    return pushint(in, r);
  }
  if (v->type == Type::Text && value.type() == Type::Text) {
    Op op{};
    switch (code) {
      case kPlus: op = Op::Add; break;
      case kMinus: op = Op::Sub; break;
      case kSlash: op = Op::Div; break;
      case kPercent: op = Op::Mod; break;
      case kAmp: op = Op::BitAnd; break;
      case kBar: op = Op::BitOr; break;
      case kStar: op = Op::Mul; break;
      default: typeMismatch(in, typeName(v->type), text, typeName(value.type()));
    }
    textOp(in, op, v->textValue, value.asText());
  } else if (v->type == Type::Text && value.type() == Type::Int && (code == kShl || code == kShr)) {
    const std::string_view a = v->textValue.view();
    pushPiece(in, v->textValue, code == kShl ? firstN(a, value.asInt()) : lastN(a, value.asInt()));
  } else {
    typeMismatch(in, typeName(v->type), text, typeName(value.type()));
  }
  // The new text is on the stack: store it and leave it there as the result.
  v->setText(in.eng.stack.back().asText());
}

// --- arrays, arguments, calls ---------------------------------------------------

Text keyOf(Interp& in, const Value& key) {
  switch (key.type()) {
    case Type::Int: return Text(decimal(key.asInt()));
    case Type::Text:
      if (key.textView().empty()) in.raiseerror(kBadElementName, "empty string");
      return key.asText();
    default: in.raiseerror(kInternalError, "does not evaluate to string or int");
  }
}

void newArray(Interp& in) {
  Rc<Variable> temp = Variable::make(Text(decimal(++in.eng.temporaries)));
  temp->setArray(std::make_unique<SymbolTable>(kArrayBuckets));
  temp->defined = true;
  pushvariable(in, temp.get());
}

void addElement(Interp& in) {
  const std::int32_t kind = popint(in);
  const Value value = popvalue(in);
  const Value key = kind == 2 ? popvalue(in) : Value();
  Value holder;
  Variable* array = poparray(in, holder);
  const Text name =
      kind == 2 ? keyOf(in, key) : Text(decimal(static_cast<std::int32_t>(array->array->count())));
  if (array->array->find(name.view()) == nullptr) {
    Variable* e = array->array->insert(Variable::make(name));
    e->parent = array;
    e->elementKind = ElementKind::Subscript;
    assign(in, e, value);
  }
  push(in, std::move(holder));
}

void argument(Interp& in) {
  std::int32_t n = popint(in);
  if (n == 0) n = 1;  // "$0" counts as "$1"
  Value a;
  if (!argumentValue(in, n, a)) in.raiseerror(kArgumentsNeeded);
  push(in, std::move(a));
}

void argumentCount(Interp& in) { pushint(in, callArgumentCount(in)); }

void addAllArguments(Interp& in) {
  // The caller's arguments are the current scope's "$1".."$#".
  if (!hasLocalScope(in)) return;
  const std::int32_t n = callArgumentCount(in);
  for (std::int32_t i = 1; i <= n; ++i) {
    Variable* a = callArgument(in, i);
    if (a != nullptr) addargument(in, readvalue(in, a));
  }
}

void callProcedure(Interp& in) {
  const Text name = popstring(in);
  Rc<CodeObject>* code = in.procedures.find(name.view());
  if (code == nullptr) in.raiseerror(kInternalError, "could not find procedure " + name.str());
  const Rc<CodeObject> hold = *code;  // it may be redefined while it runs
  runcode(in, hold);
}

void callCommand(Interp& in) {
  const Text name = popstring(in);
  const CommandEntry* entry = in.commands.find(name.view());
  if (entry == nullptr || entry->handler == nullptr)
    in.raiseerror(kInternalError, "could not find command " + name.str());
  runcommand(in, name, *entry);
}

void label(Interp& in) {
  const Value name = popvalue(in);
  const CommandEntry* entry = in.commands.find(":");
  if (entry == nullptr || entry->handler == nullptr) in.raiseerror(kInvalidCommand, "label not supported");
  createframe(in);
  addargument(in, name);
  runcommand(in, Text(":"), *entry);
}

void declare(Interp& in) {
  Value holder;
  Variable* v = popvariable(in, holder);
  if (v->type == Type::None || v->type == Type::Int) {
    v->setInt(0);
    v->defined = true;
  }
}

void declareEmptyArray(Interp& in) {
  Value holder;
  Variable* v = popvariable(in, holder);
  if (v->defined || v->type != Type::None)
    in.raiseerror(kInternalError, "duplicate empty local array: \"" + v->name.str() + "\"");
  v->setArray(std::make_unique<SymbolTable>(kArrayBuckets));
  v->defined = true;
  // The parameter list applies Declare (or '= expr') to every parameter after
  // this: the reference goes back for it (Declare leaves an array unchanged).
  push(in, std::move(holder));
}

}  // namespace

void runOp(Interp& in, Op op) {
  switch (op) {
    case Op::Assign: {
      const Value source = pop(in);
      Value holder;
      Variable* target = popvariable(in, holder);
      assign(in, target, source);
      return push(in, readvalue(in, target));
    }
    case Op::CompoundAssign: return compoundAssign(in);
    case Op::Subscript: {
      const Value key = pop(in);
      Value holder;
      Variable* v = popvariable(in, holder);
      return pushvariable(in, element(in, v, key, ElementKind::Subscript));
    }
    case Op::Declare: return declare(in);
    case Op::DeclareEmptyArray: return declareEmptyArray(in);
    case Op::Label: return label(in);
    case Op::NewArray: return newArray(in);
    case Op::AddElement: return addElement(in);
    case Op::Argument: return argument(in);
    case Op::ArgumentCount: return argumentCount(in);
    case Op::CreateFrame: return createframe(in);
    case Op::AddArgument: return addargument(in, popvalue(in));
    case Op::AddAllArguments: return addAllArguments(in);
    case Op::CallProcedure: return callProcedure(in);
    case Op::CallCommand: return callCommand(in);
    case Op::AndAnd:
    case Op::OrOr: return logical(in, op);
    case Op::Negate:
    case Op::Identity:
    case Op::Not:
    case Op::Complement: return prefix(in, op);
    case Op::PreInc:
    case Op::PreDec:
    case Op::PostInc:
    case Op::PostDec: return step(in, op);
    default: return binary(in, op);
  }
}

}  // namespace varda::cmdlang
