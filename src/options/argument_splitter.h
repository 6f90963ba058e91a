#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varda::options {

/// The arguments found in one string, or where its quoting went wrong.
struct SplitResult {
  std::vector<std::string> args;             ///< in order; empty after a syntax error
  std::optional<std::size_t> syntaxErrorAt;  ///< offset of the opening quote of the bad argument
};

/// Splits `text` into arguments the way option strings are written:
/// - white space (space, tab, line feed, carriage return, vertical tab, form
///   feed) separates arguments;
/// - an argument not starting with a double quote runs to the next white
///   space, quotes inside it included;
/// - an argument starting with a double quote runs to its closing quote, a
///   doubled quote inside standing for one; the closing quote must be
///   followed by white space or the end, otherwise (or when it is missing)
///   the whole string is a syntax error;
/// - an argument that ends with a line feed loses it.
/// Throws std::bad_alloc when the copies cannot be made.
SplitResult splitArguments(std::string_view text);

}  // namespace varda::options
