#!/usr/bin/env bash
# Builds what the Debian package carries and packs it with CPack:
# build/foliant_<version>_amd64.deb (or in $FOLIANT_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${FOLIANT_BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${FOLIANT_BUILD_TYPE:-RelWithDebInfo}"
fi
targets=()
for t in foliant foliant-cli pdf2swf getswfSize pdfrender foliant_resources foliant_web foliant_manual \
  foliant_translations foliant_manual_pictures foliant_packaging_files; do
  if ninja -C "$BUILD_DIR" -t query "$t" >/dev/null 2>&1; then targets+=("$t"); fi
done
cmake --build "$BUILD_DIR" -j "$(nproc)" --target "${targets[@]}"
rm -f "$BUILD_DIR"/foliant_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
ls "$BUILD_DIR"/foliant_*.deb
