#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize); with --programs only the four
# programs and their translations, not the tests and benchmarks (the demo needs no more).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DZQ_SANITIZE=ON)
fi

targets=()
if [ "${1:-}" = "--programs" ]; then
    targets=(--target zq-assistant zq-cli zq-simulator zq-package)
fi

bash scripts/install-deps.sh build
cmake -S . -B "$build_dir" -G Ninja "${options[@]}" > /dev/null
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
