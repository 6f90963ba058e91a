#!/usr/bin/env bash
# Sets up, builds and runs varda, or its whole test suite, on a Debian machine.
#
#   ./setup.sh run [varda arguments...]   build, then run varda with the arguments
#   ./setup.sh test                        build twice (plain, and with ASan+UBSan) and run every test
#   ./setup.sh build                       build only
#
# Missing Debian packages are installed first (apt-get update, then apt-get install).
set -euo pipefail

# Paths stay relative to the caller's directory: varda writes its files there.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# groff-base: the test that renders the man page.
packages=(cmake ninja-build g++ clang clang-format bison googletest libgtest-dev libbenchmark-dev libclang-rt-14-dev git diffutils groff-base)

install_missing() {
  local missing=()
  local p
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}" >&2
    local sudo=()
    if [ "$(id -u)" != 0 ]; then sudo=(sudo); fi
    "${sudo[@]}" apt-get update >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" >&2
  fi
}

# configure_and_build <dir> <cmake args...>
# Our builds treat warnings as errors (VARDA_WERROR); a build tree made before
# that option existed gets it too.
configure_and_build() {
  local dir="$here/$1"; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$here" -B "$dir" -G Ninja -DVARDA_WERROR=ON "$@" >&2
  elif ! grep -q '^VARDA_WERROR:BOOL=ON$' "$dir/CMakeCache.txt"; then
    cmake "$dir" -DVARDA_WERROR=ON >&2
  fi
  cmake --build "$dir" >&2
}

build_plain() {
  configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++
}

build_sanitized() {
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DVARDA_SANITIZE=ON -DVARDA_BENCH=OFF
}

cmd="${1:-}"
[ $# -gt 0 ] && shift
case "$cmd" in
  run)
    install_missing
    build_plain
    exec "$here/build/varda" "$@"
    ;;
  build)
    install_missing
    build_plain
    ;;
  test)
    install_missing
    build_sanitized
    echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer (clang++) =="
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir "$here/build-asan" --output-on-failure -j "$(nproc)"
    build_plain
    echo "== tests (g++) =="
    ctest --test-dir "$here/build" --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: ./setup.sh run [varda arguments...] | ./setup.sh test | ./setup.sh build" >&2
    exit 2
    ;;
esac
