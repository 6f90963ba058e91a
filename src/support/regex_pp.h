#pragma once
// RXPP: the first stage of the regular-expression engine. It turns an expression
// into a string of internal codes: operators become the codes below, every other
// character (escapes resolved) stands for itself.

#include <string>
#include <string_view>

#include "support/regex_failure.h"

namespace varda::support {

/// Operator codes of a preprocessed expression. Literal characters never take these
/// values: they are printable (32 and up) or the escapes' control characters (8 to 13).
enum RxCode : unsigned char {
  kRxStar = 16,         // "*"
  kRxPlus = 17,         // "+"
  kRxQuestion = 18,     // "?"
  kRxSetOpen = 19,      // "["
  kRxSetClose = 20,     // "]" closing a set
  kRxGroupOpen = 21,    // "("
  kRxGroupClose = 22,   // ")"
  kRxLineStart = 23,    // "^" as the first character
  kRxLineEnd = 24,      // "$" as the last character
  kRxAny = 25,          // "."
  kRxRange = 26,        // "-" between two characters of a set
  kRxAlternative = 27,  // "|"
  kRxSetNegate = 28,    // "^" right after "["
};

inline bool isRxOperator(unsigned char code) { return code >= kRxStar && code <= kRxSetNegate; }

/// Preprocesses `expression` into `codes` (replacing its contents); error 8 when a
/// character is not printable.
const RxFailure* preprocessRx(std::string_view expression, std::string& codes);

}  // namespace varda::support
