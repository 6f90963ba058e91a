#include "front/tool_info.h"

#include "build_info.h"

namespace varda::front {

const options::ToolInfo kToolInfo = {
    kProgramName,                    // program name
    "Corvane",                       // maker name
    "EMI configuration tool",        // description
    VARDA_VERSION,                   // version
    VARDA_BUILD_STAMP,               // build stamp
    "2026",                          // year range
    "varda [options] [script ...]",  // usage line
    "VARDAARG",                      // environment variable with default options
};

}  // namespace varda::front
