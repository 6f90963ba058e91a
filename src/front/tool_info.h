#pragma once

#include "options/tool_info.h"

namespace varda::front {

/// The constant description of varda for the usage and version pages.
extern const options::ToolInfo kToolInfo;

/// Every message of the tool begins with this name, whatever argv[0] says.
inline constexpr const char* kProgramName = "varda";

}  // namespace varda::front
