#pragma once

#include "support/format.h"

namespace varda::support {

/// The information output of traces: "Info> " and the formatted message on
/// standard output, flushed at once.
void info(const char* fmt, ...) VARDA_PRINTF(1, 2);

}  // namespace varda::support
