#include "front/script_handlers.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "front/run_settings.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {

int runScriptOrProcedure(OptText name, OptText value, const void* selector) {
  if (selector != nullptr && settings().readMode) {
    settings().readProcName = std::move(value);
    return options::kContinue;
  }
  // Scripts and procedures run in the command-language interpreter, which
  // this build does not contain yet: say so and end the run.
  (void)name;
  support::out("%s: Error: command interpreter not built yet\n", kProgramName);
  std::fflush(stdout);
  std::exit(1);
}

}  // namespace varda::front
