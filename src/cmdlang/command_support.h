#pragma once

#include <cstdint>

#include "cmdlang/interp.h"
#include "cmdlang/scope.h"

namespace varda::cmdlang {

/// The local table of the script that called the running command (none at
/// the outermost level). The current table is the command's own, holding
/// only its arguments and result.
inline SymbolTable* callerLocals(Interp& in) {
  return in.eng.frames.empty() ? nullptr : scopeTable(in, in.eng.frames.back().saved);
}

/// Saves where the engine stands (cell being executed, skip flag, local
/// table, running command) and puts it back when a command that ran other
/// code (a `when` body, a procedure) goes on or unwinds.
class ExecutionPoint {
 public:
  explicit ExecutionPoint(Interp& in)
      : in_(in),
        code_(in.eng.code),
        cell_(in.eng.cell),
        skip_(in.eng.skip),
        scope_(in.eng.scope),
        command_(in.eng.commandName) {}
  ~ExecutionPoint() {
    in_.eng.code = code_;
    in_.eng.cell = cell_;
    in_.eng.skip = skip_;
    setScope(in_, scope_);
    in_.eng.commandName = command_;
  }
  ExecutionPoint(const ExecutionPoint&) = delete;
  ExecutionPoint& operator=(const ExecutionPoint&) = delete;

 private:
  Interp& in_;
  const CodeObject* code_;
  std::int32_t cell_;
  bool skip_;
  Scope scope_;
  Text command_;
};

}  // namespace varda::cmdlang
