#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varda::front {

/// How the emi interpreter command reads an option's argument and how the
/// option reaches the option line it builds.
enum class EmiKind {
  kDecimal,       // a number, re-written in decimal: " -name %d "
  kText,          // a text, passed as it is: " -name %s "
  kHexadecimal,   // a number, re-written in hexadecimal without prefix: " -name %x "
  kFlag,          // no argument: " -name "
  kNotSupported,  // nothing reaches the line; "option not supported in command file"
};

/// One option of the emi command: its name, kind, and (for the options not
/// supported in a command file) whether it is still declared with a text
/// argument, which is read and dropped.
struct EmiOption {
  const char* name;
  EmiKind kind;
  bool textArgument = false;
};

/// Every option of the main table except -z, -zdump and -zdump-r, in main-table order.
std::span<const EmiOption> emiOptions();

/// The emi option named `name` (without "-"), or nullptr.
const EmiOption* findEmiOption(std::string_view name);

/// The piece an option adds to the option line: " -name value " with the
/// number in the option's own base (decimal or hexadecimal kinds).
std::string emiNumberPiece(const EmiOption& option, std::uint32_t value);
/// " -name text " (text kind).
std::string emiTextPiece(const EmiOption& option, const std::string& text);
/// " -name " (flag kind).
std::string emiFlagPiece(const EmiOption& option);

}  // namespace varda::front
