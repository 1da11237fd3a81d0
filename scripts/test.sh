#!/usr/bin/env bash
# Installs everything, builds, and runs every test (C++ and browser tests, all
# through CTest).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
BUILD_DIR="${FOLIANT_BUILD_DIR:-build}"
export QTWEBENGINE_DISABLE_SANDBOX=1
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" --timeout 900 "$@"
