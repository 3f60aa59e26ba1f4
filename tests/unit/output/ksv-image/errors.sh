#!/usr/bin/env bash
# ksv-image's failures: a message on stderr, exit status 2, no output file.
# Usage: errors.sh PATH/TO/ksv-image
set -uo pipefail

KSV_IMAGE=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
if command -v magick >/dev/null 2>&1; then IM=(magick); else IM=(/usr/bin/convert); fi
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
