#!/usr/bin/env bash
# Writes the GIF pictures the texture reader's tests decode, with the reference decoding of
# independent tools: <name>.rgb is ImageMagick's decoding of the first image (raw 8-bit RGB,
# the screen's rows top first) and <name>.map the colour tables as giflib's gifbuild dumps them
# ("global N" or "local N" followed by N lines "r g b", the local table of the first image only).
# The results are committed; run this again only to change the set.
set -euo pipefail
cd "$(dirname "$0")"
export MAGICK_SEED=7

# GIF87a, 256 colours (8-bit codes that fill the 4096-entry table and clear it).
convert -size 96x96 xc: -seed 7 +noise Random -colors 256 +dither GIF87:noise256_87a.gif
# GIF89a, 128 colours (7-bit codes).
convert -size 40x40 xc: -seed 3 +noise Random -colors 128 +dither noise128.gif
# Interlaced, 16 rows, 16 colours (4-bit codes).
convert -size 20x16 gradient:red-blue -colors 16 +dither -interlace GIF ramp16_interlaced.gif
# Interlaced, 3 rows: the later passes start below the last row.
convert -size 5x3 gradient:yellow-black -colors 8 +dither -interlace GIF short_interlaced.gif
# 30 pixels wide, two colours (the smallest code size): rows are padded to 32 bytes.
convert -size 30x7 pattern:checkerboard -monochrome width30.gif

# A graphic control block with a transparent index, a comment and an application block
# before the image; 4 colours.
gifbuild > extensions89a.gif <<'GIF'
screen width 8
screen height 6
screen colors 4
screen background 0
pixel aspect byte 0
screen map
	rgb 000 255 000 is g
	rgb 255 000 000 is r
	rgb 000 000 255 is b
	rgb 255 255 255 is w
end
netscape loop 0
comment
made for the texture reader's tests
end
graphics control
	disposal mode 1
	user input flag off
	delay 10
	transparent index 0
end
image
image left 0
image top 0
image bits 8 by 6
gggrrrbb
grrrbbbw
wwwbbbrr
rgbwrgbw
bbbbgggg
wrwrwrwr
GIF

# A global table of 256 colours and a first image with its own table of 16; a second image
# with another table of 4.
{
  echo "screen width 6"
  echo "screen height 4"
  echo "screen colors 256"
  echo "screen map"
  for i in $(seq 0 255); do printf '\trgb %03d %03d %03d\n' "$i" $((255 - i)) $(((i * 7) % 256)); done
  echo "end"
  echo "image"
  echo "image map"
  keys=ABCDEFGHIJKLMNOP
  for i in $(seq 0 15); do printf '\trgb %03d %03d %03d is %s\n' $((i * 16)) $((i * 5)) 200 "${keys:$i:1}"; done
  echo "end"
  echo "image bits 6 by 4"
  echo "ABCDEF"
  echo "GHIJKL"
  echo "MNOPAB"
  echo "PPOONN"
  echo "image"
  echo "image map"
  printf '\trgb 001 002 003 is a\n\trgb 004 005 006 is b\n\trgb 007 008 009 is c\n\trgb 010 011 012 is d\n'
  echo "end"
  echo "image bits 6 by 4"
  printf 'abcdab\nbcdabc\ncdabcd\ndabcda\n'
} | gifbuild > local_table.gif

for f in *.gif; do
  name="${f%.gif}"
  convert "${f}[0]" -depth 8 "rgb:${name}.rgb"
  gifbuild -d "$f" | awk '
    /^screen map/ { section = "global"; n = 0; next }
    /^image map/ { if (images == 1) { section = "local"; n = 0 } next }
    /^image #/ { images++ }
    /^end/ { if (section != "") { print section, n; for (i = 0; i < n; i++) print row[i] } section = ""; next }
    section != "" && $1 == "rgb" { row[n++] = ($2 + 0) " " ($3 + 0) " " ($4 + 0) }
  ' > "${name}.map"
done
