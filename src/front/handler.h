#pragma once

#include <optional>
#include <string>

#include "options/option_record.h"

namespace varda::front {

/// Arguments every option handler of the tool receives (see options::OptionHandler).
using OptText = std::optional<std::string>;
using options::Selector;

}  // namespace varda::front
