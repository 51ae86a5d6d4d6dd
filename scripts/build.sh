#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DZQ_SANITIZE=ON)
fi

bash scripts/install-deps.sh build
cmake -S . -B "$build_dir" -G Ninja "${options[@]}" > /dev/null
cmake --build "$build_dir" -j "$(nproc)"
