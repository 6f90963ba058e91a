#pragma once

#include <cstdio>

#include "front/handler.h"

namespace varda::front {

/// -i: reads option lines from standard input until "q", "quit" or the end
/// of input; option parsing then goes on with the arguments after -i.
int enterInteractive(OptText name, OptText value, Selector selector);

/// The loop itself, reading from `input` (standard input for -i).
void runInteractiveLoop(std::FILE* input);

}  // namespace varda::front
