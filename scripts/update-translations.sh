#!/usr/bin/env bash
# Collects every translatable text of the sources and forms into the three .ts files under
# translations/, keeping the translations already made. Run it after changing user texts, then
# translate the new entries (Qt Linguist, or by hand) and commit the .ts files. The build turns
# them into .qm files with lrelease.
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=$(command -v lupdate || command -v lupdate-qt5 || true)
[ -n "$lupdate" ] || { echo "lupdate is missing: apt-get install qttools5-dev-tools" >&2; exit 1; }

# The assistant's own code only: not the tests, the simulator, the benchmarks or build trees.
folders=()
for folder in app settings prompt config link setup history firmware monitor forms; do
    [ -d "$folder" ] && folders+=("$folder")
done

"$lupdate" -no-obsolete -locations relative -extensions cpp,h,ui "${folders[@]}" \
    -ts translations/en_US.ts translations/zh_CH.ts translations/zh_TW.ts
