#pragma once

#include <string>

#include "blocks/check_result.h"

namespace varda::front {

// The front end's recurring messages, printed to standard output.

/// "option -X not supported by chip C" as a warning; only when a chip is selected.
void warnNotSupported(const std::string& option);
/// "option -X V not supported by chip C" with the given level ("Error", "Warning").
void reportNotSupportedValue(const char* level, const std::string& option, const std::string& value);
/// "invalid V entry for option X".
void warnInvalidEntry(const std::string& value, const std::string& option);
/// The numbered warning of a refused parameter value in the current bank.
void warnRange(blocks::SetResult warningType, const std::string& option, const std::string& value);

}  // namespace varda::front
