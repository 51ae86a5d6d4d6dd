#!/usr/bin/env bash
# Collects every translatable text of the sources and forms into the three .ts files under
# translations/, keeping the translations already made. Run it after changing user texts, then
# translate the new entries (Qt Linguist, or by hand) and commit the .ts files. The build turns
# them into .qm files with lrelease.
#
# With a folder as argument it refreshes the .ts files found there instead: the translation test
# runs it on copies to learn whether the committed files lack any text.
set -euo pipefail
target=$(realpath "${1:-$(dirname "$0")/../translations}")
cd "$(dirname "$0")/.."

lupdate=$(command -v lupdate || command -v lupdate-qt5 || true)
[ -n "$lupdate" ] || { echo "lupdate is missing: apt-get install qttools5-dev-tools" >&2; exit 1; }

# The assistant's own code only: not the tests, the simulator, the benchmarks or build trees.
folders=()
for folder in app settings prompt lineview config link setup history firmware monitor help forms tools/zq-cli; do
    [ -d "$folder" ] && folders+=("$folder")
done

# No source locations in the .ts files: line numbers would change with every edit of a source and
# make every branch's .ts files collide; the context and the text identify an entry.
# -I . lets lupdate read the headers behind "folder/file.h" includes, so every tr() gets its class.
"$lupdate" -no-obsolete -locations none -extensions cpp,h,ui -I . "${folders[@]}" \
    -ts "$target/en_US.ts" "$target/zh_CH.ts" "$target/zh_TW.ts"
