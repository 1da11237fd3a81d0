#!/usr/bin/env bash
# Installs everything, builds, and runs every test (C++ and browser tests, all
# through CTest), then clang-format and clang-tidy, the Debian package (built,
# checked, installed, used and removed), the C++ tests under sanitizers and the
# fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
BUILD_DIR="${FOLIANT_BUILD_DIR:-build}"
export QTWEBENGINE_DISABLE_SANDBOX=1
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" --timeout 900 "$@"
cd - >/dev/null
# With arguments the caller picked tests; the full run adds the static checks
# and the sanitizer and fuzzing stage.
if [ $# -eq 0 ]; then
  FOLIANT_BUILD_DIR="$BUILD_DIR" scripts/lint.sh
  FOLIANT_BUILD_DIR="$BUILD_DIR" scripts/test-package.sh
  scripts/test-sanitizers.sh
fi
