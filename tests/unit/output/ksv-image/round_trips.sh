#!/usr/bin/env bash
# Real picture files through ksv-image, checked with other programs:
# libtiff's tiffinfo and tiffdump, giflib's giftext and ImageMagick.
# Usage: round_trips.sh PATH/TO/ksv-image
set -euo pipefail

NEEDED_TOOLS="tiffinfo tiffdump giftext identify compare"
source "$(dirname "${BASH_SOURCE[0]}")/script_setup.sh" "$1"

failures=0
passes=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAIL: $what" >&2
    failures=$((failures + 1))
  fi
}
# Differing pixels, and the peak signal-to-noise ratio, of two pictures.
# -quiet keeps libtiff's warning about the Software text (10 bytes without
# a terminating zero, as the layout has it) out of the number.
ae() { compare -quiet -metric AE "$@" null: 2>&1; }
psnr() { compare -quiet -metric PSNR "$@" null: 2>&1; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a >= b) }'; }
tiff_field() { tiffinfo "$1" 2>/dev/null | grep -q -- "$2"; }

# Sources as other programs write them.
"${IM[@]}" -seed 7 -size 101x67 plasma:fractal -blur 0x1 -depth 8 BMP3:photo.bmp
"${IM[@]}" photo.bmp -colors 200 -type Palette -compress none BMP3:pal8.bmp
"${IM[@]}" photo.bmp -colors 200 -type Palette BMP3:rle8.bmp
"${IM[@]}" photo.bmp -colors 16 -type Palette BMP3:pal4.bmp
"${IM[@]}" photo.bmp -monochrome BMP3:mono.bmp
"${IM[@]}" photo.bmp -define bmp:subtype=RGB565 BMP:rgb565.bmp
"${IM[@]}" photo.bmp -alpha set -define bmp3:alpha=true BMP3:argb32.bmp
"${IM[@]}" photo.bmp -colors 100 -type TrueColor BMP3:few.bmp

# --- TIFF: the program's own layout, read by libtiff and ImageMagick -------
for src in photo argb32 pal8 rle8 rgb565; do
  "$KSV_IMAGE" $src.bmp $src.tif
  check "$src.tif is read by tiffinfo" tiff_field $src.tif "Software: Tavix soft"
  check "$src.tif width" tiff_field $src.tif "Image Width: 101 Image Length: 67"
  check "$src.tif resolution" tiff_field $src.tif "Resolution: 87.7, 87.7 pixels/inch"
  check "$src.tif one strip" tiff_field $src.tif "Rows/Strip: 67"
done
check "24-bit TIFF is RGB" tiff_field photo.tif "Photometric Interpretation: RGB color"
check "24-bit TIFF pixels" test "$(ae photo.bmp photo.tif)" = 0
check "32-bit TIFF equals the 24-bit one" cmp -s argb32.tif photo.tif
check "16-bit TIFF pixels" test "$(ae -fuzz 2% rgb565.bmp rgb565.tif)" = 0
check "8-bit TIFF is palette colour" tiff_field pal8.tif "palette color"
check "8-bit TIFF bits" tiff_field pal8.tif "Bits/Sample: 8"
# The colour map holds each byte in the high half, so ImageMagick's 16-bit
# colours are a hair below the bytes: compare with a small fuzz.
check "8-bit TIFF pixels" test "$(ae -fuzz 1% pal8.bmp pal8.tif)" = 0
check "RLE8 source gives the same TIFF" cmp -s rle8.tif pal8.tif
check "tiffdump shows the directory after the pixels" \
  bash -c "tiffdump pal8.tif 2>/dev/null | grep -q 'Directory 0: offset $((34 + 6 * 256 + 101 * 67))'"
"$KSV_IMAGE" pal4.bmp pal4.tif
check "4-bit TIFF width drops to a multiple of 4" tiff_field pal4.tif "Image Width: 100 Image Length: 67"
check "4-bit TIFF bits" tiff_field pal4.tif "Bits/Sample: 4"
"${IM[@]}" pal4.bmp -crop 100x67+0+0 +repage BMP3:pal4-cut.bmp
check "4-bit TIFF pixels" test "$(ae -fuzz 1% pal4-cut.bmp pal4.tif)" = 0
"$KSV_IMAGE" mono.bmp mono.tif
# The palette layout has no 1-bit form: the picture goes whole through the
# RGB layout instead of being lost.
check "1-bit TIFF keeps every pixel" test "$(ae mono.bmp mono.tif)" = 0
check "1-bit TIFF is RGB" test "$(tiffinfo mono.tif 2>/dev/null | grep -c 'Photometric Interpretation: RGB')" = 1

