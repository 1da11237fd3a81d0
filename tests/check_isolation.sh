#!/usr/bin/env bash
# Runs test programs with HOME, the temporary folder and the XDG folders pointed
# at fresh empty folders, and fails when anything is left in them afterwards or
# when a work folder appears in the real temporary folder.
set -u
bindir="$1"; shift
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/home" "$sandbox/tmp"
before=$(ls -d /tmp/Quirefold 2>/dev/null)
status=0
for name in "$@"; do
  prog="$bindir/$name"
  [ -x "$prog" ] || continue
  env -i PATH="$PATH" HOME="$sandbox/home" TMPDIR="$sandbox/tmp" XDG_RUNTIME_DIR="$sandbox/tmp" \
    QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 FOLIANT_RESOURCES="${FOLIANT_RESOURCES:-}" \
    "$prog" --gtest_brief=1 >"$sandbox/$name.log" 2>&1 || { echo "$name failed:"; tail -20 "$sandbox/$name.log"; status=1; }
done
left=$(cd "$sandbox" && find home tmp -mindepth 1 | grep -v -E '^home/\.cache(/|$)|^tmp/runtime' | head -20)
if [ -n "$left" ]; then
  echo "Test programs left files behind:"; echo "$left"; status=1
fi
after=$(ls -d /tmp/Quirefold 2>/dev/null)
if [ -z "$before" ] && [ -n "$after" ]; then
  echo "A test wrote /tmp/Quirefold"; status=1
fi
[ $status -eq 0 ] && echo "isolation: nothing written outside the tests' own folders"
exit $status
