#pragma once

#include "options/tool_info.h"

namespace varda::options {

/// Prints "<description> Version <version> (<build stamp>) (<platform>)" and a
/// line feed to standard output; the platform is the one the binary is built for.
void versionLine(const ToolInfo& info);

/// Prints the maker's copyright notice with the year range, and a line feed.
void copyrightNotice(const ToolInfo& info);

}  // namespace varda::options
