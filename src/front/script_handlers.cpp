#include "front/script_handlers.h"

#include <utility>

#include "front/exit_run.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {

int runScriptOrProcedure(OptText name, OptText value, Selector selector) {
  if (selector.isSet() && settings().readMode) {
    settings().readProcName = std::move(value);
    return options::kContinue;
  }
  // Scripts and procedures run in the command-language interpreter, which
  // this build does not contain yet: say so and end the run.
  (void)name;
  support::out("%s: Error: command interpreter not built yet\n", kProgramName);
  exitRun(1);
}

}  // namespace varda::front
