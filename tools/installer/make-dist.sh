#!/usr/bin/env bash
# Makes the two distributions of a built program folder: a zip of the
# installed layout and the installer (when makensis is present), both with
# the version of the version resource in their names.
#
#   tools/installer/make-dist.sh OUT_DIR DIST_DIR [x86|amd64]
#
# OUT_DIR is a build's out/ folder (laid out as installed). Writes
#   DIST_DIR/Pembroquil-<version>[-x64].zip
#   DIST_DIR/Pembroquil-<version>[-x64]-setup.exe
#   DIST_DIR/Pembroquil-<version>[-x64].files   (the shipped files, one a line)
# Only the shipped files are taken from OUT_DIR: the program, the help, the
# two plug-ins, Keyword\*.kwd and Assist\*.ast. A missing one is an error and
# leaves no distribution behind. PQ_NO_INSTALLER=1 makes the zip only.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 OUT_DIR DIST_DIR [x86|amd64]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
out=$1 dist=$2 arch=${3:-x86}
fail() { echo "make-dist: $*" >&2; exit 1; }

case $arch in
  x86) suffix="" strip=i686-w64-mingw32-strip ;;
  amd64) suffix="-x64" strip=x86_64-w64-mingw32-strip ;;
  *) fail "unknown architecture $arch" ;;
esac
[ -d "$out" ] || fail "no folder $out"

# The version as the program shows it ("2.06") and as four numbers.
rc="$src/resources/Pembroquil.rc"
version=$(sed -n 's/^[[:space:]]*VALUE "ProductVersion", "\([^"]*\)".*/\1/p' "$rc" | head -n1)
version4=$(sed -n 's/^[[:space:]]*PRODUCTVERSION[[:space:]]*\([0-9]*\),[[:space:]]*\([0-9]*\),[[:space:]]*\([0-9]*\),[[:space:]]*\([0-9]*\).*/\1.\2.\3.\4/p' "$rc" | head -n1)
[ -n "$version" ] && [ -n "$version4" ] || fail "no version in $rc"

base="Pembroquil-$version$suffix"
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
# A failed run leaves no distribution of an earlier build under these names.
rm -f "$dist/$base.zip" "$dist/$base-setup.exe" "$dist/$base.files"

# The shipped files, in a fixed order: program files first, then data files.
program=(Pembroquil.exe Pembroquil.chm Plugins/Color.pqi Plugins/Gradation.pqi)
for f in "${program[@]}"; do
  [ -f "$out/$f" ] || fail "the build has no $f"
done
data=()
for d in Keyword:kwd Assist:ast; do
  dir=${d%%:*} ext=${d##*:}
  found=0
  while IFS= read -r -d '' f; do
    data+=("$dir/$(basename "$f")")
    found=1
  done < <(find -L "$out/$dir" -maxdepth 1 -type f -name "*.$ext" -print0 2>/dev/null | sort -z)
  [ $found = 1 ] || fail "the build has no $dir/*.$ext"
done

work=$(mktemp -d "$dist/.stage.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage="$work/Pembroquil"

for f in "${program[@]}" "${data[@]}"; do
  mkdir -p "$stage/$(dirname "$f")"
  cp "$out/$f" "$stage/$f"
done
# The build keeps debugging information; users get the programs without it.
if command -v "$strip" >/dev/null; then
  for f in Pembroquil.exe Plugins/Color.pqi Plugins/Gradation.pqi; do
    "$strip" --strip-debug "$stage/$f"
  done
fi

# The list makensis includes: one line per file, with its folder (ending in a
# backslash, or empty) and its name.
{
  echo "!macro PQ_SHIPPED_FILES OP"
  for f in "${program[@]}"; do
    dir=$(dirname "$f"); [ "$dir" = . ] && dir="" || dir="$dir\\"
    echo "  !insertmacro \${OP}_PROGRAM_FILE \"$dir\" \"$(basename "$f")\""
  done
  for f in "${data[@]}"; do
    echo "  !insertmacro \${OP}_DATA_FILE \"$(dirname "$f")\\\" \"$(basename "$f")\""
  done
  echo "!macroend"
} > "$work/files.nsh"

(cd "$work" && zip -q -X -r "$work/$base.zip" Pembroquil) || fail "zip failed"

if [ "${PQ_NO_INSTALLER:-0}" != 1 ]; then
  command -v makensis >/dev/null || fail "makensis is missing (Debian package nsis)"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$version4" \
    -DSTAGE="$stage" -DFILELIST="$work/files.nsh" -DOUTFILE="$work/$base-setup.exe" \
    -DICON="$src/resources/Pembroquil.ico" -DARCH="$arch" "$here/Pembroquil.nsi" >&2 \
    || fail "makensis failed"
  mv "$work/$base-setup.exe" "$dist/"
fi
printf '%s\n' "${program[@]}" "${data[@]}" > "$dist/$base.files"
mv "$work/$base.zip" "$dist/"
echo "$dist/$base.zip"
[ "${PQ_NO_INSTALLER:-0}" = 1 ] || echo "$dist/$base-setup.exe"
