#include "options/environment_text.h"

namespace varda::options {

EnvironmentParts splitEnvironmentText(std::string_view text) {
  bool quoted = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
      ++i;
    } else if (c == '\\') {
      if (!quoted && i + 1 < text.size() && text[i + 1] == '|') {
        return {text.substr(0, i), text.substr(i + 2)};
      }
      // The skip applies inside quotes too, so a backslash-quote there does
      // not end the quoted part. A backslash at the very end just ends the scan.
      i += 2;
    } else if (c == '|' && !quoted) {
      return {text.substr(0, i), text.substr(i + 1)};
    } else {
      ++i;
    }
  }
  return {text, std::nullopt};
}

}  // namespace varda::options
