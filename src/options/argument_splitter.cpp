#include "options/argument_splitter.h"

namespace varda::options {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

SplitResult splitArguments(std::string_view text) {
  SplitResult result;
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && isSpace(text[pos])) ++pos;
    if (pos == text.size()) break;

    std::string arg;
    if (text[pos] != '"') {
      const std::size_t start = pos;
      while (pos < text.size() && !isSpace(text[pos])) ++pos;
      arg.assign(text.substr(start, pos - start));
    } else {
      const std::size_t opening = pos++;
      bool closed = false;
      while (pos < text.size()) {
        if (text[pos] != '"') {
          arg += text[pos++];
        } else if (pos + 1 < text.size() && text[pos + 1] == '"') {
          arg += '"';  // a doubled quote stands for one
          pos += 2;
        } else {
          closed = true;
          ++pos;
          break;
        }
      }
      if (!closed || (pos < text.size() && !isSpace(text[pos]))) {
        return SplitResult{{}, opening};
      }
    }
    if (!arg.empty() && arg.back() == '\n') arg.pop_back();
    result.args.push_back(std::move(arg));
  }
  return result;
}

}  // namespace varda::options
