#!/usr/bin/env bash
# Runs each libFuzzer target for a bounded time from its seed corpus and prints
# one line of figures per target. New inputs go to a scratch corpus, never into
# fuzz/corpus; a crash's input is kept in the scratch folder and fails the run.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (build dir: $FOLIANT_FUZZ_BUILD_DIR or build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
SECONDS_EACH="${1:-20}"
shift || true
BUILD_DIR="${FOLIANT_FUZZ_BUILD_DIR:-build-asan}"
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  TARGETS=(fuzz_page_range fuzz_settings_file fuzz_template_meta fuzz_page_list_merge
           fuzz_text_template fuzz_swf_reader fuzz_pdf_document fuzz_pdf_render)
fi
WORK="${FOLIANT_FUZZ_WORK:-$(mktemp -d /tmp/foliant-fuzz.XXXXXX)}"
# See scripts/test-sanitizers.sh for new_delete_type_mismatch (log4cxx).
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1:new_delete_type_mismatch=0}"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$ROOT/scripts/sanitizers/ubsan.supp"
export QT_QPA_PLATFORM=offscreen
export FOLIANT_RESOURCES="$ROOT/$BUILD_DIR/resources"

failed=0
printf '%-22s %10s %8s %8s %7s %s\n' target executions exec/s corpus seeds result
for t in "${TARGETS[@]}"; do
  bin="$BUILD_DIR/fuzz/$t"
  seeds="fuzz/corpus/$t"
  mkdir -p "$WORK/$t"
  maxlen=4096
  case "$t" in fuzz_pdf_*|fuzz_template_meta) maxlen=65536 ;; esac
  log="$WORK/$t.log"
  rc=0
  "$bin" -max_total_time="$SECONDS_EACH" -timeout=20 -rss_limit_mb=3072 -max_len=$maxlen \
    -print_final_stats=1 -artifact_prefix="$WORK/$t-" "$WORK/$t" "$seeds" >"$log" 2>&1 || rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  corpus=$(ls "$WORK/$t" | wc -l)
  nseeds=$(ls "$seeds" | wc -l)
  result=ok
  if [ "$rc" -ne 0 ]; then
    result="FAILED (exit $rc, log $log)"
    failed=1
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -8 || true
  fi
  printf '%-22s %10s %8s %8s %7s %s\n' "$t" "${runs:-0}" "${speed:-0}" "$corpus" "$nseeds" "$result"
done
echo "scratch corpora and logs: $WORK"
exit $failed
