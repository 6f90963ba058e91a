#pragma once

#include <optional>
#include <string_view>

namespace varda::options {

/// The text of the default-options variable cut at its separator.
struct EnvironmentParts {
  std::string_view head;                 ///< parsed before the arguments
  std::optional<std::string_view> tail;  ///< parsed after them; set only when a separator was found
};

/// Finds the first separator in `text`: a "|" or a backslash-"|" outside
/// double quotes. A double quote toggles the quoted state; a backslash
/// followed by any other character skips both. The head stops before the
/// separator (before its backslash when escaped), the tail starts after the "|".
/// The parts point into `text`.
EnvironmentParts splitEnvironmentText(std::string_view text);

}  // namespace varda::options