# --- BMP ---------------------------------------------------------------------
"$KSV_IMAGE" photo.bmp out.bmp
check "BMP pixels" test "$(ae photo.bmp out.bmp)" = 0
check "BMP is 24-bit" test "$(identify -format '%m %z' out.bmp)" = "BMP3 8"
"$KSV_IMAGE" pal8.bmp out8.bmp
check "8-bit BMP keeps its depth" test "$(identify -format '%[type]' out8.bmp)" = "Palette"

# --- JPEG --------------------------------------------------------------------
"$KSV_IMAGE" --quality 90 photo.bmp q90.jpg
"$KSV_IMAGE" --quality 30 photo.bmp q30.jpg
check "JPEG is read by ImageMagick" test "$(identify -format '%m %wx%h' q90.jpg)" = "JPEG 101x67"
check "JPEG quality 90" test "$(identify -format '%Q' q90.jpg)" = 90
check "JPEG quality 30" test "$(identify -format '%Q' q30.jpg)" = 30
check "JPEG is baseline" bash -c "identify -verbose q90.jpg | grep -q 'Interlace: None'"
check "JPEG close to the source" at_least "$(psnr photo.bmp q90.jpg)" 35
check "lower quality, smaller file" test "$(stat -c %s q30.jpg)" -lt "$(stat -c %s q90.jpg)"

# --- GIF ---------------------------------------------------------------------
"$KSV_IMAGE" photo.bmp photo.gif
check "giftext reads the GIF" bash -c "giftext photo.gif | grep -q 'GIF file terminated normally'"
check "GIF is GIF89a" test "$(head -c 6 photo.gif)" = GIF89a
check "GIF has one image" test "$(identify photo.gif | wc -l)" = 1
check "GIF has at most 256 colours" test "$(identify -format '%k' photo.gif)" -le 256
check "GIF colours close to the source" at_least "$(psnr photo.bmp photo.gif)" 30
"$KSV_IMAGE" few.bmp few.gif
check "100-colour picture round-trips exactly" test "$(ae few.bmp few.gif)" = 0
"$KSV_IMAGE" pal8.bmp pal8.gif
check "8-bit BMP keeps its palette" test "$(ae pal8.bmp pal8.gif)" = 0
check "8-bit BMP gives a 256-entry table" bash -c "giftext pal8.gif | grep -q 'BitsPerPixel = 8'"
"$KSV_IMAGE" pal4.bmp pal4.gif
check "4-bit BMP gives a 16-entry table" bash -c "giftext pal4.gif | grep -q 'BitsPerPixel = 4'"
check "4-bit GIF pixels" test "$(ae pal4.bmp pal4.gif)" = 0
"$KSV_IMAGE" mono.bmp mono.gif
check "1-bit GIF pixels" test "$(ae mono.bmp mono.gif)" = 0

# --- Reading what other programs write ----------------------------------------
"${IM[@]}" photo.bmp -interlace GIF -colors 64 im-interlaced.gif
"${IM[@]}" photo.bmp -compress lzw im-lzw.tif
"${IM[@]}" photo.bmp -compress lzw -define tiff:predictor=2 im-predictor.tif
"${IM[@]}" photo.bmp -compress rle im-packbits.tif
"${IM[@]}" photo.bmp -colorspace gray im-grey.tif
"${IM[@]}" photo.bmp -quality 85 im.jpg
for f in im-interlaced.gif im-lzw.tif im-predictor.tif im-packbits.tif im-grey.tif; do
  "$KSV_IMAGE" "$f" "$f.bmp"
  check "$f is read exactly" test "$(ae "$f" "$f.bmp")" = 0
done
"$KSV_IMAGE" im.jpg im.jpg.bmp
check "JPEG from ImageMagick decodes alike" at_least "$(psnr im.jpg im.jpg.bmp)" 45
"$KSV_IMAGE" photo.tif back.bmp
check "own TIFF reads back" test "$(ae photo.bmp back.bmp)" = 0

# --- Wide names ----------------------------------------------------------------
"$KSV_IMAGE" photo.bmp 截图1.jpg
check "Chinese file name" test "$(identify -format '%m' 截图1.jpg)" = JPEG

echo "$passes passed, $failures failed"
test "$failures" = 0
