#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "front/option_table.h"

namespace varda::front {

// The options of the interpreter's emi command: the rows of the main option
// table whose emi kind is not kNone, and the pieces of the option line that
// the command builds from them.

/// The main-table row of the emi option named `name` (without "-"), or nullptr.
const OptionRow* findEmiOption(std::string_view name);

/// The piece an option adds to the option line: " -name value " with the
/// number in the option's own base (decimal or hexadecimal kinds).
std::string emiNumberPiece(const OptionRow& option, std::uint32_t value);
/// " -name text " (text kind).
std::string emiTextPiece(const OptionRow& option, const std::string& text);
/// " -name " (flag kind).
std::string emiFlagPiece(const OptionRow& option);

}  // namespace varda::front
