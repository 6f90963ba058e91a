#pragma once

#include "front/handler.h"

namespace varda::front {

// Options of read mode and of the results shown in interactive mode.

/// -read <file>: enters read mode with the poke file to read (once only).
int startReadMode(OptText name, OptText value, Selector selector);
/// -iro <file>: interactive only: reads the pending read file, then writes the parameters file.
int writeReadParameters(OptText name, OptText value, Selector selector);
/// -iparameters: interactive only: shows the current configuration as parameter lines.
int showParameters(OptText name, OptText value, Selector selector);
/// -io <file>: interactive only: writes the configuration procedure to the file now.
int writeProcedureNow(OptText name, OptText value, Selector selector);
/// -icfg: interactive only: shows the configuration procedure on standard output.
int showProcedureNow(OptText name, OptText value, Selector selector);
/// -zdump-r: prints the register words of the last read.
int dumpReadWords(OptText name, OptText value, Selector selector);

}  // namespace varda::front
