#!/usr/bin/env bash
# Installs everything, builds, and starts the Foliant desktop application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
BUILD_DIR="${FOLIANT_BUILD_DIR:-build}"
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<MSG
There is no display here, so the desktop application cannot open a window.
Run it on a virtual display:
    xvfb-run -a -s "-screen 0 1600x1000x24" $BUILD_DIR/bin/foliant
or publish a book from the terminal with the command-line tool:
    $BUILD_DIR/bin/foliant-cli publish YOUR.pdf --out ~/Books
    $BUILD_DIR/bin/foliant-cli publish --sample --out ~/Books
    $BUILD_DIR/bin/foliant-cli --help
MSG
  exit 0
fi
exec "$BUILD_DIR/bin/foliant"
