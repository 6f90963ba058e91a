// Hashed-table lookups: a scope table of a few dozen names, and an array of
// 100,000 elements (looked up through its index).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cmdlang/symbol_table.h"

namespace varda::cmdlang {
namespace {

void BM_ScopeLookup(benchmark::State& state) {
  SymbolTable t(kScopeBuckets);
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) names.push_back("name" + std::to_string(i));
  for (const std::string& n : names) t.findOrCreate(n);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.find(names[i]));
    i = (i + 7) % names.size();
  }
}
BENCHMARK(BM_ScopeLookup);

void BM_LargeArrayLookup(benchmark::State& state) {
  SymbolTable t(kArrayBuckets);
  std::vector<std::string> keys;
  for (int i = 0; i < 100000; ++i) keys.push_back(std::to_string(i));
  for (const std::string& k : keys) t.findOrCreate(k);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.find(keys[i]));
    i = (i + 7919) % keys.size();
  }
}
BENCHMARK(BM_LargeArrayLookup);

}  // namespace
}  // namespace varda::cmdlang
