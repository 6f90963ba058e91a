#pragma once

namespace varda::front {

/// Ends the process with `status`, after flushing standard output so that
/// nothing printed so far is lost. The one way the front end ends a run early.
[[noreturn]] void exitRun(int status);

}  // namespace varda::front
