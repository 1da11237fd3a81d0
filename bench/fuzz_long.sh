#!/usr/bin/env bash
# Long fuzzing run of every target (default 10 minutes each), keeping the grown
# corpora in build-asan/fuzz-work so that later runs start from them.
#   bench/fuzz_long.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
export FOLIANT_FUZZ_WORK="${FOLIANT_FUZZ_WORK:-$PWD/${FOLIANT_FUZZ_BUILD_DIR:-build-asan}/fuzz-work}"
mkdir -p "$FOLIANT_FUZZ_WORK"
exec scripts/fuzz.sh "${1:-600}" "${@:2}"
