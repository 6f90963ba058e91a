#include "cmdlang/lexer.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cmdlang/compiler.h"
#include "cmdlang/search_path.h"
#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

using testing::TestInterp;

/// A readable name for a token and its value.
std::string show(Interp& in, int t, std::int32_t v) {
  auto withText = [&](const char* name) { return std::string(name) + "(" + takeText(in, v).str() + ")"; };
  auto withNumber = [&](const char* name) { return std::string(name) + "(" + std::to_string(v) + ")"; };
  switch (static_cast<Tok>(t)) {
    case Tok::If: return "IF";
    case Tok::When: return "WHEN";
    case Tok::While: return "WHILE";
    case Tok::For: return "FOR";
    case Tok::Else: return "ELSE";
    case Tok::Proc: return "PROC";
    case Tok::Include: return "INCLUDE";
    case Tok::Directory: return "DIRECTORY";
    case Tok::Line: return "LINE";
    case Tok::AssignOp: return withNumber("ASSIGNOP");
    case Tok::Eof: return "EOF";
    case Tok::Number: return withNumber("NUMBER");
    case Tok::Arg: return withNumber("ARG");
    case Tok::AllArgs: return "ALLARGS";
    case Tok::NArgs: return "NARGS";
    case Tok::Subst: return "SUBST";
    case Tok::String: return withText("STRING");
    case Tok::Name: return withText("NAME");
    case Tok::ProcName: return withText("PROCNAME");
    case Tok::Command: return withText("COMMAND");
    default: break;
  }
  if (t == '\n') return "NL";
  if (t < 256) return std::string(1, static_cast<char>(t));
  return "#" + std::to_string(t);
}

/// The tokens of `text` up to the first EOF, blank-separated; or "error: "
/// and the error message when reading them raised one.
std::string tokens(Interp& in, std::string_view text, bool defining = false) {
  resetLexer(in, text);
  in.compiler->defining = defining;
  std::string out;
  try {
    support::HandlerScope handler;
    for (;;) {
      std::int32_t v = 0;
      const int t = nextToken(in, &v);
      if (!out.empty()) out += ' ';
      out += show(in, t, v);
      if (t == static_cast<int>(Tok::Eof)) break;
    }
  } catch (const support::Raised&) {
    out = "error: " + in.error.message;
  }
  in.compiler->defining = false;
  return out;
}

TEST(Lexer, CommandArgumentsAndComments) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, "write a b ## note\n"), "COMMAND(write) STRING(a) STRING(b) NL EOF");
  // The line feed ends the mode; "else" ends it too and is the keyword.
  EXPECT_EQ(tokens(t.in, "write a\nb\n"), "COMMAND(write) STRING(a) NL NAME(b) NL EOF");
  EXPECT_EQ(tokens(t.in, "write x else y\n"), "COMMAND(write) STRING(x) ELSE NAME(y) NL EOF");
  // ";", "," and "}" end the mode and are returned; a bare word stops at
  // "})\n\t; " only.
  EXPECT_EQ(tokens(t.in, "write a,b; c\n"), "COMMAND(write) STRING(a,b) ; NAME(c) NL EOF");
  EXPECT_EQ(tokens(t.in, "write {x}\n"), "COMMAND(write) STRING({x) } NL EOF");
  // "<...>" and quoted texts; a single "#" is part of a word.
  EXPECT_EQ(tokens(t.in, "write <a b> \"c d\" #e x+1\n"),
            "COMMAND(write) STRING(<a b>) STRING(c d) STRING(#e) STRING(x+1) NL EOF");
  // Parentheses lex their inside in normal mode and restore the mode after.
  EXPECT_EQ(tokens(t.in, "write (a + 1) b\n"), "COMMAND(write) ( NAME(a) + NUMBER(1) ) STRING(b) NL EOF");
  EXPECT_EQ(tokens(t.in, "(write a) + 1\n"), "( COMMAND(write) STRING(a) ) + NUMBER(1) NL EOF");
}

