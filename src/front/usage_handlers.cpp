#include "front/usage_handlers.h"

#include <cstdint>

#include "front/option_table.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "options/usage_printer.h"
#include "options/version_line.h"
#include "support/format.h"

namespace varda::front {
namespace {

// Prints one usage page unless an earlier help or version option already
// printed; outside interactive mode the run then ends after parsing.
void printOnce(std::uint32_t level, OptionTable table) {
  RunSettings& run = settings();
  if (run.exitAfterOptions) return;
  options::printUsage(runState().parser, kNameCase, level, table);
  if (!run.interactive) run.exitAfterOptions = true;
}

}  // namespace

int showHelp(OptText, OptText, Selector selector) {
  printOnce(selector.isSet() ? options::kLongPage : options::kExtendedPage, mainTable());
  return options::kContinue;
}

int showHelpTable(OptText name, OptText, Selector) {
  printOnce(options::kLongPage, helpTable(name.value_or("")));
  return options::kContinue;
}

int showVersion(OptText, OptText, Selector) {
  RunSettings& run = settings();
  if (run.exitAfterOptions) return options::kContinue;
  support::out("%s\n", kToolInfo.description);
  support::out("Version: %s %s\n", kToolInfo.version, kToolInfo.buildStamp);
  options::copyrightNotice(kToolInfo);
  if (!run.interactive) run.exitAfterOptions = true;
  return options::kContinue;
}

int showShortUsage(OptText, OptText, Selector) {
  options::printUsage(runState().parser, kNameCase, options::kShortPage, mainTable());
  settings().exitAfterOptions = true;
  return options::kContinue;
}

}  // namespace varda::front
