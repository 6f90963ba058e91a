#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "cmdlang/engine.h"
#include "cmdlang/interp.h"
#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang::testing {

/// What one direct call of a command did.
struct CommandRun {
  bool ok = false;
  bool hasResult = false;
  Value result;
  std::string output;
  std::string report;  // formaterror() after a failure
};

inline Value arg(std::string_view text) { return Value::text(Text(text)); }
inline Value arg(std::int32_t n) { return Value::integer(n); }

/// Calls the command `name` with `args` as a statement of the outermost
/// level would: a frame, its arguments, runcommand.
inline CommandRun callCommand(TestInterp& t, std::string_view name, std::initializer_list<Value> args) {
  CommandRun r;
  t.output.clear();
  const CommandEntry* entry = t.in.commands.find(name);
  if (entry == nullptr) {
    r.report = "no such command";
    return r;
  }
  const std::size_t depth = stackDepth(t.in);
  try {
    support::HandlerScope handler;
    createframe(t.in);
    for (const Value& v : args) addargument(t.in, v);
    runcommand(t.in, Text(name), *entry);
    r.ok = true;
  } catch (const support::Raised&) {
    r.report = t.in.formaterror();
  }
  if (stackDepth(t.in) > depth) {
    r.hasResult = true;
    r.result = pop(t.in);
  }
  r.output = t.output;
  return r;
}

/// A command whose body a test supplies: registered as "probe".
inline std::function<void(Interp&)>& probeBody() {
  static std::function<void(Interp&)> body;
  return body;
}

inline void registerProbe(TestInterp& t) {
  t.in.addcommand(
      "probe", [](Interp& in, std::uint32_t) { probeBody()(in); }, "probe\n");
}

}  // namespace varda::cmdlang::testing
