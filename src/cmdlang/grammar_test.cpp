#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "cmdlang/compiler.h"
#include "cmdlang/lexer.h"
#include "cmdlang/search_path.h"
#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

using testing::runScript;
using testing::ScriptRun;
using testing::TestInterp;

/// The cells `text` compiles to, one word per cell: "If" etc. for control
/// cells, "op" and the operation's number, "i" and an integer, "t" and a
/// text, "L" and a location, "E" for an end cell, "S" for a statement
/// boundary.
std::string compile(Interp& in, std::string_view text) {
  static const char* const kCtl[] = {"Push", "Var", "Local", "Member", "If", "While", "For", "When", "SC"};
  Rc<CodeObject> code = CodeObject::make();
  resetLexer(in, text);
  try {
    support::HandlerScope handler;
    parseProgram(in, *code);
  } catch (const support::Raised&) {
    abandonParse(in);
    return "error: " + in.error.message;
  }
  std::string out;
  for (const Cell& c : code->cells) {
    if (!out.empty()) out += ' ';
    switch (c.kind) {
      case CellKind::Op: out += "op" + std::to_string(c.fn); break;
      case CellKind::Int: out += "i" + std::to_string(c.value); break;
      case CellKind::Text: out += "t" + code->texts[static_cast<std::size_t>(c.value)].str(); break;
      case CellKind::Loc: out += "L" + std::to_string(c.value); break;
      case CellKind::Ctl:
        out += kCtl[c.fn];
        if (static_cast<Ctl>(c.fn) == Ctl::ShortCircuit) out += std::to_string(c.value);
        break;
      case CellKind::End: out += "E"; break;
      case CellKind::Stmt: out += "S"; break;
    }
  }
  return out;
}

int op(Op f) { return static_cast<int>(f); }
std::string ops(Op f) { return "op" + std::to_string(op(f)); }

TEST(GrammarCells, Statements) {
  TestInterp t;
  // if: slots condition, body, else (none: an end cell), final mark.
  EXPECT_EQ(compile(t.in, "if (a) b\n"), "If L5 L8 E L10 Var ta E Var tb E S");
  EXPECT_EQ(compile(t.in, "if (a) b else c\n"), "If L5 L8 L11 L13 Var ta E Var tb E Var tc E S");
  EXPECT_EQ(compile(t.in, "while (a) b\n"), "While L4 L7 L9 Var ta E Var tb E S");
  // for: init, condition, step (its mark and one more), body, final mark.
  EXPECT_EQ(compile(t.in, "for (;a;) b\n"), "For L6 L7 L10 L12 L14 E Var ta E E E Var tb E S");
  EXPECT_EQ(compile(t.in, "{ a; b }\n"), "Var ta Var tb S");
  EXPECT_EQ(compile(t.in, "x = 1\n"), "Var tx Push i1 " + ops(Op::Assign) + " S");
  EXPECT_EQ(compile(t.in, "x += 2\n"), "Var tx Push i2 Push i43 " + ops(Op::CompoundAssign) + " S");
}

TEST(GrammarCells, Expressions) {
  TestInterp t;
  // The short-circuit cell knows its operator cell; the right operand ends with a mark.
  EXPECT_EQ(compile(t.in, "a && b\n"), "Var ta SC6 Var tb E " + ops(Op::AndAnd) + " S");
  EXPECT_EQ(compile(t.in, "a || b || c\n"),
            "Var ta SC6 Var tb E " + ops(Op::OrOr) + " SC11 Var tc E " + ops(Op::OrOr) + " S");
  EXPECT_EQ(compile(t.in, "-x++\n"), "Var tx " + ops(Op::PostInc) + " " + ops(Op::Negate) + " S");
  EXPECT_EQ(compile(t.in, "a[1].k\n"), "Var ta Push i1 " + ops(Op::Subscript) + " Member tk S");
  EXPECT_EQ(compile(t.in, "[1, \"k\" => 2]\n"), ops(Op::NewArray) + " Push i1 Push i1 " +
                                                    ops(Op::AddElement) + " Push tk Push i2 Push i2 " +
                                                    ops(Op::AddElement) + " S");
  EXPECT_EQ(compile(t.in, "[]\n"), ops(Op::NewArray) + " S");
  EXPECT_EQ(compile(t.in, "write a (1)\n"), ops(Op::CreateFrame) + " Push ta " + ops(Op::AddArgument) +
                                                " Push i1 " + ops(Op::AddArgument) + " Push twrite " +
                                                ops(Op::CallCommand) + " S");
  EXPECT_EQ(compile(t.in, "when () {}\n"), "When E L5 L6 L6 E E S");
}

