#!/usr/bin/env bash
# Builds and runs every benchmark; each prints its figures beside a floor measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
for bench in build/bin/bench_*; do
    echo "== $(basename "$bench")"
    "$bench" "$@"
done
