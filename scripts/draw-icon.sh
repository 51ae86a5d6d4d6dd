#!/usr/bin/env bash
# Renders the application icon (resources/svg/desktop/zq-assistant.svg) into the hicolor sizes that desktop
# menus, task bars and software centres ask for (packaging/icons/). The PNGs are committed, so
# building and installing need none of this; run it after changing the drawing. Needs rsvg-convert
# (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."

command -v rsvg-convert > /dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }

# In a folder of its own: scripts/draw-images.sh renders every SVG beside the tool-bar drawings.
drawing=resources/svg/desktop/zq-assistant.svg
for size in 16 32 48 64 128 256; do
    folder=packaging/icons/hicolor/${size}x${size}/apps
    mkdir -p "$folder"
    rsvg-convert -w "$size" -h "$size" "$drawing" -o "$folder/zq-assistant.png"
done
echo "Rendered $drawing into packaging/icons/ at 16, 32, 48, 64, 128 and 256 pixels"
