#!/usr/bin/env bash
# ksv-image never loses a picture: after each kind of failed save an
# existing output is unchanged byte for byte and no temporary file is left
# beside it; a successful save replaces it.
# Usage: safe_saves.sh PATH/TO/ksv-image
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/script_setup.sh" "$1"
"${IM[@]}" -size 64x48 plasma:fractal -seed 3 BMP3:in.bmp 2>/dev/null ||
  "${IM[@]}" -size 64x48 gradient:red-blue BMP3:in.bmp
# A BMP of 0 x 0 pixels: readable, but no encoder can write it.
python3 - <<'PY'
import struct
info = struct.pack('<IiiHHIIiiII', 40, 0, 0, 1, 24, 0, 0, 2835, 2835, 0, 0)
open('empty.bmp', 'wb').write(b'BM' + struct.pack('<IHHI', 14 + 40, 0, 0, 14 + 40) + info)
PY

failures=0
passes=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_kept DESCRIPTION FOLDER TARGET-NAME ARGS...: the run fails with
# status 2 and FOLDER holds TARGET-NAME with its old bytes and nothing else.
expect_kept() {
  local what=$1 folder=$2 name=$3
  shift 3
  printf 'the picture that was there first' >"$folder/$name"
  cp "$folder/$name" before.bin
  "$KSV_IMAGE" "$@" >stdout.txt 2>stderr.txt
  local rc=$?
  local listing
  listing=$(ls -A "$folder")
  if [ "$rc" != 2 ]; then
    fail "$what: exit status $rc"
  elif [ "$(wc -l <stderr.txt)" != 1 ]; then
    fail "$what: not a one-line message:"
    cat stderr.txt >&2
  elif ! cmp -s before.bin "$folder/$name"; then
    fail "$what: the existing file changed"
  elif [ "$listing" != "$name" ]; then
    fail "$what: the folder holds: $listing"
  else
    passes=$((passes + 1))
  fi
  rm -f "$folder/$name"
}

mkdir -p out
for ext in bmp jpg gif tif; do
  expect_kept "empty picture to .$ext" out "kept.$ext" empty.bmp "out/kept.$ext"
done
expect_kept "unreadable input" out kept.jpg no-such-input.bmp out/kept.jpg

# A read-only target (root may write anyway, so only as another user).
if [ "$(id -u)" != 0 ]; then
  printf 'read only' >out/ro.bmp
  chmod 444 out/ro.bmp
  "$KSV_IMAGE" in.bmp out/ro.bmp 2>/dev/null
  rc=$?
  if [ "$rc" = 2 ] && [ "$(cat out/ro.bmp)" = "read only" ]; then passes=$((passes + 1)); else fail "read-only target"; fi
  chmod 644 out/ro.bmp
  rm -f out/ro.bmp
fi

# A full disk: a small file system of its own in a private mount
# namespace, where the machine allows one.
if unshare -m true 2>/dev/null; then
  "${IM[@]}" -size 600x400 xc:gray +noise Random BMP3:big.bmp
  export KSV_IMAGE
  if unshare -m bash -c '
      set -u
      mkdir -p full
      mount -t tmpfs -o size=256k tmpfs full || exit 3
      printf "the picture that was there first" >full/kept.bmp
      cp full/kept.bmp full-before.bin
      "$KSV_IMAGE" big.bmp full/kept.bmp 2>full-stderr.txt
      rc=$?
      [ "$rc" = 2 ] || { echo "exit status $rc" >&2; exit 1; }
      cmp -s full-before.bin full/kept.bmp || { echo "the existing file changed" >&2; exit 1; }
      [ "$(ls -A full)" = kept.bmp ] || { echo "left: $(ls -A full)" >&2; exit 1; }
      grep -q "Stream write error" full-stderr.txt || { cat full-stderr.txt >&2; exit 1; }
      exit 0'; then
    passes=$((passes + 1))
  else
    rc=$?
    if [ "$rc" = 3 ]; then echo "skipped: no tmpfs mount here"; else fail "full disk"; fi
  fi
fi

# A successful save replaces the existing file with the whole picture.
printf 'old' >out/new.bmp
if "$KSV_IMAGE" in.bmp out/new.bmp && [ "$(ls -A out)" = new.bmp ] &&
  [ "$("${IM[@]}" out/new.bmp -format '%wx%h' info:)" = 64x48 ]; then
  passes=$((passes + 1))
else
  fail "replacing save"
fi

echo "$passes passed, $failures failed"
test "$failures" = 0
