#!/usr/bin/env bash
# Sanitizer stage of the test command:
#   1. one clang build with AddressSanitizer + UndefinedBehaviorSanitizer and
#      fuzzer coverage: the C++ test suite (all but the desktop UI tests), then
#      every fuzz target for a bounded time (FOLIANT_FUZZ_SECONDS, default 15);
#   2. one clang build with ThreadSanitizer of the import and foundation tests
#      (background import, notifications, the render worker pool).
# Browser tests are left to the main build: the sanitizers see only our C++.
#
#   scripts/test-sanitizers.sh [asan|tsan|fuzz]...     (default: all three)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
ASAN_DIR="${FOLIANT_ASAN_BUILD_DIR:-build-asan}"
TSAN_DIR="${FOLIANT_TSAN_BUILD_DIR:-build-tsan}"
JOBS="$(nproc)"
STAGES=("$@")
[ ${#STAGES[@]} -eq 0 ] && STAGES=(asan fuzz tsan)

# Line tables are enough for readable reports and build much faster than -g.
FLAGS="-O1 -gline-tables-only -DNDEBUG"
configure() { # dir sanitizer extra...
  local dir=$1 san=$2
  shift 2
  [ -f "$dir/build.ninja" ] && return 0
  cmake -S . -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DFOLIANT_SANITIZE="$san" -DFOLIANT_BUILD_GUI=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$FLAGS" -DCMAKE_C_FLAGS_RELWITHDEBINFO="$FLAGS" "$@" >/dev/null
}
timed() { # label command...
  local label=$1 start=$SECONDS
  shift
  "$@"
  echo "sanitizers: $label took $((SECONDS - start)) s"
}

export QT_QPA_PLATFORM=offscreen
# new_delete_type_mismatch is off because log4cxx 1.0 deletes its rolling file
# appender's private part through a base pointer of another size at shutdown (a
# finding in the library, which ASan cannot suppress by library); everything
# else ASan checks stays on.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:allocator_may_return_null=1:new_delete_type_mismatch=0"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$ROOT/scripts/sanitizers/ubsan.supp"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/scripts/sanitizers/tsan.supp"

for stage in "${STAGES[@]}"; do
  case "$stage" in
  asan)
    # The web bundles are built too: the publishing tests copy the players.
    configure "$ASAN_DIR" address,undefined -DFOLIANT_FUZZ=ON -DFOLIANT_BUILD_WEB=ON
    timed "ASan+UBSan build" cmake --build "$ASAN_DIR" -j "$JOBS"
    # The web label holds the browser tests, which exercise no sanitized code;
    # the isolation check clears the environment (and so the options above)
    # and checks where files go, which the main run covers.
    timed "ASan+UBSan tests" ctest --test-dir "$ASAN_DIR" -LE web -E '^isolation$' --output-on-failure -j "$JOBS" \
      --timeout 900
    ;;
  fuzz)
    timed "fuzzing" env FOLIANT_FUZZ_BUILD_DIR="$ASAN_DIR" scripts/fuzz.sh "${FOLIANT_FUZZ_SECONDS:-15}"
    ;;
  tsan)
    configure "$TSAN_DIR" thread -DFOLIANT_BUILD_WEB=OFF
    timed "TSan build" cmake --build "$TSAN_DIR" -j "$JOBS" --target test_import test_foundation pdfrender pdf2swf getswfSize
    # The import tests' PDFs are made before the run: the generator is started
    # through QProcess, whose clone() call trips a check in clang 14's
    # ThreadSanitizer runtime ("!thr->slot" in ForkAfter). For the same reason
    # the tests that run programs through QProcess are left out here (they run
    # under ASan); the render workers start through posix_spawn and stay in.
    # Opening a PDF for import asks the qpdf program whether it is locked, also
    # through QProcess, so the whole-import tests are left out as well.
    # The isolation check also runs programs this build leaves out.
    if [ ! -f "$TSAN_DIR/tests/pdf-data/complete" ]; then
      python3 tests/data/make_pdfs.py "$TSAN_DIR/tests/pdf-data" --large >/dev/null
      touch "$TSAN_DIR/tests/pdf-data/complete"
    fi
    timed "TSan tests" ctest --test-dir "$TSAN_DIR" -L '^(import|foundation)$' --output-on-failure -j "$JOBS" \
      --timeout 900 -E '^(isolation|ProcessRunner\..*|Converter\.VectorMode.*|Import\..*|PageSource\..*|IsolatedRender\.A.*|PdfDocument\.Unlock.*)$'
    ;;
  *)
    echo "unknown stage $stage" >&2
    exit 2
    ;;
  esac
done
