#!/usr/bin/env bash
# Draws the images of the bars with ImageMagick and writes them into
# resources/: the tool bar strips Toolbar.bmp (normal, muted) and
# ToolbarHot.bmp (hot), 32 images of 16 x 16 on the transparent colour teal
# (0, 128, 128), and TabClose.ico, the close button's 16 x 16 icon.
# Run it again after changing an image; the results are committed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=$src/resources
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

teal='rgb(0,128,128)'
font=IPAGothic
# One image per entry, in bitmap order; each is a list of -draw primitives
# on a 16 x 16 canvas (pixel centres at integer coordinates).
page='fill white stroke black rectangle 3,1 12,14 fill white stroke black polygon 9,1 12,4 9,4'
folder='fill #f0c000 stroke #805000 polygon 1,4 5,4 6,5 13,5 13,13 1,13 fill #ffe070 polygon 3,7 15,7 13,13 1,13'
floppy='fill #2050c0 stroke #102060 rectangle 2,2 13,13 fill white stroke none rectangle 4,2 11,6 fill #c0c0c0 rectangle 5,9 10,13'
images=(
  "$page"                                                                     # 0 new
  "$folder"                                                                   # 1 open
  "$page stroke red stroke-width 2 line 6,7 11,12 line 11,7 6,12"             # 2 close
  "$floppy"                                                                   # 3 save
  "$floppy stroke #a05000 stroke-width 2 line 9,14 15,8"                      # 4 save as
  "fill #2050c0 stroke #102060 rectangle 5,1 14,10 rectangle 1,5 10,14 fill white stroke none rectangle 3,5 8,8" # 5 save all
  "font $font font-size 11 fill #006000 stroke none text 1,12 'A' fill #c00000 text 8,14 'a'"  # 6 save code
  "fill none stroke #004080 stroke-width 2 polyline 13,2 13,9 4,9 fill #004080 stroke none polygon 1,9 5,5 5,13" # 7 line end
  "fill none stroke #004080 stroke-width 2 arc 3,4 13,14 180,360 fill #004080 stroke none polygon 1,9 6,5 6,11" # 8 undo
  "fill none stroke #004080 stroke-width 2 arc 3,4 13,14 180,360 fill #004080 stroke none polygon 15,9 10,5 10,11" # 9 redo
  "fill none stroke black line 5,1 10,10 line 10,1 5,10 stroke #c00000 circle 4,12 4,14 circle 11,12 11,14" # 10 cut
  "fill white stroke black rectangle 1,1 9,10 rectangle 6,5 14,14"            # 11 copy
  "fill #a06000 stroke #603000 rectangle 2,2 12,14 fill #c0c0c0 rectangle 5,1 9,3 fill white stroke black rectangle 7,6 14,14" # 12 paste
  "stroke #c00000 stroke-width 3 line 3,3 12,12 line 12,3 3,12"               # 13 delete
  "fill none stroke black stroke-dasharray 2,2 rectangle 1,2 14,13 fill #000080 stroke none rectangle 4,5 11,6 rectangle 4,9 11,10" # 14 select all
  "fill #c0e0ff stroke black circle 6,6 6,11 stroke-width 3 line 9,9 14,14"   # 15 find
  "fill #c0e0ff stroke black circle 5,5 5,9 stroke-width 2 line 8,8 11,11 stroke #c00000 line 9,14 15,14 line 13,12 15,14" # 16 replace
  "fill none stroke #808080 line 6,3 15,3 line 6,8 15,8 line 6,13 15,13 fill #c00000 stroke none polygon 1,5 5,8 1,11" # 17 go to line
  "fill none stroke #808080 line 6,3 15,3 line 6,8 15,8 line 6,13 15,13 fill #006000 stroke none rectangle 1,1 3,15" # 18 insert at line head
  "font $font font-size 13 fill #000080 stroke none text 3,13 'A'"             # 19 upper case
  "font $font font-size 13 fill #000080 stroke none text 4,12 'a'"             # 20 lower case
  "fill none stroke #004080 stroke-width 2 line 1,8 11,8 fill #004080 stroke none polygon 15,8 10,4 10,12 fill black rectangle 2,12 3,13 rectangle 6,12 7,13" # 21 tab to space
  "fill #f0c000 stroke #805000 rectangle 1,1 6,5 rectangle 8,7 13,10 rectangle 8,12 13,15 fill none stroke black line 3,6 3,13 line 3,9 8,9 line 3,13 8,13" # 22 file tree
  "font $font font-size 10 fill #800080 stroke none text 0,12 '<>'"          # 23 registered tags
  "font $font font-size 15 fill #1060e0 stroke none text 2,13 'e'"             # 24 browser 1
  "fill #004060 stroke none rectangle 1,1 14,14 font $font font-size 12 fill white text 3,12 'N'" # 25 browser 2
  "fill #60a0ff stroke #004080 circle 8,8 8,15 fill none stroke #004080 ellipse 8,8 3,7 0,360 line 1,8 15,8" # 26 chosen browser
  "fill white stroke black rectangle 1,1 14,14 fill #000080 rectangle 1,1 14,4 fill #60a0ff stroke none circle 8,9 8,13" # 27 internal browser
  "fill white stroke black rectangle 1,1 10,14 fill none stroke #000080 line 3,4 8,4 line 3,7 8,7 line 3,10 8,10 fill #f0c000 stroke #805000 rectangle 8,9 15,15" # 28 open file list
  "fill white stroke black rectangle 1,1 10,14 fill none stroke #000080 line 3,4 8,4 line 3,7 8,7 line 3,10 8,10 fill #2050c0 stroke #102060 rectangle 8,8 15,15" # 29 save file list
  "font $font font-size 12 fill #006000 stroke none text 1,13 'ｶ' fill #c00000 text 7,13 'カ'" # 30 kana
  "fill #c0c0c0 stroke black rectangle 3,1 12,14 fill #00c000 stroke none rectangle 5,3 6,4 fill none stroke black line 5,7 10,7 line 5,10 10,10" # 31 local server
)

args=()
for i in "${!images[@]}"; do
  convert -size 16x16 xc:"$teal" -draw "${images[$i]}" +antialias "$tmp/$i.png"
  args+=("$tmp/$i.png")
done
# Colours that antialiasing blends with teal become teal or the image's own,
# so the transparent colour stays exact.
convert "${args[@]}" +append -fill "$teal" -fuzz 12% -opaque "$teal" "$tmp/hot.png"
convert "$tmp/hot.png" -type TrueColor BMP3:"$out/ToolbarHot.bmp"
# Normal images: the same, muted; the muted teal becomes teal again.
muted_teal=$(convert -size 1x1 xc:"$teal" -modulate 100,55 -format '%[pixel:p{0,0}]' info:)
convert "$tmp/hot.png" -modulate 100,55 -fill "$teal" -fuzz 1% -opaque "$muted_teal" "$tmp/normal.png"
convert "$tmp/normal.png" -type TrueColor BMP3:"$out/Toolbar.bmp"

# The close button: a dark cross on a transparent ground.
convert -size 16x16 xc:none -stroke '#404040' -strokewidth 2 -draw 'line 4,4 11,11 line 11,4 4,11' \
  "$out/TabClose.ico"
echo "wrote $out/Toolbar.bmp, $out/ToolbarHot.bmp, $out/TabClose.ico"
