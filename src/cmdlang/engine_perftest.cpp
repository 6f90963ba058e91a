// One procedure call with one argument and a result ('x = f(1)'), compiled
// once and run again and again.
#include <benchmark/benchmark.h>

#include "cmdlang/compiler.h"
#include "cmdlang/engine.h"
#include "cmdlang/lexer.h"
#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

void BM_ProcedureCall(benchmark::State& state) {
  testing::TestInterp t;
  if (!t.run("proc f { $$ = $1 + 1 }\n").ok) state.SkipWithError("f does not compile");
  Rc<CodeObject> code = CodeObject::make();
  resetLexer(t.in, "x = f(1)\n");
  try {
    support::HandlerScope handler;
    parseProgram(t.in, *code);
    code->cells.push_back(Cell{CellKind::End, 0, 0, 0, 0});
    for (auto _ : state) {
      createframe(t.in);
      execute(t.in, *code, 0);
      dropframe(t.in);
    }
  } catch (const support::Raised&) {
    state.SkipWithError(t.in.error.message.c_str());
  }
}
BENCHMARK(BM_ProcedureCall);

}  // namespace
}  // namespace varda::cmdlang
