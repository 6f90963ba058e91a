// Parsing (lexing and compiling to cells) a 10,000-line script.
#include <benchmark/benchmark.h>

#include "cmdlang/compiler.h"
#include "cmdlang/lexer.h"
#include "cmdlang/perftest_script.h"
#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

void BM_ParseTenThousandLines(benchmark::State& state) {
  testing::TestInterp t;
  const std::string script = perftestScript(10000);
  for (auto _ : state) {
    Rc<CodeObject> code = CodeObject::make();
    resetLexer(t.in, script);
    try {
      support::HandlerScope handler;
      parseProgram(t.in, *code);
    } catch (const support::Raised&) {
      abandonParse(t.in);
      state.SkipWithError("the script does not parse");
      break;
    }
    benchmark::DoNotOptimize(code->cells.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(script.size()));
}
BENCHMARK(BM_ParseTenThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varda::cmdlang
