#!/usr/bin/env bash
# Builds and runs every benchmark, each against the simulator in a process of its own and beside
# a bare floor measured round by round in the same run, then prints one table of their figures.
# Usage: bash scripts/bench.sh [--loaded] [--no-build] [bench_name ...]
#   --loaded    two busy loops run beside every measurement
#   --no-build  runs what build/bin holds
# Each benchmark's own output goes to build/bench-logs/NAME.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

pass=()
build=1
only=()
for argument in "$@"; do
    case $argument in
        --loaded) pass+=(--loaded) ;;
        --no-build) build=0 ;;
        bench_*) only+=("$argument") ;;
        *) echo "usage: bash scripts/bench.sh [--loaded] [--no-build] [bench_name ...]" >&2; exit 1 ;;
    esac
done
[ "$build" = 1 ] && bash scripts/build.sh

# Each with arguments that keep the whole run within a few minutes; run one by hand for longer
# figures (bench_monitor --seconds 600 is the ten-minute run).
declare -A arguments=(
    [bench_link]="--rounds 7"
    [bench_config]="--rounds 5"
    [bench_history]="--rounds 5"
    [bench_historyview]="--rounds 5"
    [bench_monitor]="--rounds 3 --seconds 5"
    [bench_firmware]="--rounds 5"
    [bench_cli]="--rounds 5"
    [bench_stall]=""
)
[ ${#only[@]} -gt 0 ] || only=(bench_link bench_config bench_history bench_historyview bench_monitor bench_firmware bench_cli bench_stall)

logs=build/bench-logs
mkdir -p "$logs"
started=$(cut -d' ' -f1-3 /proc/loadavg)
failed=()
for name in "${only[@]}"; do
    [ -x "build/bin/$name" ] || { failed+=("$name (not built)"); continue; }
    echo "== $name ${arguments[$name]:-} ${pass[*]:-}" >&2
    # shellcheck disable=SC2086
    if ! "build/bin/$name" ${arguments[$name]:-} "${pass[@]}" > "$logs/$name.txt" 2>&1; then
        failed+=("$name (exit $?; see $logs/$name.txt)")
    fi
    grep -v '^SUMMARY' "$logs/$name.txt" >&2 || true
done

echo
echo "Load average at the start: $started; at the end: $(cut -d' ' -f1-3 /proc/loadavg)${pass:+; two busy loops beside}"
{
    printf 'measure\tmedian\tp90\tunit\tfloor (median)\trounds\n'
    for name in "${only[@]}"; do
        grep '^SUMMARY' "$logs/$name.txt" 2>/dev/null | cut -f2- || true
    done
} | column -t -s $'\t'
if [ ${#failed[@]} -gt 0 ]; then
    printf 'failed: %s\n' "${failed[@]}" >&2
    exit 1
fi
