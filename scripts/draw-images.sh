#!/usr/bin/env bash
# Renders the hand-drawn SVG images in resources/svg/ to the PNG files the assistant embeds
# (resources/image/). The PNGs are committed, so building needs none of this; run it after
# changing an SVG. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources"

command -v rsvg-convert > /dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }

mkdir -p image
for svg in svg/*.svg; do
    name=$(basename "$svg" .svg)
    # Twice the 16x16 grid: sharp when the tool bar scales them down, and on high-density screens.
    size=32
    # The application icon also stands alone (task bars, file managers).
    [ "$name" = application ] && size=256
    rsvg-convert -w "$size" -h "$size" "$svg" -o "image/$name.png"
done
echo "Rendered $(ls svg/*.svg | wc -l) images into resources/image/"
