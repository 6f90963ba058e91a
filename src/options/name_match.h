#pragma once

#include <string_view>

namespace varda::options {

/// Process-wide: true when option names are compared exactly, false when the
/// letters A to Z compare as their lower-case letters. Every entry of the
/// library sets it again from its mode argument.
extern bool caseSensitive;

/// Sets caseSensitive from a mode argument: mode 2 is case-sensitive, every
/// other mode folds A to Z.
void setCaseMode(int mode);

/// How a record's name relates to the text after an option's "-" or "/".
enum class NameMatch {
  None,    ///< the name is neither the text nor a prefix of it
  Exact,   ///< the name equals the text
  Joined,  ///< the name is a proper prefix: the rest is a joined value
};

/// Compares `name` with the start of `text` under the current caseSensitive.
/// No abbreviation of a name matches: `text` must hold the whole name.
NameMatch matchName(std::string_view name, std::string_view text);

}  // namespace varda::options
