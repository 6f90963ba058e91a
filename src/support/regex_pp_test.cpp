#include "support/regex_pp.h"

#include <gtest/gtest.h>

#include <string>

namespace varda::support {
namespace {

// Suites are named regex_* so that "ctest -R regex" picks them out.

// The codes of `expression` made readable: operators as {op} ("{!}" negates a set),
// control characters as <n>, anything else as itself; "error N" for a failure.
std::string codesOf(std::string_view expression) {
  std::string codes;
  if (const RxFailure* failure = preprocessRx(expression, codes))
    return "error " + std::to_string(failure->code);
  static const char* const kNames[] = {"{*}", "{+}", "{?}", "{[}", "{]}", "{(}", "{)}",
                                       "{^}", "{$}", "{.}", "{-}", "{|}", "{!}"};
  std::string readable;
  for (const char c : codes) {
    const auto u = static_cast<unsigned char>(c);
    if (isRxOperator(u)) {
      readable += kNames[u - kRxStar];
    } else if (u < 0x20) {
      readable += "<" + std::to_string(u) + ">";
    } else {
      readable += c;
    }
  }
  return readable;
}

// Operators are recognised by position: a quantifier that opens the expression is a
// literal, "^" is an operator only first and "$" only last.
TEST(regex_preprocess, OperatorsByPosition) {
  EXPECT_EQ(codesOf("*a+b?"), "*a{+}b{?}");
  EXPECT_EQ(codesOf("+a*"), "+a{*}");
  EXPECT_EQ(codesOf("?"), "?");
  EXPECT_EQ(codesOf("^a^b$c$"), "{^}a^b$c{$}");
  EXPECT_EQ(codesOf("^"), "{^}");
  EXPECT_EQ(codesOf("$"), "{$}");
  EXPECT_EQ(codesOf("$$"), "${$}");
  EXPECT_EQ(codesOf("a.b|(c)"), "a{.}b{|}{(}c{)}");
  EXPECT_EQ(codesOf("(*)"), "{(}{*}{)}");
  EXPECT_EQ(codesOf("a]b-c"), "a]b-c");
  EXPECT_EQ(codesOf(""), "");
}

// Inside a set only "-" between two characters, the closing "]" and a leading "^" are
// operators; "]" and "-" are plain as the set's first character (after "^" too), and
// "-" is plain before the closing "]".
TEST(regex_preprocess, Sets) {
  EXPECT_EQ(codesOf("[^a-z]"), "{[}{!}a{-}z{]}");
  EXPECT_EQ(codesOf("[]a-]"), "{[}]a-{]}");
  EXPECT_EQ(codesOf("[^]-a]x"), "{[}{!}]{-}a{]}x");
  EXPECT_EQ(codesOf("[-a]"), "{[}-a{]}");
  EXPECT_EQ(codesOf("[^-]"), "{[}{!}-{]}");
  EXPECT_EQ(codesOf("[a^]"), "{[}a^{]}");
  EXPECT_EQ(codesOf("[*+?(.|)^]*"), "{[}*+?(.|)^{]}{*}");
  EXPECT_EQ(codesOf("[a-c-e]"), "{[}a{-}c{-}e{]}");
  EXPECT_EQ(codesOf("[]"), "{[}]");
  EXPECT_EQ(codesOf("[a"), "{[}a");
  EXPECT_EQ(codesOf("[a-"), "{[}a-");
  EXPECT_EQ(codesOf("[$"), "{[}$");
  EXPECT_EQ(codesOf("[a]$"), "{[}a{]}{$}");
}

// "\a" is the backspace like "\b"; other escaped characters are themselves, also
// inside sets; a backslash at the very end stands for itself.
TEST(regex_preprocess, Escapes) {
  EXPECT_EQ(codesOf("\\a\\b\\f\\n\\r\\t\\v"), "<8><8><12><10><13><9><11>");
  EXPECT_EQ(codesOf("\\q\\\\\\*\\(\\[\\.\\|"), "q\\*([.|");
  EXPECT_EQ(codesOf("\\^a\\$"), "^a$");
  EXPECT_EQ(codesOf("a\\"), "a\\");
  EXPECT_EQ(codesOf("[\\]]"), "{[}]{]}");
  EXPECT_EQ(codesOf("[a\\-z\\n]"), "{[}a-z<10>{]}");
  EXPECT_EQ(codesOf("[\\t-\\r]"), "{[}<9>{-}<13>{]}");
}

// Letters, digits, punctuation and the space pass; a tab, DEL, other control
// characters and bytes from 128 up are error 8, also after a backslash.
TEST(regex_preprocess, UnprintableCharacters) {
  EXPECT_EQ(codesOf(" ~azAZ09!/:@[`{"), " ~azAZ09!/:@{[}`{");
  EXPECT_EQ(codesOf("a\tb"), "error 8");
  EXPECT_EQ(codesOf("a\x7f"), "error 8");
  EXPECT_EQ(codesOf("\x1f"), "error 8");
  EXPECT_EQ(codesOf("ab\xc3\xa9"), "error 8");
  EXPECT_EQ(codesOf("\\\n"), "error 8");
  EXPECT_EQ(codesOf("[a\r]"), "error 8");
}

}  // namespace
}  // namespace varda::support
