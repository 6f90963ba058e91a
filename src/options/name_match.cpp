#include "options/name_match.h"

namespace varda::options {

namespace {

// Only A to Z fold; every other byte (including letters outside ASCII)
// compares as it is.
char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

NameMatch matchName(std::string_view name, std::string_view text, bool caseSensitive) {
  if (text.size() < name.size()) return NameMatch::kNone;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool same = caseSensitive ? name[i] == text[i] : fold(name[i]) == fold(text[i]);
    if (!same) return NameMatch::kNone;
  }
  return text.size() == name.size() ? NameMatch::kExact : NameMatch::kJoined;
}

}  // namespace varda::options
