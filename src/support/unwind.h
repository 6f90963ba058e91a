#pragma once

#include <cstddef>

#include "support/format.h"

namespace varda::support {

// The handler stack of the interpreter's protected regions. Errors unwind as
// C++ exceptions; a HandlerScope stands for each installed handler so that the
// depth rule (at most 1024 nested regions) stays observable, and the catch
// clause next to it is the handler's "a code arrived" path.

/// The code every interpreter error carries.
inline constexpr int kInterpreterError = 4100;

/// Most handlers that may be installed at once.
inline constexpr int kMaxHandlers = 1024;

/// The exception object of raise(): just the code.
struct Raised {
  int code;
};

namespace detail {
// Depth counter as the handler stack keeps it: -1 means no handler. Inline
// so that installing a handler costs an increment and a compare.
inline int handlerDepth = -1;
[[gnu::cold]] void handlerOverflow();
[[gnu::cold]] void handlerUnderflow();
}  // namespace detail

/// One installed handler, for the lifetime of the scope. Installing the
/// 1025th reports "Exception Depth exceeded" through fatal().
class HandlerScope {
 public:
  HandlerScope() {
    if (detail::handlerDepth >= kMaxHandlers - 1) detail::handlerOverflow();
    ++detail::handlerDepth;
  }
  ~HandlerScope() {
    if (--detail::handlerDepth < -1) detail::handlerUnderflow();
  }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};

/// Number of handlers installed now (0 when none).
inline int handlerCount() { return detail::handlerDepth + 1; }
/// Whether one more handler may be installed without the depth report (code
/// that would install one and run nothing that can fail may skip it then).
inline bool handlerRoom() { return detail::handlerDepth < kMaxHandlers - 1; }

/// Unwinds to the innermost handler with `code`. With no handler installed it
/// reports "No exception handler installed" through fatal().
[[noreturn]] void raise(int code);

/// Receives a fatal message (already formatted, without the final line feed).
using FatalHook = void (*)(const char* message);

/// Installs a hook that fatal() calls instead of printing and aborting
/// (nullptr removes it); returns the previous one.
FatalHook setFatalHook(FatalHook hook);

/// Writes the formatted message and a line feed on standard error and aborts
/// the program; with a hook installed, hands the message to the hook and
/// returns.
void fatal(const char* fmt, ...) VARDA_PRINTF(1, 2);

/// The allocation-failure report: fatal("%s", "ran out of memory"). When a
/// hook returns, throws std::bad_alloc so the failing allocation never
/// yields memory it does not have.
[[noreturn]] void outOfMemory();

}  // namespace varda::support
