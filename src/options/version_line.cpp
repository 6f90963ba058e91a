#include "options/version_line.h"

#include "build_info.h"
#include "support/format.h"

namespace varda::options {

void versionLine(const ToolInfo& info) {
  support::out("%s Version %s (%s) (%s)\n", info.description, info.version, info.buildStamp, VARDA_PLATFORM);
}

void copyrightNotice(const ToolInfo& info) {
  support::out("Copyright (C) %s %s. All rights reserved.\n", info.yearRange, info.makerName);
}

}  // namespace varda::options
