#!/usr/bin/env bash
# The run command: installs what is missing, builds the program and starts it
# under Wine on an untitled document, or on the file given.
#
#   tools/run.sh [FILE]
#
# With a working X display ($DISPLAY) the editor opens there. Without one it
# starts on a virtual display, a screenshot is saved into the build tree (the
# path is printed) and the program is closed again after PQ_RUN_SECONDS
# seconds (default 5).
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
build=${PQ_BUILD_DIR:-$src/build}/win
jobs=$(nproc 2>/dev/null || echo 2)

"$src/tools/install-deps.sh"
toolchain=mingw-i686
# A machine that runs no 32-bit programs cannot start 32-bit Wine: there the
# same sources are built for 64-bit Windows.
if ! "$src/tools/testbed.sh" can-run-32 "$build"; then
  build=${PQ_BUILD_DIR:-$src/build}/win64
  toolchain=mingw-x86_64
  echo "run: this machine runs no 32-bit programs; starting the 64-bit build" >&2
fi
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" --target Pembroquil color gradation pq_data
"$src/tools/testbed.sh" prefix "$build"

args=()
if [ $# -ge 1 ]; then
  file=$1
  case "$file" in /*) ;; *) file="$PWD/$file" ;; esac
  args+=("Z:${file//\//\\}")
fi

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  cd "$build/out"
  exec "$build/winerun" ./Pembroquil.exe "${args[@]}"
fi

shot="$build/screenshots/run.png"
mkdir -p "$build/screenshots"
export PQ_RUN_BUILD="$build" PQ_RUN_SHOT="$shot"
# Wine's own desktop window draws the window frames a window manager would.
"$src/tools/testbed.sh" run "$build" -- bash -c '
  cd "$PQ_RUN_BUILD/out"
  "$PQ_RUN_BUILD/winerun" explorer /desktop=Pembroquil,1024x720 Pembroquil.exe "$@" &
  sleep 4
  import -window root "$PQ_RUN_SHOT"
  sleep "${PQ_RUN_SECONDS:-5}"' run "${args[@]}"
echo "No display: the editor ran on a virtual display; screenshot saved to $shot"
