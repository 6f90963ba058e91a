#include "support/info.h"

#include <cstdarg>
#include <cstdio>

namespace varda::support {

void info(const char* fmt, ...) {
  std::fputs("Info> ", stdout);
  std::va_list args;
  va_start(args, fmt);
  std::vprintf(fmt, args);
  va_end(args);
  std::fflush(stdout);
}

}  // namespace varda::support
