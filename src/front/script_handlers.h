#pragma once

#include "front/handler.h"

namespace varda::front {

/// -p <procedure> (selector set) runs the procedure, or in read mode names the
/// one to run from the read file; a bare word (no selector) is a script to include.
int runScriptOrProcedure(OptText name, OptText value, Selector selector);

}  // namespace varda::front
