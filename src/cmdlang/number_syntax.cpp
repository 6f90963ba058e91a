#include "cmdlang/number_syntax.h"

#include <cctype>

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

std::string formatnumber(std::int32_t value, NumberFormat format, bool pad) {
  const auto u = static_cast<std::uint32_t>(value);
  // Digits of u in `base` after `prefix`, at least `width` of them.
  auto digits = [u](const char* prefix, unsigned base, unsigned width) {
    char reversed[32];
    unsigned n = 0;
    std::uint32_t v = u;
    do {
      reversed[n++] = "0123456789abcdef"[v % base];
      v /= base;
    } while (v != 0);
    std::string s(prefix);
    if (n < width) s.append(width - n, '0');
    while (n > 0) s.push_back(reversed[--n]);
    return s;
  };
  switch (format) {
    case NumberFormat::Hex: return digits("0x", 16, pad ? 8 : 0);
    case NumberFormat::Signed: return decimal(value);
    case NumberFormat::Unsigned: return std::to_string(u);
    case NumberFormat::Octal: return digits("0", 8, pad ? 11 : 0);
    case NumberFormat::Char: {
      const unsigned char c = static_cast<unsigned char>(u);
      const bool printable = u < 256 && (std::isalnum(c) || std::ispunct(c) || c == ' ');
      return std::string(1, printable ? static_cast<char>(c) : '.');
    }
    case NumberFormat::Binary: return digits("", 2, pad ? 32 : 0);
  }
  return {};
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
