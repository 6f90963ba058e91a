#pragma once

#include <string>

namespace varda::cmdlang {

/// A command-language script of `lines` lines (a multiple of ten) with
/// procedures, expressions, arrays, loops, command calls and comments: the
/// input of the lexer and parser benchmarks.
inline std::string perftestScript(int lines) {
  std::string s;
  for (int i = 0; i < lines / 10; ++i) {
    const std::string n = std::to_string(i);
    s += "proc p" + n + " a b {\n";
    s += "  a = $1 * 3 + 7 - (0x1f & 12)\n";
    s += "  b = \"text \" + \"more\" / \"o\"\n";
    s += "  if (a > 10 && b != \"\") $$ = a else $$ = b\n";
    s += "}\n";
    s += "x" + n + " = p" + n + "(5)\n";
    s += "y = [1, 2, \"k\" => 3]; y.member = y[1] << 2\n";
    s += "for (i = 0; i < 3; i++) z = i % 2\n";
    s += "write -n \"value\" x" + n + "\n";
    s += "## a comment line\n";
  }
  return s;
}

}  // namespace varda::cmdlang
