// Lexing a 10,000-line script, token by token.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "cmdlang/lexer.h"
#include "cmdlang/perftest_script.h"
#include "cmdlang/test_util.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

void BM_LexTenThousandLines(benchmark::State& state) {
  testing::TestInterp t;
  // Outside a procedure the lexer refuses argument words ("$1", "$$"), so
  // they become names here.
  std::string script = perftestScript(10000);
  std::replace(script.begin(), script.end(), '$', 'v');
  std::int64_t tokens = 0;
  try {
    support::HandlerScope handler;
    for (auto _ : state) {
      resetLexer(t.in, script);
      std::int32_t value = 0;
      while (nextToken(t.in, &value) != static_cast<int>(Tok::Eof)) ++tokens;
      dropPendingTexts(t.in);
    }
  } catch (const support::Raised&) {
    state.SkipWithError(t.in.error.message.c_str());
  }
  state.counters["tokens"] = benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(script.size()));
}
BENCHMARK(BM_LexTenThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varda::cmdlang
