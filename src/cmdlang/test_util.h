#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "cmdlang/interp.h"

namespace varda::cmdlang::testing {

/// What one text run through a fresh interpreter did.
struct ScriptRun {
  bool ok = false;
  std::int32_t result = 0;
  std::string output;  // everything handed to the output sink
  std::string report;  // formaterror() after a failure
};

/// A started interpreter whose sink is collected in `output`.
struct TestInterp {
  Interp in;
  std::string output;
  TestInterp() {
    in.initsearchpath();
    in.clinitialise([this](std::string_view t) { output.append(t); }, nullptr, nullptr);
  }
  /// Runs `text` (statements may follow earlier runs on the same interpreter).
  ScriptRun run(std::string_view text) {
    ScriptRun r;
    output.clear();
    r.ok = in.parseandexecute(text, &r.result);
    r.output = output;
    if (!r.ok) r.report = in.formaterror();
    return r;
  }
};

/// Runs `text` through a fresh interpreter.
inline ScriptRun runScript(std::string_view text) {
  TestInterp t;
  return t.run(text);
}

}  // namespace varda::cmdlang::testing
