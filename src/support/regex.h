#pragma once
// The command language's regular-expression engine: finds the first match of
// an expression in a text, with the engine's numbered errors reported through
// a replaceable reporter. The stages live in regex_pp (codes), regex_fsm
// (automaton) and regex_run (search); this file joins them.

#include <string_view>

namespace varda::support {

/// Receives the engine's error message and code. May throw (the interpreter's reporter throws);
/// the engine has released everything before calling it.
using RxReporter = void (*)(const char* message, int code);

/// Installs a reporter (nullptr restores the default) and returns the previous one.
RxReporter setRxReporter(RxReporter reporter);

/// The default reporter: prints "%s. (Error Code %d)\n" on standard output.
void rxreport(const char* message, int code);

/// Finds the first match of `expression` in `subject` (neither contains NUL bytes).
/// Returns the start offset, or -1 when nothing matched (*length = 0) or after an error (*length = -1).
int rxmatch(std::string_view expression, std::string_view subject, int* length);

/// Forgets the automata kept between calls (they are rebuilt on demand; nothing observable changes).
void clearRxCache();

}  // namespace varda::support
