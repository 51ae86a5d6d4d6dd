#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the assistant need
# (clang and its runtime for the fuzz targets, scripts/fuzz.sh).
# Idempotent: does nothing when everything is present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev libqt5serialport5-dev libqt5sql5-sqlite qttools5-dev qttools5-dev-tools
    fonts-noto-cjk xvfb xauth iproute2 poppler-utils
    clang libclang-rt-14-dev
    qttranslations5-l10n
    desktop-file-utils appstream file dpkg-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
