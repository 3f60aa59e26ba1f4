#!/usr/bin/env bash
# ksv-image's failures: a message on stderr, exit status 2, no output file.
# Usage: errors.sh PATH/TO/ksv-image
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/script_setup.sh" "$1"
"${IM[@]}" -size 16x16 gradient:red-blue BMP3:in.bmp
"${IM[@]}" -size 16x16 gradient: in.png
printf 'BM\001\002' > broken.bmp

failures=0
passes=0
# expect_failure DESCRIPTION OUTPUT MESSAGE-PART ARGS...
expect_failure() {
  local what=$1 output=$2 part=$3
  shift 3
  "$KSV_IMAGE" "$@" >stdout.txt 2>stderr.txt
  local rc=$?
  if [ "$rc" != 2 ]; then
    echo "FAIL: $what: exit status $rc" >&2
    failures=$((failures + 1))
  elif ! grep -q -- "$part" stderr.txt; then
    echo "FAIL: $what: stderr lacks '$part':" >&2
    cat stderr.txt >&2
    failures=$((failures + 1))
  elif [ -n "$output" ] && [ -e "$output" ]; then
    echo "FAIL: $what: left $output behind" >&2
    failures=$((failures + 1))
  else
    passes=$((passes + 1))
  fi
}

expect_failure "no arguments" "" "usage: ksv-image"
expect_failure "one argument" "" "an input and an output" in.bmp
expect_failure "missing input" out1.bmp "cannot read 'missing.bmp'" missing.bmp out1.bmp
expect_failure "PNG input" out2.jpg "not a BMP, JPEG, GIF or TIFF file" in.png out2.jpg
expect_failure "broken BMP" out3.gif "Bitmap image is not valid" broken.bmp out3.gif
expect_failure "unknown operation" out4.bmp "unknown operation 'no-such-operation'" no-such-operation=3 in.bmp out4.bmp
expect_failure "quality out of range" out5.jpg "1..100" --quality 101 in.bmp out5.jpg
expect_failure "quality not a number" out6.jpg "1..100" --quality high in.bmp out6.jpg
expect_failure "unknown output type" out7.png "must end in .bmp, .jpg, .gif or .tif" in.bmp out7.png
expect_failure "unknown option" out8.bmp "unknown option" --colours 8 in.bmp out8.bmp
expect_failure "output folder missing" no-such-folder/out9.bmp "Cannot create file" in.bmp no-such-folder/out9.bmp

# Crafted files that claim more than they hold: each is refused with one
# line, before anything of the claimed size is allocated.
python3 - <<'PY'
import struct

def bmp(width, height, bits, compression, pixels, colours=0):
    palette = bytes(4 * (colours or (1 << bits))) if bits <= 8 else b""
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0, 0, 0, colours, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels

def write(name, data):
    with open(name, "wb") as f:
        f.write(data)

# RLE8 of 65535 x 65535 ending at once: 4 GiB of pixels in 60 bytes.
write("huge.bmp", bmp(65535, 65535, 8, 1, b"\0\1", 1))
# 8.5 million deltas of 255 pixels, more than 2^31 in all, then a run.
write("deltas.bmp", bmp(16, 1, 8, 1, b"\0\2\xff\0" * 8500000 + b"\xff\7\0\1", 2))
# 1000 x 1000 at 24 bits is 3 MB of pixels; the file holds 100 bytes.
write("short.bmp", bmp(1000, 1000, 24, 0, bytes(100)))
# 29 bytes: a 65535 x 65535 screen and image, no colour table.
gif = b"GIF89a" + struct.pack("<HHBBB", 65535, 65535, 0, 0, 0)
gif += b"\x2c" + struct.pack("<HHHHB", 0, 0, 65535, 65535, 0) + b"\x02\x02\x4c\x01\0\x3b"
write("huge.gif", gif)
PY
# A real JPEG whose frame header is changed to claim 20000 x 20000, and
# 65535 x 65535 (past what libjpeg itself takes).
"${IM[@]}" -size 16x16 gradient: -quality 80 small.jpg
python3 - <<'PY'
data = bytearray(open("small.jpg", "rb").read())
i = 2
while data[i + 1] not in (0xC0, 0xC1, 0xC2):
    i += 2 + (data[i + 2] << 8 | data[i + 3])
for name, side in (("huge.jpg", 20000), ("max.jpg", 65535)):
    data[i + 5:i + 9] = side.to_bytes(2, "big") * 2
    open(name, "wb").write(bytes(data))
PY

# expect_refusal DESCRIPTION INPUT MESSAGE-PART: exit status 2, one line on
# stderr, no output file.
expect_refusal() {
  local what=$1 input=$2 part=$3
  local out="refused-${input%.*}.bmp"
  expect_failure "$what" "$out" "$part" "$input" "$out"
  if [ "$(wc -l <stderr.txt)" != 1 ]; then
    echo "FAIL: $what: stderr is not one line:" >&2
    cat stderr.txt >&2
    failures=$((failures + 1))
  fi
}
expect_refusal "BMP claiming 65535 x 65535" huge.bmp "picture too large: 65535 x 65535 pixels"
expect_refusal "GIF claiming 65535 x 65535" huge.gif "picture too large: 65535 x 65535 pixels"
expect_refusal "JPEG claiming 20000 x 20000" huge.jpg "picture too large: 20000 x 20000 pixels"
expect_refusal "JPEG claiming 65535 x 65535" max.jpg "picture too large: 65535 x 65535 pixels"
expect_refusal "RLE deltas past the edge" deltas.bmp "Bitmap image is not valid"
expect_refusal "BMP far shorter than its claim" short.bmp "Bitmap image is not valid"

# A failed run leaves an existing output as it was.
echo keep > kept.jpg
expect_failure "existing output kept" "" "cannot read" missing.bmp kept.jpg
if [ "$(cat kept.jpg)" = keep ]; then passes=$((passes + 1)); else
  echo "FAIL: existing output changed" >&2
  failures=$((failures + 1))
fi

# --list: status 0, one well-formed line per registered operation, and
# every listed operation with parameters is rejected outside its range.
if "$KSV_IMAGE" --list >list.txt 2>stderr.txt && [ ! -s stderr.txt ]; then
  passes=$((passes + 1))
else
  echo "FAIL: --list" >&2
  failures=$((failures + 1))
fi
while IFS= read -r line; do
  if ! [[ $line =~ ^[a-z0-9-]+(=[a-z0-9,-]+\ \ .*)?$ ]]; then
    echo "FAIL: --list line '$line'" >&2
    failures=$((failures + 1))
    continue
  fi
  name=${line%%=*}
  name=${name%% *}
  if [[ $line =~ \ \ [a-z0-9-]+\ (-?[0-9]+)\.\.(-?[0-9]+) ]]; then
    above=$((BASH_REMATCH[2] + 1))
    params=${line#*=}
    params=${params%%  *}
    value=$above
    for _ in $(seq 2 "$(echo "$params" | tr ',' '\n' | wc -l)"); do value="$value,0"; done
    expect_failure "$name above its range" outr.bmp "must be an integer" "$name=$value" in.bmp outr.bmp
  fi
done <list.txt

"$KSV_IMAGE" --help >help.txt 2>&1 && grep -q "usage: ksv-image" help.txt && passes=$((passes + 1)) || {
  echo "FAIL: --help" >&2
  failures=$((failures + 1))
}

echo "$passes passed, $failures failed"
test "$failures" = 0
