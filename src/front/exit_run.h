#pragma once

namespace varda::front {

/// Ends the process with `status`, after flushing standard output so that
/// nothing printed so far is lost. The one way the front end ends a run early.
[[noreturn]] void exitRun(int status);

/// Called by exitRun with the status, after the flush and before the process
/// ends; it must not return (a harness throws from it to keep the process).
/// None is installed by the program.
using ExitHook = void (*)(int status);
void setExitHook(ExitHook hook);

}  // namespace varda::front
