#!/usr/bin/env bash
# Draws the sample book shown before the user imports anything: eight pages of a
# short illustrated guide, written to resources/DemoImgs/large as 1.jpg..8.jpg.
set -euo pipefail
out="$(dirname "$0")/../../resources/DemoImgs/large"
mkdir -p "$out"
font=DejaVu-Sans
bold=DejaVu-Sans-Bold
titles=("Foliant" "Import a PDF" "Choose a template" "Shape the style" "Place links and media" "Publish for the web" "Phones and tablets" "The end")
texts=(
"Turn any PDF into a\npage-turning book\nfor the web."
"Vector pages stay sharp\nat every zoom. Image pages\nload fast everywhere."
"Each template is a different\nplayer: float, Panoramic\nand more."
"Colours, logo, background,\nmusic and buttons: every\nproperty has a help text."
"Draw link areas on pages,\nplace images, video\nand sound."
"One folder that any browser\nopens, from a web server\nor straight from disk."
"A mobile edition made of\nlight page images, with\ntouch swipe."
"Thank you for reading.\nImport your own PDF\nto begin."
)
colors=("#2b4c7e" "#7e2b4c" "#2b7e5d" "#7e5d2b" "#4c2b7e" "#2b6f7e" "#7e3a2b" "#3d3d3d")
for i in $(seq 0 7); do
  n=$((i + 1))
  convert -size 800x1066 xc:'#fbf8f1' \
    -fill "${colors[$i]}" -draw "rectangle 0,0 800,260" \
    -fill white -font "$bold" -pointsize 58 -gravity northwest -annotate +60+90 "${titles[$i]}" \
    -fill '#333333' -font "$font" -pointsize 34 -annotate +60+340 "$(printf "${texts[$i]}")" \
    -fill none -stroke "${colors[$i]}" -strokewidth 6 -draw "circle 400,820 400,700" \
    -stroke none -fill "${colors[$i]}" -font "$bold" -pointsize 90 -gravity north -annotate +0+760 "$n" \
    -fill '#999999' -font "$font" -pointsize 22 -gravity south -annotate +0+40 "Sample book - page $n" \
    -quality 82 "$out/$n.jpg"
done
