#!/usr/bin/env bash
# Regenerates the seed pictures of the fuzz targets from one small plasma
# picture: ImageMagick for what it writes, a few lines of Python for the BMP
# layouts it does not (RLE4, top-down rows). The files are committed; run
# this only to change the set. Needs ImageMagick and python3.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
B="$TMP/base.png"
convert -seed 7 -size 24x16 plasma: -depth 8 "$B"
convert -seed 3 -size 24x16 plasma: -depth 8 "$TMP/base2.png"

cd "$HERE"
rm -rf bmp gif jpeg tiff
mkdir -p bmp gif jpeg tiff

# --- BMP ----------------------------------------------------------------
convert "$B" -colors 2 -type palette -compress none BMP3:bmp/pal1.bmp
convert "$B" -colors 16 -type palette -compress none BMP3:bmp/pal4.bmp
convert "$B" -colors 200 -type palette -compress none BMP3:bmp/pal8.bmp
convert "$B" -colors 200 -type palette -compress RLE BMP3:bmp/rle8.bmp
convert "$B" -define bmp:subtype=RGB565 BMP:bmp/rgb565.bmp
convert "$B" -define bmp:subtype=RGB555 BMP:bmp/rgb555.bmp
convert "$B" -type truecolor BMP3:bmp/rgb24.bmp
convert "$B" -alpha set -channel A -evaluate set 80% +channel BMP:bmp/argb32.bmp
convert "$B" -type truecolor BMP2:bmp/core24.bmp
convert "$B" -colors 16 -type palette BMP2:bmp/core4.bmp
python3 - bmp/pal4.bmp bmp/rgb24.bmp <<'PY'
import struct, sys

pal4, rgb24 = sys.argv[1], sys.argv[2]

def split(path):
    d = open(path, "rb").read()
    off = struct.unpack_from("<I", d, 10)[0]
    return bytearray(d[:off]), d[off:]

# Top-down: the same 24-bit picture with a negative height and its rows in
# reading order.
head, bits = split(rgb24)
w, h = struct.unpack_from("<ii", head, 18)
stride = (w * 3 + 3) & ~3
rows = [bits[i * stride:(i + 1) * stride] for i in range(h)]
struct.pack_into("<i", head, 22, -h)
open("bmp/topdown24.bmp", "wb").write(bytes(head) + b"".join(reversed(rows)))

# RLE4 from the 4-bit picture: runs of equal pixel pairs as encoded runs,
# the rest in absolute runs, an end of line per row and an end of bitmap.
head, bits = split(pal4)
w, h = struct.unpack_from("<ii", head, 18)
stride = ((w * 4 + 31) // 32) * 4
out = bytearray()
for y in range(h):
    row = bits[y * stride:(y + 1) * stride]
    px = [(row[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)]
    x = 0
    while x < w:
        n = 1
        while x + n < w and n < 255 and px[x + n] == px[x]:
            n += 1
        if n >= 3 or w - x < 3:
            out += bytes([n, px[x] << 4 | px[x]])
            x += n
        else:
            n = min(8, w - x)
            chunk = px[x:x + n]
            packed = bytearray()
            for i in range(0, n, 2):
                packed.append(chunk[i] << 4 | (chunk[i + 1] if i + 1 < n else 0))
            if len(packed) % 2:
                packed.append(0)
            out += bytes([0, n]) + packed
            x += n
    out += b"\x00\x00"
out += b"\x00\x01"
struct.pack_into("<I", head, 30, 2)          # BI_RLE4
struct.pack_into("<I", head, 34, len(out))   # image size
struct.pack_into("<I", head, 2, len(head) + len(out))
open("bmp/rle4.bmp", "wb").write(bytes(head) + bytes(out))
PY

# --- GIF ----------------------------------------------------------------
convert "$B" -colors 64 gif/plain.gif
convert "$B" -colors 64 -interlace GIF gif/interlaced.gif
convert "$B" -colors 16 -fuzz 20% -transparent "$(convert "$B" -format '%[pixel:p{0,0}]' info:)" gif/transparent.gif
convert -delay 10 -loop 0 "$B" "$TMP/base2.png" \( "$B" -flop \) -colors 32 gif/animated.gif
convert -delay 10 "$B" \( "$TMP/base2.png" -crop 12x8+4+4 \) -colors 32 gif/local_tables.gif
convert "$B" -colors 2 gif/two_colours.gif
# A GIF87a file: the same header without extension blocks.
convert "$B" -colors 64 +set comment gif/plain87a.gif
python3 - gif/plain87a.gif <<'PY'
import sys
p = sys.argv[1]
d = bytearray(open(p, "rb").read())
# Drop extension blocks (0x21 label, sub-blocks) after the colour table.
flags = d[10]
pos = 13 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0)
out = d[:pos]
while d[pos] == 0x21:
    pos += 2
    while d[pos]:
        pos += d[pos] + 1
    pos += 1
out += d[pos:]
out[0:6] = b"GIF87a"
open(p, "wb").write(bytes(out))
PY

# --- JPEG ---------------------------------------------------------------
convert "$B" -quality 80 jpeg/colour.jpg
convert "$B" -quality 90 -sampling-factor 1x1 jpeg/colour444.jpg
convert "$B" -colorspace gray -quality 80 jpeg/grey.jpg
convert "$B" -quality 80 -interlace JPEG jpeg/progressive.jpg
convert "$B" -colorspace CMYK -quality 80 jpeg/cmyk.jpg

# --- TIFF ---------------------------------------------------------------
convert "$B" -compress none tiff/rgb_none.tif
convert "$B" -compress LZW -define tiff:predictor=1 tiff/rgb_lzw.tif
convert "$B" -compress LZW -define tiff:predictor=2 tiff/rgb_lzw_predictor.tif
convert "$B" -compress RLE tiff/rgb_packbits.tif
convert "$B" -compress Zip tiff/rgb_deflate.tif
convert "$B" -compress JPEG -quality 80 tiff/rgb_jpeg.tif
convert "$B" -compress none -define tiff:tile-geometry=16x16 tiff/rgb_tiled.tif
convert "$B" -compress none -depth 16 tiff/rgb16.tif
convert "$B" -compress none -interlace plane tiff/rgb_planar.tif
convert "$B" -compress none -endian MSB tiff/rgb_bigendian.tif
convert "$B" -compress none -colors 16 -type palette tiff/palette4.tif
convert "$B" -compress LZW -colors 200 -type palette tiff/palette8.tif
convert "$B" -compress none -colorspace gray tiff/grey8.tif
convert "$B" -compress none -monochrome -depth 1 tiff/bilevel.tif
convert "$B" -compress Group4 -monochrome tiff/bilevel_g4.tif
convert "$B" -compress Zip -colorspace gray -depth 16 tiff/grey16_deflate.tif
convert "$B" -compress LZW -define tiff:tile-geometry=16x16 -interlace plane tiff/rgb_tiled_planar_lzw.tif
convert "$B" -compress none -define tiff:rows-per-strip=3 tiff/rgb_strips.tif

ls -l bmp gif jpeg tiff
