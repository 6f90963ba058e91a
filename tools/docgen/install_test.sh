#!/usr/bin/env bash
# cmake --install puts exactly the binary, the man page and the bash
# completion script under the prefix.
#   install_test.sh <cmake> <build dir> <scratch prefix>
set -euo pipefail
cmake=$1
build=$2
prefix=$3

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
got=$(cd "$prefix" && find . -type f | sort)
expected="./bin/varda
./share/bash-completion/completions/varda
./share/man/man1/varda.1"
if [ "$got" != "$expected" ]; then
  echo "installed files:"
  echo "$got"
  echo "expected:"
  echo "$expected"
  exit 1
fi
"$prefix/bin/varda" -v | grep -q "EMI configuration tool"
rm -rf "$prefix"
