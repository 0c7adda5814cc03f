#!/usr/bin/env bash
# The distributions hold exactly the shipped files: the zip's listing equals
# the installer's file list and what the sources ship, whatever else lies in
# the build's program folder, and a build that lacks a shipped file yields no
# distribution at all.
#   tests/package/listing-test.sh SOURCE_DIR OUT_DIR WORK_DIR [x86|amd64]
set -uo pipefail
src=$1 out=$2 work=$3 arch=${4:-x86}
make_dist="$src/tools/installer/make-dist.sh"
failures=0
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}

rm -rf "$work"; mkdir -p "$work"
# A program folder like the build's, as links, plus what a user leaves there.
tree() { rm -rf "$work/out"; cp -rs "$(cd "$out" && pwd)" "$work/out"; }

expected=$( { printf '%s\n' Pembroquil.exe Pembroquil.chm Plugins/Color.pqi Plugins/Gradation.pqi
              (cd "$src/resources" && ls Keyword/*.kwd Assist/*.ast); } | sort)

tree
echo user > "$work/out/mine.txt"; echo user > "$work/out/Keyword/notes.txt"
echo user > "$work/out/Assist/old.ast.bak"; mkdir -p "$work/out/Tags"; echo t > "$work/out/Tags/a.pqt"
if "$make_dist" "$work/out" "$work/dist" "$arch" > "$work/made.txt" 2> "$work/err.txt"; then
  zipfile=$(grep '\.zip$' "$work/made.txt")
  listing=$(unzip -Z1 "$zipfile" | grep -v '/$' | sed 's|^Pembroquil/||' | sort)
  files=$(sort "${zipfile%.zip}.files")
  check "zip listing equals the shipped files" [ "$listing" = "$expected" ]
  check "installer file list equals the zip listing" [ "$files" = "$listing" ]
  check "zip entries lie in one Pembroquil folder" [ -z "$(unzip -Z1 "$zipfile" | grep -v '^Pembroquil/')" ]
  check "version of the resource in the names" grep -q "Pembroquil-$(sed -n 's/.*"ProductVersion", "\([^"]*\)".*/\1/p' "$src/resources/Pembroquil.rc")" "$work/made.txt"
  if [ "${PQ_NO_INSTALLER:-0}" != 1 ]; then
    check "installer written" [ -s "$(grep 'setup\.exe$' "$work/made.txt")" ]
  fi
else
  cat "$work/err.txt"; check "distribution of a complete build" false
fi

# Builds that lack a shipped file: an error, and nothing left in the folder.
while IFS='|' read -r name remove; do
  tree; rm -rf "$work/dist2"; cp -r "$work/dist" "$work/dist2"  # an earlier build's
  (cd "$work/out" && rm -f $remove)
  PQ_NO_INSTALLER=1 "$make_dist" "$work/out" "$work/dist2" "$arch" >/dev/null 2>&1
  rc=$?
  check "$name: refused" [ $rc -ne 0 ]
  check "$name: no distribution left" [ -z "$(ls -A "$work/dist2" 2>/dev/null)" ]
done <<'CASES'
no plug-in Gradation|Plugins/Gradation.pqi
no help|Pembroquil.chm
no program|Pembroquil.exe
no keyword file|Keyword/*.kwd
no assist file|Assist/*.ast
CASES

rm -rf "$work"
echo "$failures failed"
[ $failures -eq 0 ]
