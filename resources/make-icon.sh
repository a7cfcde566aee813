#!/usr/bin/env bash
# Makes tarvin.ico from tarvin-icon.mvg: make-icon.sh [OUTPUT] (default: tarvin.ico
# beside this script). The same source and ImageMagick give the same bytes.
#
# The sizes: 16, 32, 48 and 256 px for Explorer and the taskbar, 20, 24, 40
# and 64 px for the same places at 125 %, 150 % and 200 % scaling, and a
# 128 px image in 16 colours (4 bits per pixel, VGA palette, transparency in
# its mask). The others are true colour with alpha, the 256 px one stored as
# PNG as Windows expects.
#
# The drawing is rendered once, without antialiasing, at 3840 px: 240 pixels
# to a grid unit. Every size divides 3840, so box averaging down to it keeps
# the grid-aligned edges sharp and smooths only the round ones.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
output=$(realpath -m "${1:-$here/tarvin.ico}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Debian's ImageMagick policy forbids reading drawings from files with @, so
# the primitives go in as an argument.
convert -size 3840x3840 xc:none +antialias -affine 240,0,0,240,-0.5,-0.5 \
        -draw "$(cat "$here/tarvin-icon.mvg")" master.png
for size in 16 20 24 32 40 48 64 256; do
  convert master.png -filter box -resize "${size}x$size" "icon-$size.png"
done

# The 16 VGA colours and a transparent pixel: remapping to a palette that
# holds transparency keeps the image's alpha, which becomes the icon's mask.
convert -size 17x1 xc:none \
  -fill '#000000' -draw 'point 0,0'  -fill '#800000' -draw 'point 1,0' \
  -fill '#008000' -draw 'point 2,0'  -fill '#808000' -draw 'point 3,0' \
  -fill '#000080' -draw 'point 4,0'  -fill '#800080' -draw 'point 5,0' \
  -fill '#008080' -draw 'point 6,0'  -fill '#C0C0C0' -draw 'point 7,0' \
  -fill '#808080' -draw 'point 8,0'  -fill '#FF0000' -draw 'point 9,0' \
  -fill '#00FF00' -draw 'point 10,0' -fill '#FFFF00' -draw 'point 11,0' \
  -fill '#0000FF' -draw 'point 12,0' -fill '#FF00FF' -draw 'point 13,0' \
  -fill '#00FFFF' -draw 'point 14,0' -fill '#FFFFFF' -draw 'point 15,0' \
  palette.png

# The 128 px image is made in the same command that writes the icon: read back
# from a file it would lose its palette, and ImageMagick would store it in true
# colour. Half-transparent edge pixels become opaque or fully transparent;
# -colors keeps only the colours used, so that the palette fits in 4 bits.
convert icon-16.png icon-20.png icon-24.png icon-32.png icon-40.png icon-48.png icon-64.png \
        \( master.png -filter box -resize 128x128 -channel A -threshold 50% +channel +dither -remap palette.png -colors 16 \) \
        icon-256.png -define png:exclude-chunks=date,time "$output"
