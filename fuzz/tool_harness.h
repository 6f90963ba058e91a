#pragma once
// Shared by the fuzz targets that run the tool's interpreter (read_mode,
// emi_line): the run's interpreter started as the program starts it, then
// confined so that no input reaches outside the scratch directory, runs for
// ever or ends the process.

#include <string_view>

namespace varda::cmdlang {
struct Interp;
}

namespace varda::fuzz {

/// Thrown where the process would end: by exitRun (the front end's early
/// end of a run) and by support::fatal (the 1024-deep handler rule and the
/// operation budget). Targets catch it around each input.
struct RunEnded {};

/// Installs the exit and fatal hooks that throw RunEnded. Call once, from
/// LLVMFuzzerInitialize.
void installEndHooks();

/// Starts the input: the front end's state as in a new process (see
/// startInput), the run's interpreter started as at program start, with its
/// output sink silenced, an operation budget, and these commands confined:
///  - `sys` starts no process (it answers 0);
///  - the commands that create, remove, rename or write files, or change
///    directory, run only when every path they are given names an entry of
///    the scratch directory itself (no "/", not "." or "..");
///  - `emi` runs only when none of its text arguments holds a "/": its
///    options name files (-o, -read, -proc-name for "<name>.dat", argument
///    files, scripts as bare words of its free text, -iro, -io), and with no
///    "/" each names an entry of the scratch directory.
/// `include` and the reading commands only read.
void startToolInput();

/// Confines an interpreter as startToolInput does (all but `emi`, which only
/// the tool registers): an operation budget, `sys` starting no process, and
/// the file and directory commands kept to entries of the scratch directory.
void confineInterpreter(cmdlang::Interp& in);

/// Runs one statement in the run's interpreter as the tool does (an error is
/// reported, not thrown); false after an error.
bool runToolStatement(std::string_view text);

}  // namespace varda::fuzz
