#!/usr/bin/env bash
# Draws the image strips of the input assist list with ImageMagick into
# resources/: AssistInput.bmp (bitmap 212, 8 images: element with end tag,
# empty element, character reference, comment or declaration, Perl variable,
# Perl function, Perl statement, header line) and AssistAttribute.bmp (bitmap
# 210, 5 images: attribute, event attribute, value, colour value, obsolete),
# 16 x 16 each on the transparent colour magenta (255, 0, 255).
# Run it again after changing an image; the results are committed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=$src/resources
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

magenta='rgb(255,0,255)'
font=IPAGothic
tag='fill #2060c0 stroke none rectangle 1,3 14,12'
input=(
  "$tag font $font font-size 9 fill white text 2,11 '<>'"                                     # 0 element with end tag
  "fill none stroke #2060c0 stroke-width 2 rectangle 2,4 13,11 font $font font-size 9 fill #2060c0 stroke none text 3,11 '<>'" # 1 empty element
  "fill #008040 stroke none rectangle 1,1 14,14 font $font font-size 11 fill white text 4,12 '&'"  # 2 character reference
  "fill #808080 stroke none rectangle 1,3 14,12 font $font font-size 9 fill white text 3,11 '!'"   # 3 comment or declaration
  "fill #c06000 stroke none circle 8,8 8,1 font $font font-size 11 fill white text 4,12 '$'"       # 4 Perl variable
  "fill #8000c0 stroke none rectangle 1,1 14,14 font $font font-size 9 fill white text 2,11 'fn'"  # 5 Perl function
  "fill #c00040 stroke none polygon 8,1 15,8 8,15 1,8 font $font font-size 9 fill white text 5,11 'S'" # 6 Perl statement
  "fill #404040 stroke none rectangle 1,1 14,14 font $font font-size 9 fill #ffff00 text 3,11 '#!'" # 7 header line
)
attribute=(
  "fill #2060c0 stroke none rectangle 3,3 12,12"                                              # 0 attribute
  "fill #e0a000 stroke #805000 polygon 9,1 3,9 7,9 5,15 13,6 9,6 11,1"                        # 1 event attribute
  "fill #008040 stroke none circle 8,8 8,3"                                                   # 2 value
  "fill #ff0000 stroke none rectangle 1,1 7,7 fill #00c000 rectangle 8,1 14,7 fill #0000ff rectangle 1,8 7,14 fill #ffff00 rectangle 8,8 14,14" # 3 colour value
  "fill #a0a0a0 stroke none rectangle 3,3 12,12 stroke #c00000 stroke-width 2 line 2,13 13,2" # 4 obsolete
)

strip() {  # name, images...
  local name=$1; shift
  local args=() i=0
  for image in "$@"; do
    convert -size 16x16 xc:"$magenta" +antialias -draw "$image" "$tmp/$name$i.png"
    args+=("$tmp/$name$i.png")
    i=$((i + 1))
  done
  convert "${args[@]}" +append -fill "$magenta" -fuzz 12% -opaque "$magenta" -type TrueColor BMP3:"$out/$name.bmp"
}
strip AssistInput "${input[@]}"
strip AssistAttribute "${attribute[@]}"
echo "wrote $out/AssistInput.bmp, $out/AssistAttribute.bmp"
