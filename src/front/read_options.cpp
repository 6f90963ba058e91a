#include "front/read_options.h"

#include <cstdio>
#include <string>
#include <utility>

#include "front/parameters_writer.h"
#include "front/procedure_writer.h"
#include "front/read_back_state.h"
#include "front/read_mode.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {
namespace {

using options::kContinue;
using support::out;

/// False, after the error, outside interactive mode; the value form names the value too.
bool interactiveOnly(const OptText& name, const OptText& value) {
  if (settings().interactive) return true;
  if (value) {
    out("%s: Error: -%s %s not valid as not in interactive mode\n", kProgramName, name.value_or("").c_str(),
        value->c_str());
  } else {
    out("%s: Error: -%s not valid as not in interactive mode\n", kProgramName, name.value_or("").c_str());
  }
  return false;
}

}  // namespace

int startReadMode(OptText, OptText value, Selector) {
  RunSettings& run = settings();
  if (run.readMode) {
    out("%s: Error: invalid use of the read option\n", kProgramName);
    return kContinue;
  }
  run.readMode = true;
  run.readFile = std::move(value);
  return kContinue;
}

int writeReadParameters(OptText name, OptText value, Selector) {
  if (!interactiveOnly(name, value)) return kContinue;
  RunSettings& run = settings();
  if (run.readFile) {
    runReadFile();
    run.readFile.reset();
  }
  writeParameters(readBackState(), value);
  return kContinue;
}

int showParameters(OptText name, OptText, Selector) {
  if (!interactiveOnly(name, std::nullopt)) return kContinue;
  RunSettings& run = settings();
  if (run.readMode) {
    out("%s: Error: invalid use of the read/parameters option\n", kProgramName);
    return kContinue;
  }
  showCurrentParameters(stdout);
  run.readMode = false;
  return kContinue;
}

int writeProcedureNow(OptText name, OptText value, Selector) {
  if (interactiveOnly(name, value)) writeConfiguration(value);
  return kContinue;
}

int showProcedureNow(OptText name, OptText, Selector) {
  if (interactiveOnly(name, std::nullopt)) showConfiguration();
  return kContinue;
}

int dumpReadWords(OptText, OptText, Selector) {
  dumpReadBackWords();
  return kContinue;
}

}  // namespace varda::front
