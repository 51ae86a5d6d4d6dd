#!/usr/bin/env bash
# Builds the libFuzzer targets (build-fuzz/, clang), replays every seed corpus and every kept
# finding, then fuzzes each target for the given number of seconds (default 60; 0: replay only).
# New findings land in build-fuzz/findings/; copy one into fuzz/regressions/<target>/ once fixed.
# Prints each target's total runs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
bash scripts/install-deps.sh fuzz
command -v clang++ > /dev/null || { echo "fuzz.sh: clang++ is needed (apt-get install clang)" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_FUZZ=ON > /dev/null
cmake --build build-fuzz -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
mkdir -p build-fuzz/findings build-fuzz/work
failed=0
for binary in build-fuzz/bin/fuzz_*; do
    target="${binary##*/fuzz_}"
    seeds="fuzz/corpus/$target"
    kept="fuzz/regressions/$target"
    mkdir -p "$kept"
    # Replay: every committed input once, no mutation.
    if ! "$binary" -runs=0 "$seeds" "$kept" > "build-fuzz/findings/$target-replay.log" 2>&1; then
        echo "$target: replay FAILED (build-fuzz/findings/$target-replay.log)"
        failed=1
        continue
    fi
    [ "$seconds" -gt 0 ] || { echo "$target: replayed $(find "$seeds" "$kept" -type f | wc -l) inputs"; continue; }
    # Fuzz from a copy, so the committed seeds stay small and chosen by hand.
    work="build-fuzz/work/$target"
    mkdir -p "$work"
    cp -n "$seeds"/* "$work"/ 2> /dev/null || true
    log="build-fuzz/findings/$target.log"
    if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$PWD/build-fuzz/findings/$target-" "$work" "$kept" > "$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
        echo "$target: $runs runs in ${seconds} s, no failure"
    else
        echo "$target: FAILED, see $log and build-fuzz/findings/$target-*"
        failed=1
    fi
done
exit "$failed"
