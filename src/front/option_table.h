#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "options/name_match.h"
#include "options/option_record.h"

namespace varda::front {

using OptionTable = std::span<const options::OptionRecord>;

/// How the tool's option names compare, wherever its tables are parsed or
/// printed: exactly, so -Chip is invalid use and -emi-reqGnt needs its capital G.
inline constexpr options::CaseMode kNameCase = options::CaseMode::kExact;

/// How the interpreter's emi command takes an option and passes it on to the
/// option line it builds.
enum class EmiKind : std::uint8_t {
  kNone,          ///< not an emi option
  kDecimal,       ///< a number, re-written in decimal: " -name %d "
  kText,          ///< a text, passed as it is: " -name %s "
  kHexadecimal,   ///< a number, re-written in hexadecimal without prefix: " -name %x "
  kFlag,          ///< no argument: " -name "
  kNotSupported,  ///< nothing reaches the line; "option not supported in command file"
};

/// One row of the main option table: an option record's columns with how the
/// emi command takes the option beside the option's kind.
struct OptionRow {
  const char* name;
  options::OptionKind kind;
  EmiKind emiKind;
  options::Selector selector;
  options::OptionHandler handler;
  std::uint32_t visibility;
  const char* help;

  /// The row as the option library reads it.
  constexpr options::OptionRecord record() const { return {name, kind, selector, handler, visibility, help}; }
};

/// The tool's main option table: 126 option rows, then the special rows.
std::span<const OptionRow> mainRows();
/// The same rows as option records, for the option library.
OptionTable mainTable();

/// The help-only tables printed by the -help- options, by option name
/// ("help-sdram", "help-dram", ...); empty for any other name.
OptionTable helpTable(const std::string& optionName);

}  // namespace varda::front
