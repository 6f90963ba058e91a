#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "options/tool_info.h"

namespace varda::options {

/// What one row of an option table stands for. The numbers are part of the
/// table format: keep them as they are.
enum class OptionKind : std::int32_t {
  kBareWord = 0,      ///< handler for an argument that is not an option
  kValueOnly = 1,     ///< takes a value; the handler gets the value only
  kFlag = 2,          ///< no value; the handler gets the name
  kValue = 3,         ///< takes a value; the handler gets name and value
  kNoArguments = 4,   ///< nothing to parse at all
  kInvalidUse = 5,    ///< unknown option, missing value, text joined to a flag
  kSyntaxError = 6,   ///< bad quoting in a string being split
  kEnvNotSet = 7,     ///< environment variable not set (never called)
  kArgumentFile = 8,  ///< an "@file" cannot be opened or read
  kOutOfMemory = 9,   ///< a copy failed
  kUsageHeader = 10,  ///< selector holds the tool's ToolInfo
  kUsageNote = 11,    ///< selector holds a note text
  kEnd = 12,          ///< end of table; handler is the end-of-parsing callback
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

/// A row's selector, passed unchanged as its handler's third argument: not
/// set; set, on the one of two options sharing a handler that the handler
/// tells apart by it; the tool's description on a usage-header row; a text
/// (the note of a usage-note row).
class Selector {
 public:
  constexpr Selector() = default;
  // Implicit, so that a table row can hold a ToolInfo's address or a text.
  constexpr Selector(const ToolInfo* info) : value_(info) {}
  constexpr Selector(const char* text) : value_(text) {}

  /// The selector of the option that a shared handler tells apart.
  static constexpr Selector set() { return Selector(Set{}); }

  /// Whether the selector holds anything: how shared handlers tell their options apart.
  constexpr bool isSet() const { return !std::holds_alternative<std::monostate>(value_); }
  /// The description of a usage-header row, or null.
  constexpr const ToolInfo* toolInfo() const {
    const auto* info = std::get_if<const ToolInfo*>(&value_);
    return info != nullptr ? *info : nullptr;
  }
  /// The text of a usage-note row, or null.
  constexpr const char* text() const {
    const auto* text = std::get_if<const char*>(&value_);
    return text != nullptr ? *text : nullptr;
  }

 private:
  struct Set {};
  constexpr explicit Selector(Set set) : value_(set) {}

  std::variant<std::monostate, Set, const ToolInfo*, const char*> value_;
};

/// Called for one option. The texts are the handler's own from then on.
using OptionHandler = int (*)(std::optional<std::string> name, std::optional<std::string> value,
                              Selector selector);

/// One row of a constant option table; a table ends with a row of kind kEnd.
struct OptionRecord {
  const char* name;  ///< option name without its "-"; null for special rows
  OptionKind kind;
  Selector selector;      ///< passed unchanged as the handler's third argument
  OptionHandler handler;  ///< null for usage rows and help-only tables
  std::uint32_t visibility;
  const char* help;  ///< "<arg>|description" for values, description for flags
};

}  // namespace varda::options
