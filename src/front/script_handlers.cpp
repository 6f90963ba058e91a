#include "front/script_handlers.h"

#include <utility>

#include "front/command_bridge.h"
#include "front/run_state.h"
#include "options/option_record.h"

namespace varda::front {

int runScriptOrProcedure(OptText name, OptText value, Selector selector) {
  if (selector.isSet() && settings().readMode) {
    settings().readProcName = std::move(value);
    return options::kContinue;
  }
  if (selector.isSet())
    runProcedure(value.value_or(""));
  else
    includeScript(name.value_or(""));
  return options::kContinue;
}

}  // namespace varda::front