TEST(GrammarCells, ProcedureBodiesGoToTheProcedure) {
  TestInterp t;
  EXPECT_EQ(compile(t.in, "proc p a b = 2 { $$ = $1 }\nx\n"), "Var tx S");
  const Rc<CodeObject>* p = t.in.procedures.find("p");
  ASSERT_NE(p, nullptr);
  std::string cells;
  for (const Cell& c : (*p)->cells)
    cells += std::to_string(static_cast<int>(c.kind)) + ":" + std::to_string(c.fn) + " ";
  // MakeLocal a, Declare; MakeLocal b, push 2, Assign; $$ = $1; the final mark.
  EXPECT_EQ(cells, "4:2 2:0 0:" + std::to_string(op(Op::Declare)) +
                       " 4:2 2:0 4:0 1:0 0:" + std::to_string(op(Op::Assign)) + " 4:1 2:0 4:0 1:0 0:" +
                       std::to_string(op(Op::Argument)) + " 0:" + std::to_string(op(Op::Assign)) + " 5:0 ");
}

TEST(GrammarCells, CellsCarryLineAndFile) {
  TestInterp t;
  Rc<CodeObject> code = CodeObject::make();
  resetLexer(t.in, "a\n#line 7 f.cmd\nb\n");
  support::HandlerScope handler;
  parseProgram(t.in, *code);
  ASSERT_EQ(code->cells.size(), 6u);
  EXPECT_EQ(code->cells[0].line, 1);
  EXPECT_STREQ(code->fileName(code->cells[0]), "");
  EXPECT_EQ(code->cells[3].line, 7);
  EXPECT_STREQ(code->fileName(code->cells[3]), "f.cmd");
}

std::string run(TestInterp& t, std::string_view text) {
  const ScriptRun r = t.run(text);
  return r.ok ? r.output + "=" + std::to_string(r.result) : "error: " + r.report;
}

TEST(Grammar, OperatorPrecedence) {
  EXPECT_EQ(runScript("1 + 2 * 3\n").result, 7);
  EXPECT_EQ(runScript("1 << 2 + 1\n").result, 8);
  EXPECT_EQ(runScript("1 | 2 == 2\n").result, 1);
  EXPECT_EQ(runScript("10 - 4 - 3\n").result, 3);
  EXPECT_EQ(runScript("-2 * 3 + 7 % 4\n").result, -3);
  EXPECT_EQ(runScript("1 || 0 && 0\n").result, 1);
  EXPECT_EQ(runScript("(1 + 2) * 3\n").result, 9);
  TestInterp t;
  EXPECT_EQ(run(t, "x = y = 3\n"), "=3");
  EXPECT_EQ(run(t, "x + y\n"), "=6");
  EXPECT_EQ(run(t, "x = 5; y = -x++; x * 100 + y\n"), "=595");
  EXPECT_EQ(run(t, "x <<= 2\n"), "=24");
}

TEST(Grammar, IfElseWhileFor) {
  TestInterp t;
  // ELSE ends the statement 'b = 1' and is read again by the if-else rule.
  EXPECT_EQ(run(t, "a = 0\nif (a) b = 1 else b = 2\nb\n"), "=2");
  EXPECT_EQ(run(t, "if (1) {\n  write yes\n} else {\n  write no\n}\n"), "yes\n=0");
  // The else belongs to the innermost if.
  EXPECT_EQ(run(t, "if (0) if (1) write a else write b\n"), "=0");
  EXPECT_EQ(run(t, "if (1) if (0) write a else write b\n"), "b\n=0");
  EXPECT_EQ(run(t, "i = 0; s = 0\nwhile (i < 5) { s += i; i++ }\ns\n"), "=10");
  EXPECT_EQ(run(t, "s = 0\nfor (i = 0; i < 4; i++) s = s + i\ns\n"), "=6");
  EXPECT_EQ(run(t, "i = 0\nfor (; i < 3;) i++\ni\n"), "=3");
  EXPECT_EQ(run(t, "5 || undefined_name\n"), "=5");
  EXPECT_EQ(run(t, "0 && undefined_name\n"), "=0");
}

