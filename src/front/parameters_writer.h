#pragma once

#include <optional>
#include <string>

#include "front/read_back_state.h"

namespace varda::front {

// The parameters file: emi command lines that set again the configuration
// whose register words a ReadBackState holds.

/// Writes the parameters file to `path`, or to "<procName>.dat" when there is
/// no path: the header, the procedure-name line and the parameter lines.
/// Clears readMode once the file is closed. Errors are printed; nothing is
/// written when nothing was read.
void writeParameters(ReadBackState& state, const std::optional<std::string>& path);

/// Writes the chip line, the chip-wide lines and the lines of every bank to
/// state.out, decoding each value from the words with its item's bit
/// placement in the item catalogue and the option's conversion.
void writeParameterLines(ReadBackState& state);

}  // namespace varda::front
