#!/bin/sh
# Runs each command-language benchmark side by side with its Tcl and Lua
# twins: checks that the three print the same number, then prints the median
# wall times (hyperfine), the peak memory (/usr/bin/time -f %M) and the
# ratios varda/tclsh and varda/lua.
#
#   bench/lang/run.sh                       all benchmarks with build/varda
#   VARDA=build-rel/varda bench/lang/run.sh loop fib
#
# VARDA is the program that runs a script given as its argument (default: the
# varda binary of the setup script's build); RUNS the timed runs per program.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
VARDA=${VARDA:-$root/build/varda}
TCLSH=${TCLSH:-tclsh8.6}
LUA=${LUA:-lua5.4}
RUNS=${RUNS:-10}
if [ $# -gt 0 ]; then benches="$*"; else benches="loop fib text array regex"; fi

# The other interpreters and the timer come from the distribution, installed
# only for this script.
missing=""
command -v hyperfine >/dev/null 2>&1 || missing="$missing hyperfine"
command -v "$TCLSH" >/dev/null 2>&1 || missing="$missing tcl8.6"
command -v "$LUA" >/dev/null 2>&1 || missing="$missing lua5.4"
[ -x /usr/bin/time ] || missing="$missing time"
if [ -n "$missing" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update >&2
  # shellcheck disable=SC2086
  $sudo apt-get install -y $missing >&2
fi
if [ ! -x "$VARDA" ]; then
  echo "run.sh: $VARDA is not an executable (set VARDA=...)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Scripts are named relative to here: to varda a word that starts with "/"
# is an option.
cd "$here"

# result <program> <script>: what the script prints, blanks removed. varda's
# scripts write to standard error; its standard output only says that no
# configuration file was asked for.
result() { "$@" 2>&1 | tr -d ' \n'; }
varda_result() { "$VARDA" "$1" 2>&1 >/dev/null | tr -d ' \n'; }
# peak <program> <script>: the peak resident set in KB.
peak() { /usr/bin/time -f %M -o "$work/mem" "$@" >/dev/null 2>&1; tail -n 1 "$work/mem"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

printf '%-6s %10s %10s %10s %8s %8s %11s %11s %11s\n' bench varda_s tclsh_s lua_s v/tcl v/lua varda_KB tclsh_KB lua_KB
status=0
for b in $benches; do
  v=$(varda_result "$b.cl")
  t=$(result "$TCLSH" "$b.tcl")
  l=$(result "$LUA" "$b.lua")
  if [ "$v" != "$t" ] || [ "$v" != "$l" ]; then
    echo "$b: results differ: varda '$v', tclsh '$t', lua '$l'" >&2
    status=1
    continue
  fi
  hyperfine -N --warmup 1 --runs "$RUNS" --style none --export-json "$work/$b.json" \
    "$VARDA $b.cl" "$TCLSH $b.tcl" "$LUA $b.lua" >/dev/null 2>&1
  # The medians in command order.
  set -- $(grep '"median"' "$work/$b.json" | sed 's/.*"median": *//; s/,.*//')
  printf '%-6s %10.3f %10.3f %10.3f %8s %8s %11s %11s %11s\n' "$b" "$1" "$2" "$3" \
    "$(ratio "$1" "$2")" "$(ratio "$1" "$3")" \
    "$(peak "$VARDA" "$b.cl")" "$(peak "$TCLSH" "$b.tcl")" "$(peak "$LUA" "$b.lua")"
done
exit $status
