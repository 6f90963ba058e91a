// Timings of the regular-expression engine: 500,000 matches of one expression against
// one subject, as a script's "*" operator in a loop would run them.

#include <benchmark/benchmark.h>

#include "support/regex.h"

namespace {

using varda::support::rxmatch;

constexpr const char* kExpression = "[0-9]+ j";
constexpr const char* kSubject = "the quick brown fox 12345 jumps over";
constexpr int kMatches = 500000;

// The automaton is kept between calls, as it is for a script matching one expression.
void BM_Match(benchmark::State& state) {
  int length = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rxmatch(kExpression, kSubject, &length));
  }
  if (length != 7) state.SkipWithError("wrong match");
}
BENCHMARK(BM_Match)->Iterations(kMatches);

// Every match builds its automaton again: the cost of a new expression each time.
void BM_MatchBuilding(benchmark::State& state) {
  int length = 0;
  for (auto _ : state) {
    varda::support::clearRxCache();
    benchmark::DoNotOptimize(rxmatch(kExpression, kSubject, &length));
  }
  if (length != 7) state.SkipWithError("wrong match");
}
BENCHMARK(BM_MatchBuilding)->Iterations(kMatches);

}  // namespace

BENCHMARK_MAIN();
