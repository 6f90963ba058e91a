#include "cmdlang/number_syntax.h"

#include <cctype>
#include <charconv>
#include <cstring>

namespace varda::cmdlang {
namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

std::optional<std::int32_t> parsenumber(std::string_view text, bool wholeText, std::size_t* used) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
    while (i < n && isBlank(text[i])) ++i;
  }
  unsigned base = 10;
  std::uint32_t topBit = 0;
  if (i < n && text[i] == '#') {
    base = 16;
    ++i;
  } else if (i < n && text[i] == '0' && i + 1 < n) {
    const char p = text[i + 1];
    if (p == 'x' || p == 'X') {
      base = 16;
      i += 2;
    } else if (p == 'b' || p == 'B') {
      base = 2;
      i += 2;
    } else if (p == 'm' || p == 'M') {
      base = 16;
      topBit = 0x80000000u;
      i += 2;
    } else {
      base = 8;
      ++i;
    }
  }
  std::uint64_t value = 0;
  for (; i < n; ++i) {
    const int d = digitValue(text[i]);
    if (d >= static_cast<int>(base)) break;
    value = value * base + static_cast<unsigned>(d);
    if (value > 0xffffffffu) return std::nullopt;
  }
  if (used != nullptr) *used = i;
  if (wholeText) {
    for (std::size_t j = i; j < n; ++j)
      if (!isBlank(text[j])) return std::nullopt;
  }
  std::uint32_t result = static_cast<std::uint32_t>(value) | topBit;
  if (negative) result = 0u - result;
  return static_cast<std::int32_t>(result);
}

std::string_view formatnumber(std::int32_t value, NumberFormat format, bool pad,
                              char (&buffer)[kNumberTextSize]) {
  const auto u = static_cast<std::uint32_t>(value);
  // Digits of u in `base` after `prefix`, at least `width` of them, written
  // from the end of the buffer backwards.
  auto digits = [u, &buffer](std::string_view prefix, unsigned base, unsigned width) {
    char* const end = buffer + kNumberTextSize;
    char* p = end;
    std::uint32_t v = u;
    do {
      *--p = "0123456789abcdef"[v % base];
      v /= base;
    } while (v != 0);
    while (static_cast<unsigned>(end - p) < width) *--p = '0';
    p -= prefix.size();
    std::memcpy(p, prefix.data(), prefix.size());
    return std::string_view(p, static_cast<std::size_t>(end - p));
  };
  switch (format) {
    case NumberFormat::Hex: return digits("0x", 16, pad ? 8 : 0);
    case NumberFormat::Signed: {
      const std::to_chars_result r = std::to_chars(buffer, buffer + kNumberTextSize, value);
      return std::string_view(buffer, static_cast<std::size_t>(r.ptr - buffer));
    }
    case NumberFormat::Unsigned: return digits("", 10, 0);
    case NumberFormat::Octal: return digits("0", 8, pad ? 11 : 0);
    case NumberFormat::Char: {
      const unsigned char c = static_cast<unsigned char>(u);
      const bool printable = u < 256 && (std::isalnum(c) || std::ispunct(c) || c == ' ');
      buffer[0] = printable ? static_cast<char>(c) : '.';
      return std::string_view(buffer, 1);
    }
    case NumberFormat::Binary: return digits("", 2, pad ? 32 : 0);
  }
  return {};
}

std::string formatnumber(std::int32_t value, NumberFormat format, bool pad) {
  char buffer[kNumberTextSize];
  return std::string(formatnumber(value, format, pad, buffer));
}

std::optional<NumberFormat> formatOption(std::string_view option) {
  if (option == "-d") return NumberFormat::Signed;
  if (option == "-u") return NumberFormat::Unsigned;
  if (option == "-x") return NumberFormat::Hex;
  if (option == "-o") return NumberFormat::Octal;
  if (option == "-b") return NumberFormat::Binary;
  if (option == "-c") return NumberFormat::Char;
  return std::nullopt;
}

std::string decimal(std::int32_t value) { return std::to_string(value); }

}  // namespace varda::cmdlang
