#!/usr/bin/env bash
# The test command: installs what is missing, builds everything and runs every
# test headless (native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, Win32 tests and end-to-end tests under Wine on a
# virtual display), then prints "N passed, N failed". Exits non-zero when any
# test failed or a step did not complete.
#
#   tools/test.sh [BUILD_ROOT]      (default: build/ in the source tree)
set -uo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
root=${1:-$src/build}
mkdir -p "$root"
root=$(cd "$root" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

step() { echo "== $*" >&2; }
fail() { echo "test: $*" >&2; exit 1; }

step "dependencies"
"$src/tools/install-deps.sh" || fail "could not install the dependencies"

step "native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$src" -B "$root/native" -DPQ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null || fail "native configure"
cmake --build "$root/native" -j"$jobs" || fail "native build"

step "cross build (i686-w64-mingw32)"
cmake -S "$src" -B "$root/win" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || fail "cross configure"
cmake --build "$root/win" -j"$jobs" || fail "cross build"

rm -f "$root"/native/results/*.xml "$root"/win/results/*.xml

step "native tests"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$root/native" -j"$jobs" --output-on-failure --output-junit results/ctest-junit.xml

step "Win32 and end-to-end tests under Wine"
"$src/tools/testbed.sh" run "$root/win" -- \
  ctest --test-dir "$root/win" --output-on-failure --output-junit results/ctest-junit.xml

step "results"
python3 "$src/tools/summary.py" "$root/native" "$root/win"
