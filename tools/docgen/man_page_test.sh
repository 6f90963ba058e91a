#!/usr/bin/env bash
# The generated man page renders without a warning and has an entry for every
# option of the short usage page, which varda prints when run without arguments.
#   man_page_test.sh <varda> <varda.1>
set -euo pipefail
varda=$1
page=$2

warnings=$(groff -ww -z -man "$page" 2>&1)
if [ -n "$warnings" ]; then
  echo "groff warns about $page:"
  echo "$warnings"
  exit 1
fi
if command -v mandoc >/dev/null; then
  mandoc -T lint -W warning "$page"
fi

text=$(groff -T ascii -P -cbou -man "$page")
# Option lines of the short page: two spaces, the name, then its argument or description.
mapfile -t short < <(env -u VARDAARG "$varda" | sed -n 's/^  \([^ ]\+\) .*/\1/p')
if [ "${#short[@]}" -ne 13 ]; then
  echo "expected the 13 options of the short page, got ${#short[@]}: ${short[*]}"
  exit 1
fi
status=0
for name in "${short[@]}"; do
  # An entry of the OPTIONS section: the option at the start of an indented line.
  if ! grep -qE -- "^ +-$name( |\$)" <<<"$text"; then
    echo "no entry for -$name in $page"
    status=1
  fi
done
exit $status