TEST(Lexer, NamesKeywordsAndProcedures) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, "if when while for else proc include directory\n"),
            "IF WHEN WHILE FOR ELSE PROC INCLUDE DIRECTORY NL EOF");
  EXPECT_EQ(tokens(t.in, "_a1 #line\n"), "NAME(_a1) LINE NL EOF");
  // A procedure is found before a command of the same name.
  t.in.procedures.insert(Text("write"), CodeObject::make());
  t.in.procedures.insert(Text("p"), CodeObject::make());
  EXPECT_EQ(tokens(t.in, "p 1 (2)\n"), "PROCNAME(p) STRING(1) ( NUMBER(2) ) NL EOF");
  EXPECT_EQ(tokens(t.in, "write x\n"), "PROCNAME(write) STRING(x) NL EOF");
}

TEST(Lexer, Numbers) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, "x = 0x10\n"), "NAME(x) = NUMBER(16) NL EOF");
  EXPECT_EQ(tokens(t.in, "0X1f 017 0b101 0B11 0m1 0 42\n"),
            "NUMBER(31) NUMBER(15) NUMBER(5) NUMBER(3) NUMBER(-2147483647) NUMBER(0) NUMBER(42) NL EOF");
  // Reading stops at the first character that is not a digit of the base.
  EXPECT_EQ(tokens(t.in, "08 0b12 12ab\n"),
            "NUMBER(0) NUMBER(8) NUMBER(1) NUMBER(2) NUMBER(12) NAME(ab) NL EOF");
  // Too large for 32 bits: -1.
  EXPECT_EQ(tokens(t.in, "2147483648 4294967296 0x100000000\n"),
            "NUMBER(-2147483648) NUMBER(-1) NUMBER(-1) NL EOF");
}

TEST(Lexer, Operators) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, "x += 1\n"), "NAME(x) ASSIGNOP(43) NUMBER(1) NL EOF");
  EXPECT_EQ(tokens(t.in, "! != && & &= ++ + += -- - -="),
            "! #285 #280 #283 ASSIGNOP(283) #293 + ASSIGNOP(43) #294 - ASSIGNOP(45) EOF");
  EXPECT_EQ(tokens(t.in, "<= << <<= < == => = >= >> >>= >"),
            "#289 #291 ASSIGNOP(291) #287 #284 #278 = #288 #290 ASSIGNOP(290) #286 EOF");
  EXPECT_EQ(tokens(t.in, "^ ^= || | |= % %= * *= / /= ~ ? : [ ] . ,"),
            "#282 ASSIGNOP(282) #279 #281 ASSIGNOP(281) % ASSIGNOP(37) * ASSIGNOP(42) / ASSIGNOP(47) ~ ? : [ "
            "] . , EOF");
  // Without blanks each operator takes the longest form.
  EXPECT_EQ(tokens(t.in, "a<<=b>>c"), "NAME(a) ASSIGNOP(291) NAME(b) #290 NAME(c) EOF");
}

TEST(Lexer, QuotedTexts) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, R"("a\tb\101\a\q\"\\\n")"), "STRING(a\tbA\aq\"\\\n) EOF");
  EXPECT_EQ(tokens(t.in, R"("\b\f\r\v\0101")"), "STRING(\b\f\r\v\x41) EOF");
  // Octal digits stop at 8: "\18" is the byte 1 followed by "8".
  EXPECT_EQ(tokens(t.in, R"("\18")"), "STRING(\x01\x38) EOF");
  EXPECT_EQ(tokens(t.in, "\"abc\ndef\"\n"), "error: missing terminator");
  // A backslash-newline continues the text on the next line; "##" is a
  // comment wherever it stands, so the quotes are never closed.
  EXPECT_EQ(tokens(t.in, "\"ab\\\ncd\"\n"), "STRING(abcd) NL EOF");
  EXPECT_EQ(tokens(t.in, "\"a ## b\"\n"), "error: missing terminator");
  EXPECT_EQ(tokens(t.in, "\"a # b\"\n"), "STRING(a # b) NL EOF");
  EXPECT_EQ(tokens(t.in, "\"abc"), "error: missing terminator");
}

