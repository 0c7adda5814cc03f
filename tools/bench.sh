#!/usr/bin/env bash
# Builds the benchmarks optimised (no sanitizers) and runs them: the native
# ones, then the Win32 ones under the test bed (on the build this machine can
# run: build/win, or build/win64 where 32-bit programs cannot run). Each
# prints its figures; at the end a table puts the main figures beside their
# anchors and targets. Benchmarks are not tests: nothing here fails on a slow
# figure.
#   tools/bench.sh [NAME-FILTER]     (PQ_BENCH_NO_WIN32=1 skips the Win32 ones)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build/bench
log=$(mktemp /tmp/pqbench.XXXXXX)
trap 'rm -f "$log"' EXIT
"$src/tools/install-deps.sh"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2
for b in "$build"/bench_*; do
  [ -x "$b" ] || continue
  case "$(basename "$b")" in *${1:-}*) ;; *) continue ;; esac
  echo "== $(basename "$b")"
  "$b" | tee -a "$log"
done

if [ -z "${PQ_BENCH_NO_WIN32:-}" ]; then
  win=$src/build/win toolchain=cmake/mingw-i686.cmake
  if ! "$src/tools/testbed.sh" can-run-32 "$win" 2>/dev/null; then
    win=$src/build/win64 toolchain=cmake/mingw-x86_64.cmake
  fi
  cmake -S "$src" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$src/$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$win" -j2
  for b in "$win"/bench/bench_win32_*.exe; do
    [ -f "$b" ] || continue
    case "$(basename "$b")" in *${1:-}*) ;; *) continue ;; esac
    args=()
    case "$(basename "$b")" in
      bench_win32_assist.exe) args=("$win/out/Assist") ;;
      bench_win32_canvasedit.exe) args=(2000) ;;
      bench_win32_startup.exe) args=("Z:$(echo "$win/out/Pembroquil.exe" | tr / '\\')") ;;
    esac
    echo "== $(basename "$b")"
    "$src/tools/testbed.sh" run "$win" -- "$win/winerun" "$b" "${args[@]}" | tee -a "$log" || true
  done
fi

# The table: each figure with its anchor and the target between them.
python3 - "$log" <<'EOF'
import re, sys
text = open(sys.argv[1], encoding="utf-8", errors="replace").read()

def find(pattern, group=1):
    m = re.search(pattern, text, re.M)
    return float(m.group(group)) if m else None

def fmt(v, unit):
    return "-" if v is None else f"{v:.3g} {unit}"

rows = []
key = {k: find(r"^keystroke %s\s+([\d.]+) ms" % re.escape(k)) for k in
       ["300KB", "7MB-one-line-start", "7MB-one-line-end", "1M-lines-comment-at-top", "300KB-system-EDIT"]}
rows.append(("keystroke, 300 KB page", fmt(key["300KB"], "ms"), "system EDIT " + fmt(key["300KB-system-EDIT"], "ms"), "<= 1x"))
for case in ["7MB-one-line-start", "7MB-one-line-end", "1M-lines-comment-at-top"]:
    rows.append((f"keystroke, {case}", fmt(key[case], "ms"), "300 KB page " + fmt(key["300KB"], "ms"), "<= 1.5x"))
top = find(r"typed character, new state\s+([\d.]+) ms at line 0")
every = find(r"line states of every line\s+([\d.]+) ms")
rows.append(("core: comment opened at the top of 1M lines", fmt(top, "ms"), "every line's state " + fmt(every, "ms"), "<= 1 ms"))
heap = find(r"heap for the text .*?([\d.]+) bytes per byte")
rows.append(("heap for a 60 MB page", fmt(heap, "B/B"), "", "<= 1.3 B/B"))
m = re.search(r"^\s+JIS to SJIS\s+(\d+)\s+(\d+)", text, re.M)
rows.append(("JIS to SJIS", m and f"{m.group(1)} MB/s" or "-", m and f"glibc iconv {m.group(2)} MB/s" or "-", ">= 2x"))
ours, notepad = find(r"^startup Pembroquil\s+([\d.]+) ms"), find(r"^startup notepad\s+([\d.]+) ms")
rows.append(("start-up to the main window", fmt(ours, "ms"), "Wine's notepad " + fmt(notepad, "ms"), "<= 1.2x"))
full, samples = find(r"^full\s+files\s+\d+: load\+tree\s+([\d.]+) ms"), find(r"^samples\s+files\s+\d+: load\+tree\s+([\d.]+) ms")
rows.append(("tag store load and tree, 100 x 100 tags", fmt(full, "ms"), "sample store " + fmt(samples, "ms"), "+ < 1000 ms"))
shown, system = find(r"^list shown, our reader:\s+median ([\d.]+) ms"), find(r"^keys read with GetPrivateProfileStringA: median ([\d.]+) ms")
rows.append(("assist list shown, largest section", fmt(shown, "ms"), "GetPrivateProfileStringA " + fmt(system, "ms"), "<= 20 ms"))
space = find(r"^Shift\+Space, 1 000 000 lines above:\s+median ([\d.]+) ms")
rows.append(("Shift+Space, 1M lines above", fmt(space, "ms"), "", "<= 30 ms"))

w = [max(len(r[i]) for r in rows + [("figure", "Pembroquil", "anchor", "target")]) for i in range(4)]
print()
for r in [("figure", "Pembroquil", "anchor", "target")] + rows:
    print("  ".join(c.ljust(w[i]) for i, c in enumerate(r)))
EOF
