#!/usr/bin/env bash
# Builds Pembroquil.chm from the help pages: the UTF-8 sources are converted
# to Shift JIS (the pages declare that charset), the index Index.hhk is
# written from HelpTopics.inc, and all is compiled with chmcmd.
#   tools/build-help.sh SOURCE_DIR WORK_DIR OUTPUT.chm
set -euo pipefail
src=$1 work=$2 out=$3
rm -rf "$work"
mkdir -p "$work"
for f in "$src"/*; do
  iconv -f UTF-8 -t CP932 "$f" > "$work/$(basename "$f")"
done
# One index entry per topic line: PQ_HELP_xxx(anchor, "page", "keyword"),
# sorted by keyword.
{
  printf '%s\n' '<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">' '<HTML>' '<HEAD><meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS"></HEAD>' '<BODY>' '<UL>'
  sed -n 's/^PQ_HELP_[A-Z]*(\([A-Za-z_0-9]*\), *"\([^"]*\)", *"\([^"]*\)")$/\3\t\2#\1/p' "$src/HelpTopics.inc" |
    LC_ALL=C sort |
    while IFS=$'\t' read -r keyword local; do
      printf '  <LI><OBJECT type="text/sitemap"><param name="Name" value="%s"><param name="Local" value="%s"></OBJECT>\n' "$keyword" "$local"
    done
  printf '%s\n' '</UL>' '</BODY>' '</HTML>'
} | iconv -f UTF-8 -t CP932 > "$work/Index.hhk"
(cd "$work" && chmcmd --no-html-scan Pembroquil.hhp >/dev/null 2>&1) || true
[ -s "$work/Pembroquil.chm" ] || { echo "build-help: chmcmd wrote no Pembroquil.chm" >&2; exit 1; }
cp "$work/Pembroquil.chm" "$out"
