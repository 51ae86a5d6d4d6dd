#!/usr/bin/env bash
# Builds when needed and starts the assistant in run/, its working directory.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
mkdir -p run
cp build/bin/*.qm run/ 2>/dev/null || true
cd run
exec ../build/bin/zq-assistant
