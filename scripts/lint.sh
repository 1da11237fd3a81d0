#!/usr/bin/env bash
# Static checks of the test command: clang-format over every C++ file of the
# project, and clang-tidy (checks in .clang-tidy, warnings are errors) over the
# project's own sources in the main build's compile_commands.json.
#
#   scripts/lint.sh [format|tidy]...      (default both; build dir: $FOLIANT_BUILD_DIR or build)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD_DIR="${FOLIANT_BUILD_DIR:-build}"
STAGES=("$@")
[ ${#STAGES[@]} -eq 0 ] && STAGES=(format tidy)

for stage in "${STAGES[@]}"; do
  start=$SECONDS
  case "$stage" in
  format)
    # Tracked and new files alike; build trees and node_modules are ignored by git.
    git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' ':!:web/node_modules/**' |
      xargs -r clang-format --dry-run --Werror
    echo "lint: clang-format clean in $((SECONDS - start)) s"
    ;;
  tidy)
    # The project's sources as compiled (generated moc files and third-party
    # code excluded). A full run costs about 10 CPU seconds a file, too much
    # for the CI budget, so by default it covers the code that reads untrusted
    # input: the platform seams, the import, the template and settings readers,
    # the page list and text template, and the two helper programs.
    # FOLIANT_TIDY_ALL=1 checks every source of the libraries, programs and tools.
    files=$(FOLIANT_TIDY_ALL="${FOLIANT_TIDY_ALL:-0}" python3 - "$BUILD_DIR/compile_commands.json" "$ROOT" <<'PY'
import json, os, re, sys
root = sys.argv[2]
if os.environ.get("FOLIANT_TIDY_ALL") == "1":
    keep = re.compile(r"^(app|book|templates|publish|platform|cli|tools)/")
else:
    keep = re.compile(r"^(platform/|book/|templates/FlashTemplate|publish/(FlashBookOutput|TextTemplate)"
                      r"|tools/(getswfSize|pdfrender)/)")
seen = set()
for entry in json.load(open(sys.argv[1])):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    rel = os.path.relpath(path, root)
    if keep.match(rel) and rel not in seen:
        seen.add(rel)
        print(rel)
PY
)
    echo "$files" | xargs -r -P "$(nproc)" -n 4 clang-tidy -p "$BUILD_DIR" --quiet --warnings-as-errors='*' \
      2> >(grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Error while processing' >&2)
    echo "lint: clang-tidy clean over $(echo "$files" | wc -l) files in $((SECONDS - start)) s"
    ;;
  *)
    echo "unknown stage $stage" >&2
    exit 2
    ;;
  esac
done
