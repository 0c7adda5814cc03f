#!/usr/bin/env bash
# Builds every libFuzzer target (tests/fuzz/*.cpp) with clang and runs each
# for SECONDS (default 60) over a copy of its seed corpus
# (tests/fuzz/corpus/<target>/, which is never changed). Prints one line per
# target with its executions and executions per second, writes the results
# for tools/summary.py into BUILD/results/, and exits non-zero when a target
# found anything (crash, leak, timeout, out of memory, a broken invariant);
# the input that shows it is kept in BUILD/findings/<target>/.
#
#   tools/fuzz.sh [SECONDS] [BUILD]      (BUILD default: build/fuzz)
#
# PQ_FUZZ_TARGETS="encoding tag_file" runs only those targets.
set -uo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$src/build/fuzz}
mkdir -p "$build"
build=$(cd "$build" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] || jobs=2

fail() { echo "fuzz: $*" >&2; exit 1; }
command -v clang++ >/dev/null || fail "clang++ is needed for the fuzz targets"

targets=()
if [ -n "${PQ_FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$PQ_FUZZ_TARGETS"
else
  for f in "$src"/tests/fuzz/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

# A run that stops before the end leaves no results (summary.py counts that).
mkdir -p "$build/results"
rm -f "$build/results/"*.xml

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Debug keeps the assertions; -O1 with line tables is what libFuzzer runs
# best with and compiles fastest.
CC=clang CXX=clang++ cmake -S "$src" -B "$build" -DPQ_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  "${launcher[@]}" >/dev/null || fail "configure failed"
build_targets=()
for t in "${targets[@]}"; do build_targets+=("fuzz_$t"); done
cmake --build "$build" -j"$jobs" --target "${build_targets[@]}" >"$build/build.log" 2>&1 ||
  { tail -30 "$build/build.log" >&2; fail "build failed (see $build/build.log)"; }

cases=""
failed=0
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for t in "${targets[@]}"; do
  work="$build/run/$t"
  findings="$build/findings/$t"
  rm -rf "$work" "$findings"
  mkdir -p "$work/corpus" "$findings"
  [ -d "$src/tests/fuzz/corpus/$t" ] && cp "$src/tests/fuzz/corpus/$t"/* "$work/corpus/" 2>/dev/null
  start=$(date +%s)
  "$build/fuzz_$t" "$work/corpus" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" >"$work/log" 2>&1
  rc=$?
  elapsed=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log" | tail -1)
  status=ok
  if [ "$rc" -ne 0 ]; then
    status="FOUND ($(ls "$findings" | head -1 | sed "s|^|$findings/|"); log $work/log)"
    failed=$((failed + 1))
    grep -E "^(==[0-9]+==ERROR|SUMMARY|invariant broken)" "$work/log" | head -3 >&2
    cases+="<testcase name=\"fuzz_$t\" status=\"run\" time=\"$elapsed\"><failure message=\"finding\"/></testcase>"
  else
    cases+="<testcase name=\"fuzz_$t\" status=\"run\" time=\"$elapsed\"/>"
  fi
  printf 'fuzz %-18s %12s executions %8s exec/s  %s\n' "$t" "${runs:-0}" "${speed:-0}" "$status"
done
printf '<?xml version="1.0" encoding="UTF-8"?>\n<testsuite name="fuzz" tests="%d" failures="%d">%s</testsuite>\n' \
  "${#targets[@]}" "$failed" "$cases" >"$build/results/ctest-junit.xml"
[ "$failed" -eq 0 ] || fail "$failed target(s) found something"
