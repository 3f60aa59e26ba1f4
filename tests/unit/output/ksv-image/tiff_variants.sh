#!/usr/bin/env bash
# TIFF files as ImageMagick writes them, read by ksv-image, must give the
# pixels ImageMagick itself reads from them; crafted broken files are
# refused. Usage: tiff_variants.sh PATH/TO/ksv-image
set -uo pipefail

NEEDED_TOOLS="compare python3"
source "$(dirname "${BASH_SOURCE[0]}")/script_setup.sh" "$1"

failures=0
passes=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# Differing pixels of two pictures, colours within FUZZ counted as equal.
ae() { compare -quiet -fuzz "$1" -metric AE "$2" "$3" null: 2>&1; }
psnr() { compare -quiet -metric PSNR "$1" "$2" null: 2>&1; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a >= b) }'; }

# Sources: a photo-like picture (odd size, so tiles are clipped on the
# right and at the bottom), its grey and palette versions, and one with an
# alpha ramp.
"${IM[@]}" -seed 7 -size 101x67 plasma:fractal -blur 0x1 -depth 8 rgb.png
"${IM[@]}" rgb.png -colorspace gray grey.png
"${IM[@]}" rgb.png -colors 200 pal.png
"${IM[@]}" rgb.png \( -size 101x67 gradient: \) -alpha off -compose CopyOpacity -composite rgba.png
"${IM[@]}" rgb.png -monochrome mono.png

declare -A type_of=([rgb]=TrueColor [grey]=Grayscale [pal]=Palette [rgba]=TrueColorAlpha)
# libtiff premultiplies unassociated alpha and ImageMagick keeps it, so the
# reference is ImageMagick's reading composited over black; the two round
# that product differently by a level.
for src in rgb grey pal rgba; do
  for depth in 8 16; do
    for compression in none lzw rle zip jpeg; do
      for interlace in none plane; do
        for layout in strips tiles; do
          name=$src-$depth-$compression-$interlace-$layout
          tiles=()
          [ "$layout" = tiles ] && tiles=(-define tiff:tile-geometry=64x64)
          if ! "${IM[@]}" $src.png -type "${type_of[$src]}" -depth $depth -compress $compression \
            -interlace $interlace "${tiles[@]}" $name.tif 2>/dev/null; then
            fail "$name: ImageMagick could not write it"
            continue
          fi
          if ! "$KSV_IMAGE" $name.tif $name.bmp 2>err.txt; then
            fail "$name: ksv-image refused it: $(cat err.txt)"
            continue
          fi
          fuzz=0
          { [ "$depth" = 16 ] || [ "$src" = rgba ]; } && fuzz=1%
          [ "$compression" = jpeg ] && fuzz=2%
          if [ "$src" = rgba ] && [ "$compression" = jpeg ]; then
            # ImageMagick reads its own JPEG-compressed RGBA files with the
            # alpha applied twice; the picture it wrote is the reference.
            "${IM[@]}" rgba.png -background black -alpha remove -alpha off ref.ppm
            if at_least "$(psnr ref.ppm $name.bmp)" 40; then passes=$((passes + 1)); else
              fail "$name: $(psnr ref.ppm $name.bmp) dB from the source"
            fi
            continue
          fi
          "${IM[@]}" $name.tif -background black -alpha remove -alpha off -depth 8 ref.ppm 2>/dev/null
          result=$(ae $fuzz ref.ppm $name.bmp)
          if [ "$result" = 0 ]; then passes=$((passes + 1)); else fail "$name: $result pixels differ"; fi
        done
      done
    done
  done
done

# Bilevel files, with the fax codes scanners use.
for compression in none lzw rle zip fax group4; do
  name=mono-$compression
  "${IM[@]}" mono.png -type Bilevel -compress $compression $name.tif
  if "$KSV_IMAGE" $name.tif $name.bmp 2>err.txt && [ "$(ae 0 $name.tif $name.bmp)" = 0 ]; then
    passes=$((passes + 1))
  else
    fail "$name: $(cat err.txt)"
  fi
done

# Crafted files: refused with status 2 and one line, and nothing written.
python3 - <<'PY'
import struct

def craft(name, data, fields):
    """Little-endian TIFF: header, data at byte 8, then the directory."""
    ifd = 8 + len(data) + len(data) % 2
    out = bytearray(b"II*\0" + struct.pack("<I", ifd) + data + b"\0" * (len(data) % 2))
    tail = bytearray()
    tail_at = ifd + 2 + 12 * len(fields) + 4
    entries = bytearray(struct.pack("<H", len(fields)))
    for tag, kind, values in sorted(fields):
        packed = b"".join(struct.pack("<H" if kind == 3 else "<I", v) for v in values)
        entries += struct.pack("<HHI", tag, kind, len(values))
        if len(packed) <= 4:
            entries += packed.ljust(4, b"\0")
        else:
            entries += struct.pack("<I", tail_at + len(tail))
            tail += packed
    out += entries + b"\0\0\0\0" + tail
    open(name, "wb").write(out)

def strip(width, height, bits, count, offset=8, samples=1):
    return [(256, 4, [width]), (257, 4, [height]), (258, 3, [bits]), (259, 3, [1]), (262, 3, [1]),
            (273, 4, [offset]), (277, 3, [samples]), (278, 4, [height]), (279, 4, [count])]

craft("wide.tif", b"\x55" * 45000, strip(1500000000, 1, 1, 45000))
craft("samples.tif", b"\x55" * 45000, strip(100, 100, 8, 45000, samples=60000))
craft("past-end.tif", b"\x07" * 50, strip(100, 100, 8, 10000, offset=1000000))
craft("short.tif", b"\x07" * 50, strip(1000, 1000, 8, 1000000))
PY
for crafted in wide samples past-end short; do
  "$KSV_IMAGE" $crafted.tif $crafted.bmp >/dev/null 2>err.txt
  rc=$?
  if [ "$rc" != 2 ]; then
    fail "$crafted.tif: exit status $rc"
  elif [ "$(wc -l <err.txt)" != 1 ] || ! grep -q "TIFF image not readable\|picture too large" err.txt; then
    fail "$crafted.tif: message: $(cat err.txt)"
  elif [ -e $crafted.bmp ]; then
    fail "$crafted.tif: left $crafted.bmp behind"
  else
    passes=$((passes + 1))
  fi
done

echo "$passes passed, $failures failed"
test "$failures" = 0
