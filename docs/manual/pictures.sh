#!/bin/sh
# Makes the manual's pictures with the application itself: its windows and
# dialogs under a virtual display (the UI test program drives the real main
# window), then a published book and its phone edition in Chromium.
# Usage: pictures.sh BUILD_DIR OUTPUT_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$1
out=$2
mkdir -p "$out"
export FOLIANT_RESOURCES="$build/resources" QTWEBENGINE_DISABLE_SANDBOX=1
home=$(mktemp -d "${TMPDIR:-/tmp}/foliant-pictures.XXXXXX")
trap 'rm -rf "$home"' EXIT INT TERM
# A user's fresh home, so that no stored window size or book shows up.
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=xcb \
  FOLIANT_SCREENSHOT_DIR="$out" xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/tests/test_app_ui" --gtest_filter='MainWindowUiTest.EveryWindowOpensAndCloses:GermanMainWindowUiTest.*' \
  >"$home/ui.log" 2>&1 || { cat "$home/ui.log" >&2; exit 1; }
HOME="$home" node "$here/pictures.mjs" "$build" "$out"
# Names the manual and the AppStream data use.
for pair in ImportDialog:import-dialog PublishDialog:publish-dialog SelectTemplateWindow:template-chooser; do
  from=${pair%%:*} to=${pair#*:}
  [ -f "$out/$from.png" ] && mv -f "$out/$from.png" "$out/$to.png"
done
for name in main-window main-window-de import-dialog publish-dialog template-chooser property-editor page-editor \
  published-book phone-edition; do
  [ -s "$out/$name.png" ] || { echo "pictures.sh: $name.png was not made" >&2; exit 1; }
done
