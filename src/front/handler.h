#pragma once

#include <optional>
#include <string>

namespace varda::front {

/// Arguments every option handler of the tool receives (see options::OptionHandler).
using OptText = std::optional<std::string>;

}  // namespace varda::front
