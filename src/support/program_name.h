#pragma once

namespace varda::support {

/// Every message of the tool begins with this name, whatever argv[0] says.
inline constexpr const char* kProgramName = "varda";

}  // namespace varda::support
