#pragma once

#include <cstdint>

#include "cmdlang/code.h"
#include "cmdlang/value.h"

namespace varda::cmdlang {

// The integer side of the binary operators, shared by the operators and by
// the walk's fast path: 32-bit two's-complement arithmetic.

/// The integer an operand entry stands for: an integer, or a reference to a
/// defined integer variable (what popvalue would give without an error).
inline bool plainInt(const Value& v, std::int32_t* out) {
  if (v.isInt()) {
    *out = v.asInt();
    return true;
  }
  if (v.type() != Type::Ref) return false;
  const Variable* var = v.variable();
  if (!var->defined || var->type != Type::Int) return false;
  *out = var->intValue;
  return true;
}

/// The text an operand entry stands for: a text, or a reference to a defined
/// text variable (what popvalue would give without an error); shared.
inline bool plainText(const Value& v, Text* out) {
  if (v.type() == Type::Text) {
    *out = v.asText();
    return true;
  }
  if (v.type() != Type::Ref) return false;
  const Variable* var = v.variable();
  if (!var->defined || var->type != Type::Text) return false;
  *out = var->textValue;
  return true;
}

/// `a op b` for a binary operator with an integer meaning; false for any
/// other operator and for a division or remainder by zero (an error).
inline bool intOperator(Op op, std::int32_t a, std::int32_t b, std::int32_t* out) {
  const auto ua = static_cast<std::uint32_t>(a);
  const auto ub = static_cast<std::uint32_t>(b);
  const auto wrap = [](std::uint32_t u) { return static_cast<std::int32_t>(u); };
  switch (op) {
    case Op::Add: *out = wrap(ua + ub); return true;
    case Op::Sub: *out = wrap(ua - ub); return true;
    case Op::Mul: *out = wrap(ua * ub); return true;
    case Op::Div:
    case Op::Mod:
      if (b == 0) return false;
      // The most negative integer divided by -1: the quotient wraps to
      // itself and the remainder is 0.
      if (b == -1) {
        *out = op == Op::Div ? wrap(0u - ua) : 0;
        return true;
      }
      *out = op == Op::Div ? a / b : a % b;
      return true;
    case Op::Eq: *out = a == b; return true;
    case Op::Ne: *out = a != b; return true;
    case Op::Gt: *out = a > b; return true;
    case Op::Lt: *out = a < b; return true;
    case Op::Ge: *out = a >= b; return true;
    case Op::Le: *out = a <= b; return true;
    case Op::BitAnd: *out = wrap(ua & ub); return true;
    case Op::BitOr: *out = wrap(ua | ub); return true;
    case Op::BitXor: *out = wrap(ua ^ ub); return true;
    case Op::Shl: *out = wrap(ua << (ub & 31u)); return true;
    case Op::Shr: *out = a >> (ub & 31u); return true;
    default: return false;
  }
}

/// ++ or -- (prefix or postfix) on a defined integer variable; returns the
/// value the operator leaves (the old one for a postfix operator).
inline std::int32_t stepInt(Variable* v, Op op) {
  const std::int32_t old = v->intValue;
  const std::uint32_t delta = (op == Op::PreInc || op == Op::PostInc) ? 1u : 0xffffffffu;
  v->intValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(old) + delta);
  return op == Op::PostInc || op == Op::PostDec ? old : v->intValue;
}

}  // namespace varda::cmdlang
