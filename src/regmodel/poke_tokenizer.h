#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace varda::regmodel {

/// Reads a poke file in pieces of at most 255 characters; each piece is a line.
///
/// A piece ends after a line feed or after 255 characters, whichever comes
/// first, exactly as a 256-byte line buffer fills. A line longer than 255
/// characters (its line feed included) is therefore read as several pieces and
/// every piece counts as a line of its own: the line numbers of later messages
/// count the pieces. Nothing else is done to a long line. Text after a NUL byte
/// within a piece is ignored, as in a C string.
class PokeLineReader {
 public:
  static constexpr std::size_t kPieceLength = 255;

  explicit PokeLineReader(std::FILE* file) : file_(file) {}

  /// Reads the next piece into line; false at the end of the file.
  bool next(std::string& line);

 private:
  std::FILE* file_;  ///< not owned
};

/// Walks the tokens of one line, strtok-style: each call skips separators and
/// returns the run of characters up to the next one.
class TokenCursor {
 public:
  /// Carriage return, line feed, tab, space and both braces.
  static constexpr std::string_view kSeparators = "\r\n\t {}";
  /// The separators, plus ";" once the value of a poke line has been read.
  static constexpr std::string_view kTrailingSeparators = "\r\n\t {};";

  explicit TokenCursor(std::string_view line) : line_(line) {}

  /// The next token, or none when only separators are left.
  std::optional<std::string_view> next(std::string_view separators = kSeparators);

 private:
  std::string_view line_;
  std::size_t pos_ = 0;  ///< where the next search starts
};

/// A number read from a token: none when the token begins with no number.
/// The value is the number as an unsigned 32-bit quantity; numbers whose
/// magnitude needs more than 32 bits are kept as kTooWide so that no register
/// address matches them and no value limit admits them.
inline constexpr std::uint64_t kTooWide = 0x100000000ull;

/// Converts the longest valid prefix of token by its prefix:
///   "0x"/"0X" followed by a hexadecimal digit: hexadecimal;
///   otherwise a leading "0": octal;
///   otherwise decimal, with an optional "+" or "-" in front.
/// The sign belongs to the decimal rule only, so "-0x10" reads as "-0" (0) and
/// "-010" as -10. A negative number is taken modulo 2^32 (-1 is 0xffffffff).
/// A number beginning "0b"/"0B" is not read as binary: it stops at the "b"
/// and is 0 (the same under the octal and the decimal rule). "0x" without a
/// hexadecimal digit reads as 0.
std::optional<std::uint64_t> convertNumber(std::string_view token);

/// Converts a value token. It may end in one or more ";", which are dropped
/// first; any other character after the first ";" makes it no value. None
/// also when the token begins with no number.
std::optional<std::uint64_t> convertValue(std::string_view token);

}  // namespace varda::regmodel
