#!/usr/bin/env bash
# The test command: installs what is missing, builds everything and runs every
# test headless (native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, short runs of the libFuzzer targets, Win32 tests
# and end-to-end tests under Wine on a virtual display), then prints
# "N passed, N failed". Exits non-zero when any test failed or a step did not
# complete.
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

# Where the Win32 and end-to-end tests run: the shipped 32-bit build, or, on a
# machine whose kernel runs no 32-bit code (32-bit Wine cannot start there),
# a 64-bit build of the same sources under 64-bit Wine.
testroot="$root/win"
targets=()
if ! "$src/tools/testbed.sh" can-run-32 "$root/win"; then
  testroot="$root/win64"
  # The shipped program and plug-ins are still built as they ship.
  targets=(--target Pembroquil color gradation pq_data)
fi

step "cross build (i686-w64-mingw32)"
cmake -S "$src" -B "$root/win" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || fail "cross configure"
cmake --build "$root/win" -j"$jobs" "${targets[@]}" || fail "cross build"

if [ "$testroot" != "$root/win" ]; then
  echo "test: this machine runs no 32-bit programs, so 32-bit Wine cannot start;" >&2
  echo "test: the Win32 and end-to-end tests run on a 64-bit build of the same sources" >&2
  step "cross build for the tests (x86_64-w64-mingw32)"
  cmake -S "$src" -B "$testroot" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || fail "64-bit cross configure"
  cmake --build "$testroot" -j"$jobs" || fail "64-bit cross build"
fi

rm -f "$root"/native/results/*.xml "$testroot"/results/*.xml

step "native tests"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$root/native" -j"$jobs" --output-on-failure --output-junit results/ctest-junit.xml

# The fuzz targets, a few seconds each (PQ_FUZZ_SECONDS): each counts as
# one test. Longer campaigns: tools/fuzz.sh SECONDS.
step "fuzz targets (clang, ${PQ_FUZZ_SECONDS:-5} s each)"
"$src/tools/fuzz.sh" "${PQ_FUZZ_SECONDS:-5}" "$root/fuzz"

step "Win32 and end-to-end tests under Wine ($(basename "$testroot"))"
"$src/tools/testbed.sh" run "$testroot" -- \
  ctest --test-dir "$testroot" --output-on-failure --output-junit results/ctest-junit.xml
wine_rc=$?

step "results"
python3 "$src/tools/summary.py" "$root/native" "$root/fuzz" "$testroot"
summary_rc=$?
# A test bed that could not start runs no test: that is a failure, not a pass.
[ -f "$testroot/results/ctest-junit.xml" ] || { echo "test: the Win32 and end-to-end tests did not run (test bed exit $wine_rc)" >&2; exit 1; }
exit $summary_rc
