#pragma once

#include <cstdint>
#include <vector>

#include "cmdlang/code.h"

namespace varda::cmdlang {

/// How the walk takes each cell of a code object: the cell's kind and, for
/// the most frequent control cells, its function, in one code; or a run of
/// cells that the walk may do in one step when their operands are plain
/// integers. The cells stay as they are: a run only marks its first cell,
/// and a walk that cannot take the shortcut (an operand of another kind, an
/// operation that fails, skipping, tracing) walks the cells one by one, with
/// the same effect.
enum class Step : std::uint8_t {
  End,
  Op,
  PushInt,       // Ctl::Push of an integer operand
  PushText,      // Ctl::Push of a text operand
  MakeVariable,  // Ctl::MakeVariable
  MakeResult,    // Ctl::MakeVariable of "$", a call's result
  Control,       // any other control cell
  Stmt,
  Invalid,  // an operand or location cell reached by the walk
  // Runs, by cell offset from the first:
  VarConstOp,      // 0 MakeVariable x, 2 Push integer k, 4 binary op: x op k
  VarVarOp,        // 0 MakeVariable x, 2 MakeVariable y, 4 binary op: x op y
  ConstOp,         // 0 Push integer k, 2 binary op: (top) op k
  VarStep,         // 0 MakeVariable x, 2 ++/-- (prefix or postfix)
  VarConstAssign,  // 0 MakeVariable x, 2 Push integer k, 4 Assign: x = k
  ConstArgument,   // 0 Push integer n, 2 Argument: $n
  CallNamed,       // 0 Push text name, 2 CallProcedure or CallCommand: the call
  VarSubscript,    // 0 MakeVariable a, 2 MakeVariable i, 4 Subscript: a[i] (an element of an array)
};

inline constexpr Step kFirstRun = Step::VarConstOp;

/// Offset of the last cell of a run from its first.
inline constexpr std::int32_t runLength(Step run) {
  switch (run) {
    case Step::VarConstOp:
    case Step::VarVarOp:
    case Step::VarConstAssign:
    case Step::VarSubscript: return 4;
    case Step::ConstOp:
    case Step::VarStep:
    case Step::ConstArgument:
    case Step::CallNamed: return 2;
    default: return 0;
  }
}

/// What the first cell of a run is when walked on its own.
inline constexpr Step runStart(Step run) {
  if (run == Step::CallNamed) return Step::PushText;
  return run == Step::ConstOp || run == Step::ConstArgument ? Step::PushInt : Step::MakeVariable;
}

/// Whether `op` is a binary operator with an integer meaning (intOperator).
inline constexpr bool integerBinary(Op op) { return op >= Op::Add && op <= Op::Shr; }

/// The step of each cell of `cells`, whose text operands are `texts`.
std::vector<Step> planSteps(const std::vector<Cell>& cells, const std::vector<Text>& texts);

}  // namespace varda::cmdlang
