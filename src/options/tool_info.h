#pragma once

namespace varda::options {

/// The constant description of a tool that the usage and version pages print.
struct ToolInfo {
  const char* programName;
  const char* makerName;
  const char* description;
  const char* version;
  const char* buildStamp;
  const char* yearRange;
  const char* usageLine;
  const char* envVariable;  ///< may be null
};

}  // namespace varda::options
