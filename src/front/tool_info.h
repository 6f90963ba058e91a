#pragma once

#include "options/tool_info.h"
#include "support/program_name.h"

namespace varda::front {

/// The constant description of varda for the usage and version pages.
extern const options::ToolInfo kToolInfo;

using support::kProgramName;

}  // namespace varda::front
