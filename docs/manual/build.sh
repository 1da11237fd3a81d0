#!/bin/sh
# Builds the user manual as PDF: Markdown -> one HTML page (pandoc) -> PDF
# (headless Chromium). Usage: build.sh OUTPUT.pdf [COPY.pdf ...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$1
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/foliant-manual.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

chromium=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
[ -n "$chromium" ] || { echo "build.sh: chromium is needed to print the manual" >&2; exit 1; }

cd "$here"
# Builds without the desktop application (the sanitizer builds) have no
# pictures of it: print the manual without them rather than not at all.
pictures=${FOLIANT_MANUAL_PICTURES:-$here}
chapters=$(ls 0*.md)
if [ ! -d "$pictures/pictures" ]; then
    echo "build.sh: no pictures of the application in $pictures; the manual is printed without them" >&2
    mkdir "$work/chapters"
    for f in $chapters; do sed '/^!\[[^]]*\](pictures\//d' "$f" >"$work/chapters/$f"; done
    chapters=$(ls "$work"/chapters/0*.md)
fi
pandoc metadata.yaml $chapters --from markdown --to html5 --standalone --toc --toc-depth=2 \
    --self-contained --css manual.css --resource-path "$here:$pictures" -o "$work/manual.html"

mkdir -p "$(dirname "$out")"
"$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --no-pdf-header-footer \
    --print-to-pdf="$work/manual.pdf" "file://$work/manual.html" >"$work/chromium.log" 2>&1 || {
    cat "$work/chromium.log" >&2
    exit 1
}
[ -s "$work/manual.pdf" ] || { echo "build.sh: Chromium wrote no PDF" >&2; cat "$work/chromium.log" >&2; exit 1; }

# Readers may have the file open: replace it in one step.
for target in "$out" "$@"; do
    mkdir -p "$(dirname "$target")"
    cp "$work/manual.pdf" "$target.tmp"
    mv -f "$target.tmp" "$target"
done
