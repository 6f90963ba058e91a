#pragma once

#include <string_view>

namespace varda::options {

/// How every entry of the library compares option names: exactly, or with
/// the letters A to Z folded to lower case. The numbers are the mode argument
/// of the table format (2 exact, anything else folded): keep them.
enum class CaseMode : int {
  kFolded = 0,
  kExact = 2,
};

/// How a record's name relates to the text after an option's "-" or "/".
enum class NameMatch {
  kNone,    ///< the name is neither the text nor a prefix of it
  kExact,   ///< the name equals the text
  kJoined,  ///< the name is a proper prefix: the rest is a joined value
};

/// Compares `name` with the start of `text`, exactly or with A to Z folded.
/// No abbreviation of a name matches: `text` must hold the whole name.
NameMatch matchName(std::string_view name, std::string_view text, bool caseSensitive);

}  // namespace varda::options
