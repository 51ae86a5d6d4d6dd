#!/usr/bin/env bash
# Builds everything and runs every test; --sanitize does both under address and UB sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
[ "${1:-}" = "--sanitize" ] && build_dir=build-asan
bash scripts/build.sh "$@"

# Leaks are errors. Qt and fontconfig keep a few caches for the life of the process on purpose;
# those alone are suppressed, each with its reason, in scripts/lsan-suppressions.txt.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure -j 2
