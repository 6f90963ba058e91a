#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cmdlang/interp.h"

namespace varda::front {

/// The tool's side of the embedded interpreter: the interpreter of the run,
/// the option line the emi command builds, and where the poke command writes.
struct CommandBridge {
  std::unique_ptr<cmdlang::Interp> interp;  ///< started by startInterpreter()
  std::optional<std::string> pendingLine;   ///< the option line emi's options build
  std::optional<std::string> emiText;       ///< emi's free-text argument
  int previousEmiResult = 0;                ///< the result of the previous emi option line
  std::FILE* pokeSink = nullptr;            ///< set only while a read file runs
};

/// Start-up of the interpreter, in this order: the include search path, the
/// interpreter with its output sink on standard error and its input from
/// standard input, the emi and poke commands, the variables help_all,
/// help_long_and_ext, help_extended, no_args and args.
void startInterpreter();

/// The run's interpreter (started on first use).
cmdlang::Interp& interpreter();

/// Runs a statement in the interpreter. A failure prints the error report
/// ("%s: Error: file %s at line %d, %s\n%s" when a file is known, else
/// "%s: Error: %s\n%s") and returns false.
bool tryStatement(const std::string& text);

/// tryStatement; a failure ends the run with status 1.
void runStatement(const std::string& text);

/// "include <file>": the bare words of the command line.
void includeScript(const std::string& file);

/// "<name>": -p outside read mode, and a read file's procedure.
void runProcedure(const std::string& name);

/// Where poke commands write "poke 0x%x 0x%x\n" (nullptr: nowhere).
void setPokeSink(std::FILE* sink);

}  // namespace varda::front
