#!/usr/bin/env bash
# Builds everything and runs every test; --sanitize does both under address and UB sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
[ "${1:-}" = "--sanitize" ] && build_dir=build-asan
bash scripts/build.sh "$@"

# Qt and fontconfig keep caches for the life of the process; only real errors should stop a run.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure -j 2
