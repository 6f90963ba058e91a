#include "front/output_options.h"

#include <utility>

#include "front/run_state.h"
#include "options/option_record.h"

namespace varda::front {

int setOutputFile(OptText, OptText value, Selector) {
  settings().outputFile = std::move(value);
  return options::kContinue;
}

int setProcName(OptText, OptText value, Selector) {
  settings().procName = value.value_or("");
  return options::kContinue;
}

int setPokeCommand(OptText, OptText value, Selector) {
  settings().pokeCommand = value.value_or("");
  return options::kContinue;
}

}  // namespace varda::front
