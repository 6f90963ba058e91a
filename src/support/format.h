#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace varda::support {

#if defined(__GNUC__) || defined(__clang__)
#define VARDA_PRINTF(fmt_index, first_arg) __attribute__((format(printf, fmt_index, first_arg)))
#else
#define VARDA_PRINTF(fmt_index, first_arg)
#endif

/// printf into a std::string of whatever length the result needs.
std::string format(const char* fmt, ...) VARDA_PRINTF(1, 2);
std::string vformat(const char* fmt, std::va_list args);

/// printf to standard output: every front-end message goes through here.
void out(const char* fmt, ...) VARDA_PRINTF(1, 2);

/// Writes text to standard error after flushing standard output, so that the
/// two streams keep their order on a shared terminal or pipe.
void errText(const std::string& text);

}  // namespace varda::support