TEST(Grammar, ProceduresAndArguments) {
  TestInterp t;
  EXPECT_EQ(run(t, "proc p { x = $1 }\np 5\nx + \"\"\n"), "=0");
  EXPECT_EQ(run(t, "x == \"5\"\n"), "=1");
  EXPECT_EQ(run(t, "proc inc { $$ = $1 + 1 }\ny = inc(4)\n"), "=5");
  EXPECT_EQ(run(t, "proc n { $$ = $# }\nn a b c\n"), "=3");
  EXPECT_EQ(run(t, "proc second { $$ = $2 }\nproc fwd { $$ = second $* }\nfwd a b\n"), "=0");
  EXPECT_EQ(run(t, "fwd a b == \"b\"\n"), "=0");
  EXPECT_EQ(run(t, "(fwd a b) == \"b\"\n"), "=1");
  EXPECT_EQ(run(t, "proc pick { $$ = $(1 + 1) }\npick(7, 8)\n"), "=8");
  EXPECT_EQ(run(t, "proc d a b = 3 { $$ = a + b }\nd\n"), "=3");
  // Redefinition replaces; the newest body is called.
  EXPECT_EQ(run(t, "proc r { $$ = 1 }\nproc r { $$ = 2 }\nr\n"), "=2");
  EXPECT_EQ(run(t, "proc r { $$ = 3 }\nr\n"), "=3");
  // A procedure without a result leaves nothing to assign.
  EXPECT_EQ(run(t, "proc q { }\ny = q\n"),
            "error: error-internal command language error operand stack underflow\n");
}

TEST(Grammar, ProcedureRedefinedWhileRunning) {
  TestInterp t;
  EXPECT_EQ(run(t, "proc p { parse \"proc p { $$ = 2 }\"; $$ = 1 }\n"), "=0");
  EXPECT_EQ(run(t, "p\n"), "=1");
  EXPECT_EQ(run(t, "p\n"), "=2");
}

TEST(Grammar, SameFileNamesInManyProcedures) {
  TestInterp t;
  // Each procedure keeps its own file list, also when a replaced one is freed.
  EXPECT_EQ(run(t, "#line 1 a.cmd\nproc p { $$ = 1 }\nproc p { $$ = 2 }\nproc p { $$ = 3 }\np\n"), "=3");
  const Rc<CodeObject>* p = t.in.procedures.find("p");
  ASSERT_NE(p, nullptr);
  for (const Cell& c : (*p)->cells) EXPECT_STREQ((*p)->fileName(c), "a.cmd");
}

TEST(Grammar, ProcedureNamedAfterACommandIsDropped) {
  TestInterp t;
  EXPECT_EQ(run(t, "proc write { x = 1 }\nwrite hi\n"), "hi\n=0");
  EXPECT_EQ(t.in.procedures.find("write"), nullptr);
}

TEST(Grammar, ProcedureNameThatIsAVariable) {
  TestInterp t;
  // Statements run after the whole text is parsed: the variable must exist before.
  EXPECT_EQ(run(t, "v = 1\n"), "=1");
  EXPECT_EQ(run(t, "proc v { }\n"), "error: error-name is a variable v\n");
  EXPECT_EQ(t.in.procedures.find("v"), nullptr);
}

TEST(Grammar, FailedParseRemovesTheHalfBuiltProcedure) {
  TestInterp t;
  EXPECT_EQ(run(t, "proc p {\n  x = = 1\n}\n"), "error: syntax error-  x = = 1\n        ^\n");
  EXPECT_EQ(t.in.procedures.find("p"), nullptr);
  // The next text is read from its start again, in normal mode.
  EXPECT_EQ(run(t, "x = 2\n"), "=2");
}

