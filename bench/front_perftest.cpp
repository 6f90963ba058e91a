// In-process timings of the work of one write run, without process start-up:
// applying the options of bench/emi4_six_banks.args and writing the procedure.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "front/bank_manager.h"
#include "front/entry.h"
#include "front/procedure_writer.h"
#include "front/run_state.h"

namespace {

using namespace varda::front;

/// The options of the argument list file as one option line, without "-o <file>".
std::string optionLine() {
  std::ifstream in(VARDA_BENCH_ARGS);
  std::string line;
  std::string text;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      if (word == "-o") {
        words >> word;
        continue;
      }
      text += word + " ";
    }
  }
  return text;
}

void BM_ApplyOptions(benchmark::State& state) {
  const std::string line = optionLine();
  for (auto _ : state) {
    resetRunState();
    benchmark::DoNotOptimize(parseOptionLine(line));
  }
}
BENCHMARK(BM_ApplyOptions);

void BM_WriteProcedure(benchmark::State& state) {
  resetRunState();
  parseOptionLine(optionLine());
  std::FILE* sink = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    bankManager().countBankTypes();
    bankManager().prepareRegisters();
    writeProcedure(sink);
  }
  std::fclose(sink);
}
BENCHMARK(BM_WriteProcedure);

}  // namespace

BENCHMARK_MAIN();
