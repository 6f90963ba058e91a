#pragma once

#include "cmdlang/code.h"
#include "cmdlang/interp.h"

namespace varda::cmdlang {

/// Runs one operation cell's function on the current operand stack.
void runOp(Interp& in, Op op);

/// The result of binary operator `op` on two texts into `out`; false when
/// `op` has no text meaning. Only the match (Op::Mul) can raise an error.
bool textOperator(Interp& in, Op op, const Text& left, const Text& right, Value* out);

}  // namespace varda::cmdlang
