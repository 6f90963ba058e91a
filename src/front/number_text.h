#pragma once

#include <cstdint>
#include <string_view>

namespace varda::front {

/// Reads an option value as an unsigned 32-bit number the way the C library's
/// strtoul does with a 32-bit long: leading white space, an optional sign (a
/// minus negates modulo 2^32), then the longest run of digits; a value too
/// large saturates at 0xffffffff; text without digits gives 0.
/// `base` is 10 or 16; base 16 also accepts a "0x" or "0X" prefix.
std::uint32_t parseUnsigned(std::string_view text, int base);

inline std::uint32_t decimalValue(std::string_view text) { return parseUnsigned(text, 10); }
inline std::uint32_t hexValue(std::string_view text) { return parseUnsigned(text, 16); }

}  // namespace varda::front