TEST(Grammar, SyntaxErrorReportsLineAndCaret) {
  TestInterp t;
  EXPECT_EQ(run(t, "x = 1\ny = = 2\n"), "error: syntax error-y = = 2\n      ^\n");
  EXPECT_EQ(t.in.error.line, 2);
  EXPECT_EQ(run(t, "#line 10 foo.cmd\nx = )\n"), "error: syntax error-foo.cmd(10)-x = )\n     ^\n");
  EXPECT_EQ(run(t, "#line 20\n(\n"), "error: syntax error-^\n");
  EXPECT_EQ(t.in.error.line, 20);
  EXPECT_EQ(run(t, "x = 1 # y\n"), "error: syntax error-invalid use of #\nx = 1 # y\n        ^\n");
  // An expression must end with ";", a line feed, ELSE or "}".
  EXPECT_EQ(run(t, "x = 1"), "error: syntax error-x = 1     ^\n");
}

TEST(Grammar, DeepNestingGrowsTheStackUpToItsLimit) {
  TestInterp t;
  const std::string deep = std::string(3000, '(') + "1" + std::string(3000, ')') + "\n";
  EXPECT_EQ(run(t, deep), "=1");
  const std::string tooDeep = std::string(12000, '(') + "1" + std::string(12000, ')') + "\n";
  const ScriptRun r = t.run(tooDeep);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(t.in.error.kind, "syntax");
  EXPECT_EQ(t.in.error.message.find("memory exhausted"), std::string::npos);
  EXPECT_EQ(run(t, deep), "=1");
}

TEST(Grammar, ArraysLabelsAndWhen) {
  TestInterp t;
  EXPECT_EQ(run(t, "a = [7, 8, \"k\" => 9]\na[1] * 10 + a.k\n"), "=89");
  // A member may be named like a command or a procedure.
  EXPECT_EQ(run(t, "proc pr { }\nm.write = 3; m.pr = 4\nm.write * 10 + m.pr\n"), "=34");
  EXPECT_EQ(run(t, "loop:\n"), "error: error-invalid command label not supported\n");
  EXPECT_EQ(run(t, "proc mk { $$ = when (3) { write fired } }\nw = mk\n"), "=0");
  EXPECT_EQ(run(t, "event 3\nevent 4\n"), "fired\n=0");
}

/// A temporary directory, removed with its files.
struct TempDir {
  std::filesystem::path path;
  TempDir() {
    path = std::filesystem::temp_directory_path() / ("grammar_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path / name, std::ios::binary) << bytes;
    return (path / name).string();
  }
};

TEST(Grammar, IncludeAndDirectory) {
  TestInterp t;
  TempDir dir;
  dir.write("lib.cmd", "proc answer { $$ = 42 }\n");
  const std::string bad = dir.write("bad.cmd", "x = 1\nx = )\n");
  EXPECT_EQ(run(t, "directory " + dir.path.string() + "\ninclude lib.cmd\ny = answer\n"), "=42");
  ASSERT_FALSE(t.in.searchPath->directories.empty());
  EXPECT_EQ(t.in.searchPath->directories.back(), dir.path.string());
  // The include's own file and line in the report; then the includer goes on.
  EXPECT_EQ(run(t, "include " + bad + "\n"), "error: syntax error-" + bad + "(2)-x = )\n     ^\n");
  EXPECT_EQ(run(t, "include \"" + dir.path.string() + "/lib.cmd\"; z = (answer) + 1\nz\n"), "=43");
  EXPECT_EQ(run(t, "include nothere.cmd\n"),
            "error: error-file I/O error - cannot open \"nothere.cmd\" for reading\n");
}

TEST(Grammar, FileTracesWithBitTwo) {
  TestInterp t;
  TempDir dir;
  const std::string lib = dir.write("lib.cmd", "x = 1\n");
  EXPECT_EQ(run(t, "clinfo 2\n"), "=0");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(run(t, "directory /no/such/dir\ninclude " + lib + "\n"), "=1");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Info> Adding \"/no/such/dir\" to search path\nInfo> Opening file \"" + lib + "\"\n");
}

TEST(Grammar, TextEndingInsideABlockAsksForMore) {
  TestInterp t;
  int calls = 0;
  t.in.source = [&calls](std::string& line) {
    line = ++calls == 1 ? "  $$ = 3\n" : "}\n";
    return calls <= 2;
  };
  EXPECT_EQ(run(t, "proc p {\n"), "=0");
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(run(t, "p\n"), "=3");
}

}  // namespace
}  // namespace varda::cmdlang
