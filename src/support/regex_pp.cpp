#include "support/regex_pp.h"

namespace varda::support {

namespace {

// Letters, digits, punctuation and the space: the characters 32 to 126. A tab or any
// byte from 127 up is unprintable.
bool printable(unsigned char c) { return c >= 0x20 && c <= 0x7e; }

// The character a backslash makes of `c`: "\a" is the backspace like "\b" (8, not 7).
char escaped(char c) {
  switch (c) {
    case 'a':
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    default: return c;
  }
}

// Appends the literal that starts at expression[i] (a backslash escape or a plain
// character) and returns the index after it. A backslash that ends the expression has
// nothing to escape and stands for itself.
std::size_t literal(std::string_view expression, std::size_t i, std::string& codes) {
  if (expression[i] == '\\' && i + 1 < expression.size()) {
    codes += escaped(expression[i + 1]);
    return i + 2;
  }
  codes += expression[i];
  return i + 1;
}

// A set from just after its "[" to its closing "]" (or the end of the expression, when
// none closes it: the set then takes the rest). Returns the index after the set.
std::size_t set(std::string_view expression, std::size_t i, std::string& codes) {
  const std::size_t n = expression.size();
  if (i < n && expression[i] == '^') {
    codes += static_cast<char>(kRxSetNegate);
    ++i;
  }
  // "First" is the first character of the set proper, after a negating "^": there a "]"
  // or a "-" is an ordinary character.
  bool first = true;
  while (i < n) {
    const char c = expression[i];
    if (c == ']' && !first) {
      codes += static_cast<char>(kRxSetClose);
      return i + 1;
    }
    if (c == '-' && !first && i + 1 < n && expression[i + 1] != ']') {
      codes += static_cast<char>(kRxRange);
      ++i;
    } else {
      i = literal(expression, i, codes);
    }
    first = false;
  }
  return i;
}

// The operator code of expression[i] outside a set, or 0 when it is a literal there.
unsigned char operatorCode(std::string_view expression, std::size_t i) {
  const bool first = i == 0;
  const bool last = i + 1 == expression.size();
  switch (expression[i]) {
    // A quantifier that opens the expression has nothing to apply to: it is literal there.
    case '*': return first ? 0 : kRxStar;
    case '+': return first ? 0 : kRxPlus;
    case '?': return first ? 0 : kRxQuestion;
    case '^': return first ? kRxLineStart : 0;
    case '$': return last ? kRxLineEnd : 0;
    case '(': return kRxGroupOpen;
    case ')': return kRxGroupClose;
    case '.': return kRxAny;
    case '|': return kRxAlternative;
    case '[': return kRxSetOpen;
    default: return 0;
  }
}

}  // namespace

const RxFailure* preprocessRx(std::string_view expression, std::string& codes) {
  codes.clear();
  for (const char c : expression) {
    if (!printable(static_cast<unsigned char>(c))) return &kRxUnprintable;
  }
  std::size_t i = 0;
  while (i < expression.size()) {
    const unsigned char code = operatorCode(expression, i);
    if (code == 0) {
      i = literal(expression, i, codes);
      continue;
    }
    codes += static_cast<char>(code);
    ++i;
    if (code == kRxSetOpen) i = set(expression, i, codes);
  }
  return nullptr;
}

}  // namespace varda::support
