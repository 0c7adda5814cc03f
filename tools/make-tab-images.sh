#!/usr/bin/env bash
# Draws the images of the document tabs with ImageMagick into resources/:
# TabImages.bmp, five images of 16 x 16 on magenta (plain, modified,
# previewed, read-only, previewed through the local server), TabMarker.ico,
# the insertion marker shown while a tab is dragged, and TabDrag.cur, the
# drag cursor (hot spot at its tip). Run it again after changing an image;
# the results are committed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=$src/resources
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

magenta='rgb(255,0,255)'
page='fill white stroke #404040 polygon 3,1 10,1 13,4 13,14 3,14 fill #d0d0d0 polygon 10,1 13,4 10,4'
images=(
  "$page"                                                                           # 0 plain
  "$page stroke #c00000 stroke-width 2 line 5,11 11,5 fill #c00000 stroke none polygon 4,13 4,10 7,13"  # 1 modified
  "fill #3070d0 stroke #103060 circle 8,8 8,2 stroke white fill none line 2,8 14,8 ellipse 8,8 3,6 0,360"  # 2 preview
  "$page fill #e0a000 stroke #604000 rectangle 5,8 11,13 fill none arc 6,4 10,10 180,360"  # 3 read-only
  "fill #30a030 stroke #104010 circle 8,8 8,2 stroke white fill none line 2,8 14,8 ellipse 8,8 3,6 0,360"  # 4 server
)
args=()
for i in "${!images[@]}"; do
  convert -size 16x16 "xc:$magenta" -draw "${images[$i]}" "$tmp/t$i.png"
  args+=("$tmp/t$i.png")
done
convert "${args[@]}" +append -alpha off -type TrueColor "BMP3:$out/TabImages.bmp"

# The marker: a downward triangle over a bar.
convert -size 16x16 xc:none -fill '#c00000' -stroke '#600000' \
  -draw 'polygon 3,0 12,0 8,5' -draw 'rectangle 7,5 8,15' "$tmp/m.png"
convert "$tmp/m.png" "$out/TabMarker.ico"

# The drag cursor: an arrow with a small tab under it, made as an icon and
# turned into a cursor (type 2, hot spot 0,0).
convert -size 32x32 xc:none -fill white -stroke black \
  -draw 'polygon 0,0 0,15 4,11 7,17 9,16 6,10 11,10' \
  -draw 'rectangle 12,18 26,26' -draw 'line 12,18 14,15 line 14,15 22,15 line 22,15 24,18' "$tmp/c.png"
convert "$tmp/c.png" "$tmp/c.ico"
python3 - "$tmp/c.ico" "$out/TabDrag.cur" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
struct.pack_into('<H', data, 2, 2)            # resource type: cursor
count = struct.unpack_from('<H', data, 4)[0]
for i in range(count):
    struct.pack_into('<HH', data, 6 + 16 * i + 4, 0, 0)  # hot spot x, y
open(sys.argv[2], 'wb').write(data)
PY
