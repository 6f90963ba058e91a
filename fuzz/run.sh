#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each one in turn.
#
#   fuzz/run.sh [seconds] [target...]
#
# seconds: how long each target runs (default 60). Targets: all of them when
# none is named. The build goes to build-fuzz (clang++, -DVARDA_FUZZ=ON,
# optimised, AddressSanitizer and UndefinedBehaviorSanitizer; VARDA_FUZZ_BUILD
# overrides the directory). Each target runs on a copy of its seed corpus in
# <build>/fuzz-work/<target>/corpus, so the seeds in fuzz/corpus stay as they
# are; findings (crash-, leak-, timeout-, oom- files) are written to
# <build>/fuzz-work/<target>/artifacts. A finding worth keeping goes into
# fuzz/corpus/<target>/ as a regression input, which the normal test suite
# then replays (ctest -R fuzz-replay).
#
# At the end one line per target gives the executions, libFuzzer's coverage
# figures (cov: edges, ft: features), the corpus size and the findings.
# The exit status is 1 when any target found something.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
[ $# -gt 0 ] && shift
build="${VARDA_FUZZ_BUILD:-$here/build-fuzz}"
all_targets=(option_string argument_file vardaarg poke_emi23 poke_emi4 interactive parameters source regex read_mode emi_line)
if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all_targets[@]}"); fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARDA_FUZZ=ON -DVARDA_BENCH=OFF >/dev/null
build_list=()
for t in "${targets[@]}"; do build_list+=("fuzz_$t"); done
cmake --build "$build" --target "${build_list[@]}" -j2 >&2

summary=()
found_any=0
for t in "${targets[@]}"; do
  work="$build/fuzz-work/$t"
  mkdir -p "$work/corpus" "$work/artifacts"
  rm -f "$work/artifacts"/*
  cp -n "$here/fuzz/corpus/$t/"* "$work/corpus/" 2>/dev/null || true
  dict=()
  [ -f "$here/fuzz/$t.dict" ] && dict=("-dict=$here/fuzz/$t.dict")
  echo "== $t: ${seconds}s ==" >&2
  # One target at a time (the machine is shared); -timeout catches inputs
  # that take long, -rss_limit_mb inputs that need much memory.
  ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
    "$build/fuzz/fuzz_$t" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" \
    >"$work/log" 2>&1 || true
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)"
  last="$(grep -E '^#[0-9]+' "$work/log" | tail -n 1 || true)"
  cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")"
  ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")"
  units="$(ls "$work/corpus" | wc -l)"
  findings="$(ls "$work/artifacts" 2>/dev/null | tr '\n' ' ')"
  if [ -n "$findings" ]; then
    found_any=1
    echo "-- $t found: $findings (log: $work/log)" >&2
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$work/log" | head -n 5 >&2 || true
  fi
  summary+=("$(printf '%-14s execs %-10s cov %-6s ft %-6s corpus %-6s findings: %s' \
    "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$units" "${findings:-none}")")
done

echo
printf '%s\n' "${summary[@]}"
exit "$found_any"
