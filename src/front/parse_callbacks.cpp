#include "front/parse_callbacks.h"

#include "front/tool_info.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {

using support::out;

int reportInvalidUse(OptText argument, OptText, Selector) {
  out("%s: Error: invalid use of command line option ('%s')\n", kProgramName, argument.value_or("").c_str());
  return options::kStop;
}

int reportSyntaxError(OptText text, OptText, Selector) {
  out("%s: Error: in syntax, found in sting, s = %s\n", kProgramName, text.value_or("").c_str());
  return options::kStop;
}

int reportEnvNotSet(OptText name, OptText, Selector) {
  out("%s: Error: environment variable %s has not been set\n", kProgramName, name.value_or("").c_str());
  return options::kContinue;
}

int reportArgumentFile(OptText file, OptText, Selector) {
  out("%s: Error: found in file = %s\n", kProgramName, file.value_or("").c_str());
  return options::kStop;
}

int endOfOptions(OptText, OptText, Selector) { return options::kContinue; }

}  // namespace varda::front
