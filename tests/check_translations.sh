#!/bin/sh
# Every shipped translation is complete and up to date: lupdate finds no text
# in the sources that a translation lacks, and lrelease reports no unfinished
# entry. Usage: check_translations.sh SOURCE_DIR LUPDATE LRELEASE
set -eu
src=$1 lupdate=$2 lrelease=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$src/translations/template_texts.py" "$src/resources/AppFiles/Templates" "$work/template_texts.cpp"
status=0
for ts in "$src"/translations/foliant_*.ts; do
  cp "$ts" "$work/"
  copy="$work/$(basename "$ts")"
  (cd "$src" && "$lupdate" -no-obsolete -locations none app templates "$work/template_texts.cpp" -ts "$copy") >/dev/null 2>&1
  stats=$("$lrelease" "$copy" -qm "$work/out.qm" 2>&1)
  echo "$(basename "$ts"): $(echo "$stats" | grep Generated)"
  if ! echo "$stats" | grep -q " 0 unfinished"; then
    echo "$(basename "$ts") has unfinished entries:"
    grep -B3 'type="unfinished"' "$copy" | grep '<source>' || true
    status=1
  fi
done
exit $status