TEST(Lexer, ContinuationAndLines) {
  TestInterp t;
  resetLexer(t.in, "a\\\nb\nc\n");
  std::int32_t v = 0;
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(ab)");
  EXPECT_EQ(currentLine(t.in), 2);
  EXPECT_EQ(nextToken(t.in, &v), '\n');
  // The line counts when the character after the line feed is read.
  EXPECT_EQ(currentLine(t.in), 2);
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(c)");
  EXPECT_EQ(currentLine(t.in), 3);
}

TEST(Lexer, DollarForms) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, "$1\n"), "error: not in a procedure");
  EXPECT_EQ(tokens(t.in, "$12 $# $$ $(1)\n", true), "ARG(12) NARGS NAME($) SUBST ( NUMBER(1) ) NL EOF");
  EXPECT_EQ(tokens(t.in, "$*\n", true), "error: expected integer");
  EXPECT_EQ(tokens(t.in, "$x\n", true), "error: bad argument");
  EXPECT_EQ(tokens(t.in, "write $* $2 $# $(1) a\n", true),
            "COMMAND(write) ALLARGS ARG(2) NARGS SUBST ( NUMBER(1) ) STRING(a) NL EOF");
  EXPECT_EQ(tokens(t.in, "write $$\n", true), "error: bad argument");
  EXPECT_EQ(tokens(t.in, "write $1\n"), "error: not in a procedure");
}

TEST(Lexer, InvalidHashIsASyntaxError) {
  TestInterp t;
  EXPECT_EQ(tokens(t.in, "x = 1\n#lin 2\n"), "error: invalid use of #\n#lin 2\n     ^");
  EXPECT_EQ(t.in.error.kind, "syntax");
  EXPECT_EQ(t.in.error.line, 2);
}

TEST(Lexer, RepeatDeliversThePreviousTokenAgain) {
  TestInterp t;
  resetLexer(t.in, "}\nx");
  std::int32_t v = 0;
  EXPECT_EQ(nextToken(t.in, &v), '}');
  t.in.lexer->repeat = true;
  EXPECT_EQ(nextToken(t.in, &v), '}');
  EXPECT_EQ(nextToken(t.in, &v), '\n');
}

TEST(Lexer, TooManyUngets) {
  TestInterp t;
  resetLexer(t.in, "");
  try {
    support::HandlerScope handler;
    for (int i = 0; i < Lexer::kMaxUngets; ++i) ungetChar(t.in, 'a' + i);
    ungetChar(t.in, 'x');
    ADD_FAILURE() << "no error";
  } catch (const support::Raised&) {
    EXPECT_EQ(t.in.error.message, "internal command language error too many ungets");
  }
  // Last pushed, first read.
  std::int32_t v = 0;
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(tsrqponmlkjihgfedcba)");
}

TEST(Lexer, SyntaxContextShowsTheLineAndColumn) {
  TestInterp t;
  resetLexer(t.in, "ab cd\nef\n");
  std::int32_t v = 0;
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(ab)");
  EXPECT_EQ(syntaxContext(t.in, "msg"), "msg\nab cd\n   ^");
  EXPECT_EQ(syntaxContext(t.in, nullptr), "ab cd\n   ^");
}

TEST(Lexer, MoreInputComesFromTheSource) {
  TestInterp t;
  int calls = 0;
  t.in.source = [&calls](std::string& line) {
    line = ++calls == 1 ? "b }\n" : "";
    return calls == 1;
  };
  EXPECT_EQ(tokens(t.in, "{ a"), "{ NAME(a) EOF");
  std::int32_t v = 0;
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(b)");
  EXPECT_EQ(nextToken(t.in, &v), '}');
  EXPECT_EQ(nextToken(t.in, &v), '\n');
  EXPECT_EQ(nextToken(t.in, &v), static_cast<int>(Tok::Eof));
  try {
    support::HandlerScope handler;
    nextToken(t.in, &v);
    ADD_FAILURE() << "no error";
  } catch (const support::Raised&) {
    EXPECT_EQ(t.in.error.message, "more input required");
  }
  t.in.source = nullptr;
  EXPECT_EQ(tokens(t.in, "x"), "NAME(x) EOF");
  try {
    support::HandlerScope handler;
    nextToken(t.in, &v);
    ADD_FAILURE() << "no error";
  } catch (const support::Raised&) {
    EXPECT_EQ(t.in.error.message, "more input required");
  }
}

