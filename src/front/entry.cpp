#include "front/entry.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "front/command_bridge.h"
#include "front/exit_run.h"
#include "front/option_table.h"
#include "front/parameters_writer.h"
#include "front/procedure_writer.h"
#include "front/read_back_state.h"
#include "front/read_mode.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "options/option_parser.h"
#include "support/format.h"

namespace varda::front {
void stopIfDone() {
  if (settings().exitAfterOptions) exitRun(0);
}

void parseCommandLine(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  RunState& state = runState();
  if (options::parseOptions(state.parser, kNameCase, args, kToolInfo.envVariable, mainTable()) == 1)
    exitRun(1);
  stopIfDone();
}

int parseOptionLine(const std::string& text) {
  RunState& state = runState();
  const int result = options::parseOptionString(state.parser, kNameCase, text, mainTable());
  state.settings.lastParseResult = result;
  return result;
}

int run(int argc, char** argv) {
  try {
    startInterpreter();
    parseCommandLine(argc, argv);
    const RunSettings& run = settings();
    if (!run.readMode) {
      writeConfiguration(run.outputFile);
    } else {
      // Read mode: run the pending read file (-read always names one; -iro
      // may have read it already), then write the parameters file.
      if (run.readFile) runReadFile();
      writeParameters(readBackState(), run.outputFile);
    }
  } catch (const std::bad_alloc&) {
    support::out("%s: ERROR OUT OF MEMORY\n", kProgramName);
    exitRun(1);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace varda::front
