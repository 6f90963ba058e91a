#include "support/unwind.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace varda::support {
namespace {

FatalHook fatalHook = nullptr;

}  // namespace

// The three module messages carry their own line feed, and fatal() adds one.
void detail::handlerOverflow() { fatal("Exception Depth exceeded\n"); }
void detail::handlerUnderflow() { fatal("Too many ExitModules()\n"); }

void raise(int code) {
  if (detail::handlerDepth < 0) fatal("No exception handler installed\n");
  throw Raised{code};
}

FatalHook setFatalHook(FatalHook hook) {
  FatalHook previous = fatalHook;
  fatalHook = hook;
  return previous;
}

void fatal(const char* fmt, ...) {
  std::va_list args;
  va_start(args, fmt);
  const std::string message = vformat(fmt, args);
  va_end(args);
  if (fatalHook != nullptr) {
    fatalHook(message.c_str());
    return;
  }
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  std::abort();
}

void outOfMemory() {
  fatal("%s", "ran out of memory");
  throw std::bad_alloc();
}

}  // namespace varda::support
