#!/usr/bin/env bash
# Builds everything and runs every test; --sanitize does both under address and UB sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
# Most tests spend their time waiting on the simulator's timers and sockets, not on the processor,
# so four run side by side on two cores; under the sanitizers each one needs the processor more.
jobs=4
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    jobs=2
fi
bash scripts/install-deps.sh test
bash scripts/build.sh "$@"

# Leaks are errors. Qt and fontconfig keep a few caches for the life of the process on purpose;
# those alone are suppressed, each with its reason, in scripts/lsan-suppressions.txt.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure -j "$jobs"
