#!/usr/bin/env bash
# Builds the benchmarks optimised (no sanitizers) and runs them; each prints
# its figures. Benchmarks are not tests: nothing here fails on a slow figure.
#   tools/bench.sh [NAME-FILTER]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build/bench
"$src/tools/install-deps.sh"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"
for b in "$build"/bench_*; do
  [ -x "$b" ] || continue
  case "$(basename "$b")" in *${1:-}*) ;; *) continue ;; esac
  echo "== $(basename "$b")"
  "$b"
done
