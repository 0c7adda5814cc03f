#!/usr/bin/env bash
# Builds the shipped 32-bit program and makes its two distributions in
# build/dist/: the installer Pembroquil-<version>-setup.exe and the zip
# Pembroquil-<version>.zip of the same layout, for users who do not install.
#
#   tools/package.sh [BUILD_ROOT]      (default: build/ in the source tree)
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
root=${1:-$src/build}
mkdir -p "$root"
root=$(cd "$root" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$src/tools/install-deps.sh"
cmake -S "$src" -B "$root/win" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/win" -j"$jobs" --target Pembroquil color gradation pq_data
"$src/tools/installer/make-dist.sh" "$root/win/out" "$root/dist" x86
