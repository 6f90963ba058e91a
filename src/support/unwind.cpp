#include "support/unwind.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace varda::support {
namespace {

// Depth counter as the handler stack keeps it: -1 means no handler.
int depth = -1;
FatalHook fatalHook = nullptr;

}  // namespace

HandlerScope::HandlerScope() {
  // The three module messages carry their own line feed, and fatal() adds one.
  if (depth >= kMaxHandlers - 1) fatal("Exception Depth exceeded\n");
  ++depth;
}

HandlerScope::~HandlerScope() {
  if (--depth < -1) fatal("Too many ExitModules()\n");
}

int handlerCount() { return depth + 1; }

void raise(int code) {
  if (depth < 0) fatal("No exception handler installed\n");
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
