#!/usr/bin/env bash
# Counts the system calls of one ReadItem exchange, through the link channel and through the bare
# socket or pty client of the benchmarks, over UDP and over the pseudo-terminal, with strace -f.
# Two runs of each path (N and 2N exchanges) are counted and subtracted, so the start-up, the
# opening and the end fall away; the simulator's own process is left out.
# Usage: bash scripts/syscalls.sh [N, default 2000]   (after a build; needs strace)
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-2000}
bench=build/bin/bench_link
[ -x "$bench" ] || { echo "build first: $bench is missing" >&2; exit 1; }
command -v strace > /dev/null || { echo "strace is missing: apt-get install strace" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The system calls of every thread of the bench, without the simulator it starts.
calls() {
    local dir=$work/$1-$2
    mkdir -p "$dir"
    strace -f -qq -o "$dir/trace" -ff "$bench" --probe "$1" "$2" > /dev/null
    local total=0
    for file in "$dir"/trace.*; do
        grep -q 'execve(".*zq-simulator' "$file" && continue
        total=$((total + $(grep -cv -e '^+++' -e '^---' -e 'resumed>' "$file")))
    done
    echo "$total"
}

printf '%-10s %s\n' path "system calls per exchange"
for path in udp bare-udp pty bare-pty; do
    one=$(calls "$path" "$count")
    two=$(calls "$path" $((2 * count)))
    awk -v a="$one" -v b="$two" -v n="$count" -v p="$path" 'BEGIN { printf "%-10s %.2f\n", p, (b - a) / n }'
done
echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg)"
