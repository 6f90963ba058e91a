#pragma once

#include "front/handler.h"

namespace varda::front {

// Callbacks of the main table's special rows.

/// An option not in the table, a missing value or text joined to a flag.
int reportInvalidUse(OptText argument, OptText value, Selector selector);
/// Bad quoting in VARDAARG, an argument-file line or an option line.
int reportSyntaxError(OptText text, OptText value, Selector selector);
/// An environment variable that is not set (the parser never calls it).
int reportEnvNotSet(OptText name, OptText value, Selector selector);
/// An argument file that cannot be opened or read.
int reportArgumentFile(OptText file, OptText value, Selector selector);
/// End of parsing: nothing to do.
int endOfOptions(OptText name, OptText value, Selector selector);

}  // namespace varda::front
