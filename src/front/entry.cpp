#include "front/entry.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "front/option_table.h"
#include "front/parameters_writer.h"
#include "front/procedure_writer.h"
#include "front/read_back_state.h"
#include "front/read_mode.h"
#include "front/run_settings.h"
#include "front/tool_info.h"
#include "options/option_parser.h"
#include "support/format.h"

namespace varda::front {
namespace {

constexpr int kCaseSensitive = 2;

[[noreturn]] void exitWith(int status) {
  std::fflush(stdout);
  std::exit(status);
}

}  // namespace

void stopIfDone() {
  if (settings().exitAfterOptions) exitWith(0);
}

void parseCommandLine(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (options::parseOptions(kCaseSensitive, args, kToolInfo.envVariable, mainTable()) == 1) exitWith(1);
  stopIfDone();
}

int parseOptionLine(const std::string& text) {
  const int result = options::parseOptionString(kCaseSensitive, text, mainTable());
  settings().lastParseResult = result;
  return result;
}

int run(int argc, char** argv) {
  try {
    parseCommandLine(argc, argv);
    RunSettings& run = settings();
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
    exitWith(1);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace varda::front
