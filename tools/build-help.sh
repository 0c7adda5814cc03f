#!/usr/bin/env bash
# Builds Pembroquil.chm from the help pages: the UTF-8 sources are converted
# to Shift JIS (the pages declare that charset) and compiled with chmcmd.
#   tools/build-help.sh SOURCE_DIR WORK_DIR OUTPUT.chm
set -euo pipefail
src=$1 work=$2 out=$3
rm -rf "$work"
mkdir -p "$work"
for f in "$src"/*; do
  iconv -f UTF-8 -t CP932 "$f" > "$work/$(basename "$f")"
done
(cd "$work" && chmcmd --no-html-scan Pembroquil.hhp >/dev/null 2>&1) || true
[ -s "$work/Pembroquil.chm" ] || { echo "build-help: chmcmd wrote no Pembroquil.chm" >&2; exit 1; }
cp "$work/Pembroquil.chm" "$out"
