#include "regmodel/poke_tokenizer.h"

namespace varda::regmodel {

bool PokeLineReader::next(std::string& line) {
  line.clear();
  bool cut = false;  // a NUL byte ended the text of this piece
  int c = 0;
  std::size_t length = 0;
  while (length < kPieceLength && (c = std::getc(file_)) != EOF) {
    ++length;
    if (c == '\0') cut = true;
    if (!cut) line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return length > 0;
}

std::optional<std::string_view> TokenCursor::next(std::string_view separators) {
  const std::size_t start = line_.find_first_not_of(separators, pos_);
  if (start == std::string_view::npos) {
    pos_ = line_.size();
    return std::nullopt;
  }
  std::size_t end = line_.find_first_of(separators, start);
  if (end == std::string_view::npos) end = line_.size();
  pos_ = end;
  return line_.substr(start, end - start);
}

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Reads the longest run of digits of the base from the front of text.
// None when there is no digit; the magnitude saturates at kTooWide.
std::optional<std::uint64_t> readDigits(std::string_view text, int base) {
  std::uint64_t magnitude = 0;
  std::size_t count = 0;
  for (char c : text) {
    const int digit = digitValue(c);
    if (digit >= base) break;
    ++count;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude >= kTooWide) magnitude = kTooWide;
  }
  if (count == 0) return std::nullopt;
  return magnitude;
}

}  // namespace

std::optional<std::uint64_t> convertNumber(std::string_view token) {
  // Prefix order: "0x" hexadecimal, then leading "0" octal, then decimal.
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X') &&
      digitValue(token[2]) < 16) {
    return readDigits(token.substr(2), 16);
  }
  if (!token.empty() && token[0] == '0') return readDigits(token, 8);

  bool negative = false;
  if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
    negative = token[0] == '-';
    token.remove_prefix(1);
  }
  std::optional<std::uint64_t> magnitude = readDigits(token, 10);
  if (!magnitude || *magnitude >= kTooWide || !negative) return magnitude;
  return (kTooWide - *magnitude) & 0xffffffffull;
}

std::optional<std::uint64_t> convertValue(std::string_view token) {
  const std::size_t semicolon = token.find(';');
  if (semicolon != std::string_view::npos) {
    if (token.find_first_not_of(';', semicolon) != std::string_view::npos) return std::nullopt;
    token = token.substr(0, semicolon);
  }
  return convertNumber(token);
}

}  // namespace varda::regmodel
