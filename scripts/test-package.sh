#!/usr/bin/env bash
# The package stage: builds the Debian package, checks it with lintian and
# appstreamcli, installs it, publishes the sample and a PDF with the installed
# foliant-cli from another folder and opens them in the player tests, and
# removes it again, making sure nothing of it is left behind. Needs root (or
# sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE_DIR="$PWD"
BUILD_DIR="$(realpath "${FOLIANT_BUILD_DIR:-build}")"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
started=$(date +%s)

deb="$(FOLIANT_BUILD_DIR="$BUILD_DIR" scripts/package.sh | tail -n 1)"
echo "== lintian $deb"
lintian --fail-on error --suppress-tags-from-file packaging/lintian-overrides "$deb"
echo "== appstreamcli"
appstreamcli validate --no-net "$BUILD_DIR/packaging/org.foliant.foliant.metainfo.xml"

echo "== install"
if dpkg-query -W -f='${Status}' foliant 2>/dev/null | grep -q "install ok installed"; then
  $SUDO apt-get remove -y -qq foliant >/dev/null
fi
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
files="$(mktemp)"
work="$(mktemp -d)"
trap 'rm -rf "$files" "$work"' EXIT
dpkg-query -L foliant >"$files"

foliant --version
foliant-cli --version
test -x /usr/lib/foliant/pdf2swf
test -f /usr/share/man/man1/foliant-cli.1.gz
test -f /usr/share/bash-completion/completions/foliant-cli
# The installed tool finds its own resources, run from any folder.
(cd "$work" && env -u FOLIANT_RESOURCES QT_QPA_PLATFORM=offscreen HOME="$work" \
  foliant-cli publish --sample --out "$work/book" >/dev/null)
test -f "$work/book/index.html" && test -f "$work/book/files/config.xml"
# A Mac application published from the package starts: its launcher is executable.
(cd "$work" && env -u FOLIANT_RESOURCES QT_QPA_PLATFORM=offscreen HOME="$work" \
  foliant-cli publish --sample --app --out "$work/apps" >/dev/null)
test -x "$(find "$work/apps" -path '*.app/Contents/MacOS/BookLauncher' | head -1)"
(cd "$work" && env -u FOLIANT_RESOURCES FOLIANT_CLI=/usr/bin/foliant-cli FOLIANT_SOURCE_DIR="$SOURCE_DIR" \
  node --test "$SOURCE_DIR/tests/web/player_published.test.mjs")

echo "== remove"
$SUDO apt-get remove -y -qq foliant >/dev/null
left=0
while IFS= read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then echo "left behind: $path"; left=1; fi
done <"$files"
for dir in /usr/share/foliant /usr/lib/foliant; do
  if [ -e "$dir" ]; then echo "left behind: $dir"; left=1; fi
done
[ "$left" -eq 0 ]
echo "package stage passed in $(($(date +%s) - started)) s"
