#include "support/format.h"

namespace varda::support {

std::string vformat(const char* fmt, std::va_list args) {
  std::va_list copy;
  va_copy(copy, args);
  char small[256];
  const int needed = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  if (needed < 0) return {};
  if (static_cast<std::size_t>(needed) < sizeof small)
    return std::string(small, static_cast<std::size_t>(needed));
  std::string result(static_cast<std::size_t>(needed), '\0');
  std::vsnprintf(result.data(), result.size() + 1, fmt, args);
  return result;
}

std::string format(const char* fmt, ...) {
  std::va_list args;
  va_start(args, fmt);
  std::string result = vformat(fmt, args);
  va_end(args);
  return result;
}

void out(const char* fmt, ...) {
  std::va_list args;
  va_start(args, fmt);
  std::vprintf(fmt, args);
  va_end(args);
}

void errText(const std::string& text) {
  std::fflush(stdout);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace varda::support
