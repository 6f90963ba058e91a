#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varda::cmdlang {

/// Reads a number by the language's syntax: blanks, an optional sign (blanks
/// may follow it), then "0x"/"0X" or "#" hexadecimal, "0b"/"0B" binary,
/// "0m"/"0M" hexadecimal with the top bit set, another leading "0" octal, or
/// decimal. Empty when the value does not fit 32 bits, or, for a whole text
/// (`wholeText`), when anything but blanks follows the digits. `used` gets the
/// number of characters read.
std::optional<std::int32_t> parsenumber(std::string_view text, bool wholeText, std::size_t* used = nullptr);

/// Number formats of mkstr and write. ORDER FORMAT.
enum class NumberFormat : int {
  Hex = 0,       // "-x"
  Signed = 1,    // "-d"
  Unsigned = 2,  // "-u"
  Octal = 3,     // "-o"
  Char = 4,      // "-c"
  Binary = 5,    // "-b"
};

/// The text of `value` in `format`; `pad` pads hexadecimal (8 digits), octal
/// (11) and binary (32) with zeros.
std::string formatnumber(std::int32_t value, NumberFormat format, bool pad);

/// Room for formatnumber's longest text (32 binary digits).
constexpr std::size_t kNumberTextSize = 40;
/// formatnumber's text written into `buffer`, without an allocation.
std::string_view formatnumber(std::int32_t value, NumberFormat format, bool pad,
                              char (&buffer)[kNumberTextSize]);

/// The format named by an option text ("-d", "-u", "-x", "-o", "-b", "-c").
std::optional<NumberFormat> formatOption(std::string_view option);

/// Signed decimal, the conversion of an integer to text everywhere else.
std::string decimal(std::int32_t value);

}  // namespace varda::cmdlang
