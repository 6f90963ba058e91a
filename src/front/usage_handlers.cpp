#include "front/usage_handlers.h"

#include "front/option_table.h"
#include "front/run_settings.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "options/usage_printer.h"
#include "options/version_line.h"
#include "support/format.h"

namespace varda::front {
namespace {

constexpr int kCaseSensitive = 2;

// Prints one usage page unless an earlier help or version option already
// printed; outside interactive mode the run then ends after parsing.
void printOnce(int level, OptionTable table) {
  RunSettings& run = settings();
  if (run.exitAfterOptions) return;
  options::printUsage(kCaseSensitive, level, table);
  if (!run.interactive) run.exitAfterOptions = true;
}

}  // namespace

int showHelp(OptText, OptText, const void* selector) {
  printOnce(selector != nullptr ? options::kLongPage : options::kExtendedPage, mainTable());
  return options::kContinue;
}

int showHelpTable(OptText name, OptText, const void*) {
  printOnce(options::kLongPage, helpTable(name.value_or("")));
  return options::kContinue;
}

int showVersion(OptText, OptText, const void*) {
  RunSettings& run = settings();
  if (run.exitAfterOptions) return options::kContinue;
  support::out("%s\n", kToolInfo.description);
  support::out("Version: %s %s\n", kToolInfo.version, kToolInfo.buildStamp);
  options::copyrightNotice(kToolInfo);
  if (!run.interactive) run.exitAfterOptions = true;
  return options::kContinue;
}

int showShortUsage(OptText, OptText, const void*) {
  options::printUsage(kCaseSensitive, options::kShortPage, mainTable());
  settings().exitAfterOptions = true;
  return options::kContinue;
}

}  // namespace varda::front
