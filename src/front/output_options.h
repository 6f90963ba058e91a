#pragma once

#include "front/handler.h"

namespace varda::front {

/// -o: the file the configuration procedure (or, in read mode, the parameters) goes to.
int setOutputFile(OptText name, OptText value, Selector selector);
/// -proc-name: the name of the written procedure.
int setProcName(OptText name, OptText value, Selector selector);
/// -poke-change: the command word in front of each register line.
int setPokeCommand(OptText name, OptText value, Selector selector);

}  // namespace varda::front
