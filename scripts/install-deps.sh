#!/usr/bin/env bash
# Installs the Debian packages one purpose needs, and only those:
#
#   bash scripts/install-deps.sh build      compiling (scripts/build.sh)
#   bash scripts/install-deps.sh run        the demo (scripts/run.sh): build, plus the fonts and Qt's translations
#   bash scripts/install-deps.sh test       the test suite (scripts/test.sh): run, plus what the tests call
#   bash scripts/install-deps.sh fuzz       the fuzz targets (scripts/fuzz.sh): build, plus clang
#   bash scripts/install-deps.sh package    the Debian package (scripts/package.sh): build, plus dpkg's tools
#   bash scripts/install-deps.sh windows    the Windows build and its tests under wine
#   bash scripts/install-deps.sh screen     a virtual screen for the demo on a machine without one
#
# With --print-missing first, it installs nothing and prints the missing packages on one line.
# Several purposes may be named at once. Idempotent: does nothing when everything is present. As root
# it runs apt-get itself, otherwise through sudo; with neither it prints the line to run as root.
set -euo pipefail

# libqwt-qt5-dev: the history's trend chart (Qwt, LGPL 2.1 with exceptions).
build=(build-essential cmake ninja-build pkg-config
    qtbase5-dev libqt5serialport5-dev libqt5sql5-sqlite qttools5-dev qttools5-dev-tools zlib1g-dev libqwt-qt5-dev)
# The interface texts are Chinese; Qt's own buttons and dialogs take their words from its translations.
run=("${build[@]}" fonts-noto-cjk qttranslations5-l10n)
# The tests call: xvfb-run for screenshots, ip for network namespaces, pdftotext for the PDF export,
# desktop-file-validate and appstreamcli for the installed menu entry, file for the package.
test=("${run[@]}" xvfb xauth iproute2 poppler-utils desktop-file-utils appstream file)
fuzz=("${build[@]}" clang libclang-rt-14-dev)
# cpack's Debian generator: dpkg-shlibdeps and dpkg-buildflags (dpkg-dev), file for stripping.
package=("${build[@]}" dpkg-dev file)
# The cross compiler, wine for the tests (wine64 runs them, wine brings the wine, winepath and
# wineboot commands), Qt's translations and a CJK font to ship in the zip, a virtual screen for the
# screenshot, and the tools build-qt-windows.sh needs for Qt itself.
windows=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 qttranslations5-l10n qttools5-dev-tools
    fonts-noto-cjk xvfb xauth zip make perl python3 tcl xz-utils dpkg-dev)

print_missing=0
if [ "${1:-}" = "--print-missing" ]; then
    print_missing=1
    shift
fi
# xvfb-run starts the virtual screen; xauth gives the assistant its key to it.
screen=(xvfb xauth)

[ $# -gt 0 ] || set -- test
packages=()
for purpose in "$@"; do
    case "$purpose" in
        build) packages+=("${build[@]}") ;;
        run) packages+=("${run[@]}") ;;
        test) packages+=("${test[@]}") ;;
        fuzz) packages+=("${fuzz[@]}") ;;
        package) packages+=("${package[@]}") ;;
        windows) packages+=("${windows[@]}") ;;
        screen) packages+=("${screen[@]}") ;;
        *)
            echo "install-deps.sh: unknown purpose '$purpose' (build, run, test, fuzz, package, windows, screen)" >&2
            exit 1
            ;;
    esac
done

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ "$print_missing" = 1 ]; then
    echo "${missing[*]}"
    exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

install_line="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    # sudo is usable when it needs no password, or can ask for one on this terminal.
    if command -v sudo > /dev/null && { sudo -n true 2> /dev/null || { [ -t 0 ] && sudo -v; }; }; then
        as_root=(sudo)
    else
        cat >&2 << EOF
install-deps.sh: these Debian packages are missing: ${missing[*]}
Installing them needs root, and sudo is not available to $(id -un) here. Run this as root
(su -, or ask the administrator of this machine), then start the script again:

    $install_line
EOF
        exit 1
    fi
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
