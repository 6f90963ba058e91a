#include "front/messages.h"

#include "front/run_state.h"
#include "front/tool_info.h"
#include "support/format.h"

namespace varda::front {

using support::out;

void warnNotSupported(const std::string& option) {
  const RunSettings& run = settings();
  if (run.chipNumber == 0) return;
  out("%s: Warning: option -%s not supported by chip %s\n", kProgramName, option.c_str(),
      run.chipName.c_str());
}

void reportNotSupportedValue(const char* level, const std::string& option, const std::string& value) {
  out("%s: %s: option -%s %s not supported by chip %s\n", kProgramName, level, option.c_str(), value.c_str(),
      settings().chipName.c_str());
}

void warnInvalidEntry(const std::string& value, const std::string& option) {
  out("%s: Warning: invalid %s entry for option %s\n", kProgramName, value.c_str(), option.c_str());
}

void warnRange(blocks::SetResult warningType, const std::string& option, const std::string& value) {
  out("%s: Warning type %d: option -%s in bank %d, invalid range entry %s\n", kProgramName,
      static_cast<int>(warningType), option.c_str(), settings().currentBank, value.c_str());
}

}  // namespace varda::front
