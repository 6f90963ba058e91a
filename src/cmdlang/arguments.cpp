#include "cmdlang/arguments.h"

#include "cmdlang/engine.h"
#include "cmdlang/interp.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/values.h"

namespace varda::cmdlang {

int matcharguments(Interp& in, std::span<const ArgForm> forms, std::span<const ArgOption> options) {
  (void)in;
  (void)forms;
  (void)options;
  return 0;
}

int matchoptions(Interp& in, std::span<const ArgForm> forms, std::span<const ArgOption> options) {
  return matcharguments(in, forms, options);
}

}  // namespace varda::cmdlang
