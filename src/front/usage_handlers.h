#pragma once

#include "front/handler.h"

namespace varda::front {

// Help, usage and version options. Outside interactive mode the first one that
// prints sets exitAfterOptions, so later ones print nothing.

/// -help (selector set: long page) and -z (extended page).
int showHelp(OptText name, OptText value, Selector selector);
/// -help-sdram, -help-dram, -help-mpx, -help-peripheral, -help-padlogic, -help-emi4, -help-gencfg.
int showHelpTable(OptText name, OptText value, Selector selector);
/// -v.
int showVersion(OptText name, OptText value, Selector selector);
/// The no-arguments row: the short page.
int showShortUsage(OptText name, OptText value, Selector selector);

}  // namespace varda::front
