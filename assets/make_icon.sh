#!/usr/bin/env bash
# Draws Horavia's icon, a green clock face on a dark disc, at 16, 32, 48 and
# 256 pixels into assets/Horavia.ico. The .ico is committed, so building does
# not need ImageMagick; run this again only to change the picture.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each size is drawn at that size rather than scaled down, so the small ones
# stay sharp. Coordinates are on a 256 grid, scaled by s.
draw() {
  local px=$1
  local s
  s=$(awk "BEGIN { print $px / 256 }")
  local sw
  sw=$(awk "BEGIN { w = 16 * $px / 256; print (w < 1.5 ? 1.5 : w) }")
  convert -size "${px}x${px}" xc:none \
    -fill 'rgb(0,64,0)' -stroke 'rgb(0,255,0)' -strokewidth "$sw" \
    -draw "circle $(awk "BEGIN { print 128*$s, 128*$s, 128*$s, 10*$s }")" \
    -stroke 'rgb(255,255,0)' -strokewidth "$sw" \
    -draw "line $(awk "BEGIN { print 128*$s, 128*$s, 128*$s, 52*$s }")" \
    -draw "line $(awk "BEGIN { print 128*$s, 128*$s, 184*$s, 160*$s }")" \
    -stroke none -fill 'rgb(255,255,255)' \
    -draw "circle $(awk "BEGIN { r = ($px < 32 ? 1 : 12*$s); print 128*$s, 128*$s, 128*$s + r, 128*$s }")" \
    -define png:exclude-chunks=date,time \
    "$work/$px.png"
}

for px in 16 32 48 256; do draw "$px"; done
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" -depth 8 Horavia.ico
echo "wrote assets/Horavia.ico"