/// A temporary directory, removed with its files.
struct TempDir {
  std::filesystem::path path;
  TempDir() {
    path = std::filesystem::temp_directory_path() / ("lexer_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path / name, std::ios::binary) << bytes;
    return (path / name).string();
  }
};

TEST(Lexer, IncludeReadsTheFileThenResumes) {
  TestInterp t;
  TempDir dir;
  const std::string file = dir.write("inc.cmd", "c\r\nd");
  resetLexer(t.in, "a\nb\n");
  std::int32_t v = 0;
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(a)");
  EXPECT_EQ(nextToken(t.in, &v), '\n');
  try {
    support::HandlerScope handler;
    includeFile(t.in, Text(file));
  } catch (const support::Raised&) {
    FAIL() << t.in.error.message;
  }
  EXPECT_FALSE(atOutermostSource(t.in));
  std::string seen;
  for (int i = 0; i < 5; ++i) {
    seen += show(t.in, nextToken(t.in, &v), v);
    seen += "@" + std::to_string(currentLine(t.in)) + " ";
  }
  // A carriage return before a line feed is dropped; a line feed is appended.
  EXPECT_EQ(seen, "NAME(c)@1 NL@1 NAME(d)@2 NL@2 EOF@3 ");
  EXPECT_EQ(currentFile(t.in).str(), file);
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(b)");
  EXPECT_EQ(currentLine(t.in), 2);
  EXPECT_TRUE(currentFile(t.in).empty());
  EXPECT_TRUE(atOutermostSource(t.in));
}

TEST(Lexer, IncludeThroughTheSearchPathWithTrace) {
  TestInterp t;
  TempDir dir;
  dir.write("found.cmd", "x\n");
  addSearchDirectory(t.in, dir.path.string());
  resetLexer(t.in, "");
  t.in.eng.trace = 2;
  ::testing::internal::CaptureStdout();
  try {
    support::HandlerScope handler;
    includeFile(t.in, Text("found.cmd"));
  } catch (const support::Raised&) {
    ADD_FAILURE() << t.in.error.message;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Info> Opening file \"" + (dir.path / "found.cmd").string() + "\"\n");
  std::int32_t v = 0;
  EXPECT_EQ(show(t.in, nextToken(t.in, &v), v), "NAME(x)");
  try {
    support::HandlerScope handler;
    includeFile(t.in, Text("missing.cmd"));
    ADD_FAILURE() << "no error";
  } catch (const support::Raised&) {
    EXPECT_EQ(t.in.error.message, "file I/O error - cannot open \"missing.cmd\" for reading");
  }
}

// A script that includes itself, or two that include each other, stop at the
// 65th nested include with an error naming the file; the statements of the
// 64 levels read so far never run, since the parse failed.
TEST(Lexer, IncludesNestedTooDeepStop) {
  TempDir dir;
  const std::string self = dir.write("self.cl", "");
  dir.write("self.cl", "write x\ninclude " + self + "\n");
  const std::string a = (dir.path / "a.cl").string();
  const std::string b = dir.write("b.cl", "include " + a + "\n");
  dir.write("a.cl", "include " + b + "\n");
  for (const std::string& file : {self, a}) {
    const testing::ScriptRun r = testing::runScript("include " + file + "\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.output, "");
    // The 64th file read is self.cl, or b.cl (a.cl, b.cl, a.cl, ...).
    const std::string where = file == self ? self + "(2)" : b + "(1)";
    EXPECT_EQ(r.report, "error-" + where + "-file I/O error - cannot include \"" + file +
                            "\": includes nested more than 64 deep\n");
  }
  // 64 nested includes are fine.
  for (int i = 0; i < 64; ++i) {
    const std::string next =
        i == 63 ? "write deep\n" : "include " + (dir.path / std::to_string(i + 1)).string() + "\n";
    dir.write(std::to_string(i), next);
  }
  const testing::ScriptRun r = testing::runScript("include " + (dir.path / "0").string() + "\n");
  EXPECT_TRUE(r.ok) << r.report;
  EXPECT_EQ(r.output, "deep\n");
}

}  // namespace
}  // namespace varda::cmdlang
