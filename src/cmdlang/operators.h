#pragma once

#include "cmdlang/code.h"
#include "cmdlang/interp.h"

namespace varda::cmdlang {

/// Runs one operation cell's function on the current operand stack.
void runOp(Interp& in, Op op);

}  // namespace varda::cmdlang
