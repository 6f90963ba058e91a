#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varda::options {

/// What one row of an option table stands for. The numbers are part of the
/// table format: keep them as they are.
enum class OptionKind : std::int32_t {
  BareWord = 0,      ///< handler for an argument that is not an option
  ValueOnly = 1,     ///< takes a value; the handler gets the value only
  Flag = 2,          ///< no value; the handler gets the name
  Value = 3,         ///< takes a value; the handler gets name and value
  NoArguments = 4,   ///< nothing to parse at all
  InvalidUse = 5,    ///< unknown option, missing value, text joined to a flag
  SyntaxError = 6,   ///< bad quoting in a string being split
  EnvNotSet = 7,     ///< environment variable not set (never called)
  ArgumentFile = 8,  ///< an "@file" cannot be opened or read
  OutOfMemory = 9,   ///< a copy failed
  UsageHeader = 10,  ///< selector points to the tool's ToolInfo
  UsageNote = 11,    ///< selector points to a note text
  End = 12,          ///< end of table; handler is the end-of-parsing callback
};

/// Which usage pages list a row (bit set).
enum Visibility : std::uint32_t {
  kShortPage = 1,
  kLongPage = 2,
  kExtendedPage = 4,
};

/// Handler results: kStop ends parsing with an error, anything else goes on.
inline constexpr int kContinue = 1;
inline constexpr int kStop = 2;

/// Called for one option. The texts are the handler's own from then on.
using OptionHandler = int (*)(std::optional<std::string> name, std::optional<std::string> value,
                              const void* selector);

/// One row of a constant option table; a table ends with a row of kind End.
struct OptionRecord {
  const char* name;  ///< option name without its "-"; null for special rows
  OptionKind kind;
  const void* selector;   ///< passed unchanged as the handler's third argument
  OptionHandler handler;  ///< null for usage rows and help-only tables
  std::uint32_t visibility;
  const char* help;  ///< "<arg>|description" for values, description for flags
};

}  // namespace varda::options
