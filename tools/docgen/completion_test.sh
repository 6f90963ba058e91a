#!/usr/bin/env bash
# Sources the generated completion script and completes words as bash would.
#   completion_test.sh <varda.bash>
set -uo pipefail
source "$1"

fn=$(complete -p varda | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
if [ -z "$fn" ]; then
  echo "no completion function registered for varda"
  exit 1
fi

failures=0
# expect <expected replies, sorted, space-separated> <words of the command line...>
# The last word is the one being completed.
expect() {
  local expected=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  "$fn" varda "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ')
  got=${got% }
  if [ "$got" != "$expected" ]; then
    echo "completing '$*': expected '$expected', got '$got'"
    failures=$((failures + 1))
  fi
}

cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
touch out.cfg other.cfg
mkdir outdir

expect "-caslatency" varda -casl
expect "-help -help-dram -help-emi4 -help-gencfg -help-mpx -help-padlogic -help-peripheral -help-sdram" varda -hel
expect "-i -icfg -io -iparameters -ireset -iro" varda -i
expect "-zdump -zdump-r" varda -chip 7021 -zd
expect "0 1 2 3 4 5" varda -bank ""
expect "D M P S" varda -type ""
expect "7021 7023 7025 7027 7029 EMI2 EMI3 EMI4 emi2 emi3 emi4" varda -chip ""
expect "7025" varda -chip 7025
# File names after the options that take one, and for scripts.
expect "out.cfg outdir" varda -o ou
expect "out.cfg outdir" varda -read ou
expect "other.cfg out.cfg outdir" varda -io o
expect "out.cfg outdir" varda ou
# "@file": bash splits the word at "@"; without that split the "@" stays.
expect "out.cfg outdir" varda @ ou
expect "@out.cfg @outdir" varda @ou
# Any other value is the user's own, even one that looks like an option.
expect "" varda -p ""
expect "" varda -caslatency -
expect "" varda -o -
exit $((failures > 0))
