#include "front/output_options.h"

#include <utility>

#include "front/run_settings.h"
#include "options/option_record.h"

namespace varda::front {

int setOutputFile(OptText, OptText value, const void*) {
  settings().outputFile = std::move(value);
  return options::kContinue;
}

int setProcName(OptText, OptText value, const void*) {
  settings().procName = value.value_or("");
  return options::kContinue;
}

int setPokeCommand(OptText, OptText value, const void*) {
  settings().pokeCommand = value.value_or("");
  return options::kContinue;
}

}  // namespace varda::front
