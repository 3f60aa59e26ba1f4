# Sourced by the ksv-image shell tests with the test's arguments: sets
# KSV_IMAGE from the first one, IM to ImageMagick 6 (convert) or 7
# (magick), checks that the tools named in NEEDED_TOOLS are installed, and
# moves into a work folder that is removed at exit.
KSV_IMAGE=$(realpath "$1")
if command -v magick >/dev/null 2>&1; then IM=(magick); else IM=(/usr/bin/convert); fi
for tool in ${NEEDED_TOOLS:-}; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup installs it)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
