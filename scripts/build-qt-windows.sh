#!/usr/bin/env bash
# Cross-builds the Qt the Windows build links against (Debian has no Qt for MinGW): Qt's own
# sources of the version Debian ships, fetched with apt-get source, built with the MinGW-w64
# cross compiler (posix threads) into a cache folder that later runs reuse.
#
#   bash scripts/build-qt-windows.sh          build when the cache folder lacks it
#
# What is built: qtbase with core, gui, widgets, network (TLS through the Windows system library),
# sql with the SQLite driver (SQLite built in), printsupport, xml, testlib and concurrent;
# qtserialport; Qwt for the history chart. No examples, tests, OpenGL or D-Bus. Qt's translations
# need no build: its .qm files are the same on every platform, so the Windows build takes them from
# Debian's qttranslations5-l10n.
#
# Debian's archive lists qtserialport's sources but no longer serves them; the project keeps Qt's own
# tarball of the same version in ../shared/vendor, checked against its sha256 before it is unpacked.
#
# ZQ_QT_MINGW   install prefix (default ~/.cache/zq-qt-mingw/5.15.8)
# ZQ_QT_WORK    sources and build folders (default ~/.cache/zq-qt-mingw/work); removable afterwards
# ZQ_VENDOR     folder with qtserialport-everywhere-src-5.15.8.tar.gz (default ../shared/vendor beside
#               the project, or beside its main clone when this is a git worktree)
# JOBS          parallel compile jobs (default 2); the build runs at nice 19 and idle I/O priority
set -euo pipefail

version=5.15.8
prefix=${ZQ_QT_MINGW:-$HOME/.cache/zq-qt-mingw/$version}
work=${ZQ_QT_WORK:-$HOME/.cache/zq-qt-mingw/work}
jobs=${JOBS:-2}
target=x86_64-w64-mingw32
root=$(cd "$(dirname "$0")/.." && pwd)
# shared/ lies beside the project's main clone; a git worktree elsewhere finds it through that clone.
vendor=${ZQ_VENDOR:-$root/../shared/vendor}
if [ -z "${ZQ_VENDOR:-}" ] && [ ! -d "$vendor" ]; then
    main_clone=$(cd "$root" && cd "$(git rev-parse --git-common-dir 2> /dev/null || echo .)/.." && pwd)
    vendor=$main_clone/../shared/vendor
fi
serialport_tarball=qtserialport-everywhere-src-$version.tar.gz
serialport_sha256=c0e57de68ccd4206a40681fa03413f7ef499e9dd32cd04cbf4a7a1dbce23bedc
# Long steps take only the time nobody else wants.
idle() { nice -n 19 ionice -c3 "$@"; }

if [ -f "$prefix/.complete" ]; then
    echo "Qt $version for $target is present in $prefix"
    exit 0
fi

# Root adds the source entry and the build tools; anyone else must have them already.
if [ "$(id -u)" -eq 0 ]; then
    if ! grep -rqs '^Types: deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        # The sources come from the archive the machine already installs its packages from.
        mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
        [ -n "$mirror" ] || mirror=$(sed -n 's/^deb  *\(\[[^]]*\] *\)\{0,1\}\([^ ]*\).*/\2/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
        [ -n "$mirror" ] || { echo "No Debian archive found in the apt sources to take Qt's sources from." >&2; exit 1; }
        printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$mirror" > /etc/apt/sources.list.d/zq-deb-src.sources
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        g++-mingw-w64-x86-64-posix g++ make perl python3 tcl xz-utils dpkg-dev qttranslations5-l10n > /dev/null
fi
for tool in $target-g++-posix $target-gcc-posix tclsh make; do
    command -v "$tool" > /dev/null || { echo "$tool is missing; run this script as root once." >&2; exit 1; }
done

# Checked before anything is built, so a missing or damaged file does not cost an hour first.
if [ ! -f "$vendor/$serialport_tarball" ]; then
    echo "$vendor/$serialport_tarball is missing: Qt Serial Port $version's sources are needed (set ZQ_VENDOR to its folder)." >&2
    exit 1
fi
if [ "$(sha256sum < "$vendor/$serialport_tarball" | cut -d' ' -f1)" != "$serialport_sha256" ]; then
    echo "$vendor/$serialport_tarball differs from the expected file (sha256 is not $serialport_sha256)." >&2
    exit 1
fi

mkdir -p "$work/src" "$work/bin"
# A compile cut off by a stop or a kill can leave an empty object that make would take as built.
find "$work" -name '*.o' -size 0 -delete
# qmake's win32-g++ mkspec calls CROSS_COMPILE-gcc; these names pick the posix-threads compilers
# (std::thread and friends need them).
for tool in gcc g++; do
    ln -sf "$(command -v $target-$tool-posix)" "$work/bin/$target-$tool"
done
export PATH=$work/bin:$PATH

# Sources: apt-get source checks them against the archive's signed index.
cd "$work/src"
fetch() {
    ls "$1"_*.orig.tar.* > /dev/null 2>&1 || apt-get source --download-only "$1" > /dev/null
}
fetch qtbase-opensource-src
fetch sqlite3
fetch qwt

unpack() { # archive, folder it makes
    [ -d "$2" ] || tar xf "$1"
}
unpack qtbase-opensource-src_$version*.orig.tar.xz qtbase-everywhere-src-$version
# Qt names two of the Windows libraries TLS needs with capitals; MinGW's are lower case, and a
# cross build links on a file system that tells them apart.
sed -i 's/"-lSecur32" "-lCrypt32"/"-lsecur32" "-lcrypt32"/' qtbase-everywhere-src-$version/src/network/ssl/ssl.pri
# SQLite's source comes with a second tarball (its web site); only the sources are needed.
sqlite_tarball=$(ls sqlite3_*.orig.tar.* | grep -v -- -www | sed -n 1p)
sqlite_src=$work/src/$(tar tf "$sqlite_tarball" | sed -n 1p | cut -d/ -f1)
unpack "$sqlite_tarball" "$sqlite_src"

# Debian's qtbase sources leave out SQLite; its single-file form is made from SQLite's sources.
qtbase=$work/src/qtbase-everywhere-src-$version
if [ ! -f "$qtbase/src/3rdparty/sqlite/sqlite3.c" ]; then
    mkdir -p "$work/sqlite-build" "$qtbase/src/3rdparty/sqlite"
    (cd "$work/sqlite-build" && "$sqlite_src/configure" > /dev/null && idle make sqlite3.c > /dev/null)
    cp "$work/sqlite-build/sqlite3.c" "$work/sqlite-build/sqlite3.h" "$qtbase/src/3rdparty/sqlite/"
fi

started=$(date +%s)
mkdir -p "$work/qtbase-build"
cd "$work/qtbase-build"
if [ ! -f Makefile ]; then
    "$qtbase/configure" -xplatform win32-g++ -device-option CROSS_COMPILE=$target- \
        -prefix "$prefix" -opensource -confirm-license -release -shared -strip \
        -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-fontconfig \
        -no-feature-vulkan \
        -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype \
        -sql-sqlite -qt-sqlite -no-sql-odbc -no-sql-mysql -no-sql-psql \
        -no-openssl -schannel
fi
idle make -j"$jobs"
idle make install

cd "$work/src"
unpack "$vendor/$serialport_tarball" qtserialport-everywhere-src-$version
mkdir -p "$work/qtserialport-build"
cd "$work/qtserialport-build"
[ -f Makefile ] || "$prefix/bin/qmake" "$work/src/qtserialport-everywhere-src-$version"
idle make -j"$jobs"
idle make install

# Qwt: the widgets only (no designer plugin, SVG or OpenGL parts), installed beside Qt.
cd "$work/src"
qwt_tarball=$(ls qwt_*.orig.tar.* | sed -n 1p)
qwt_src=$work/src/$(tar tf "$qwt_tarball" | sed -n 1p | cut -d/ -f1)
unpack "$qwt_tarball" "$qwt_src"
sed -i -e 's|^\( *QWT_INSTALL_PREFIX *=\).*|\1 '"$prefix"'|' \
    -e 's|^QWT_CONFIG *+= *\(QwtDesigner\|QwtSvg\|QwtOpenGL\|QwtExamples\|QwtPlayground\|QwtTests\)|#&|' \
    "$qwt_src/qwtconfig.pri"
mkdir -p "$work/qwt-build"
cd "$work/qwt-build"
[ -f Makefile ] || "$prefix/bin/qmake" "$qwt_src/qwt.pro"
idle make -j"$jobs"
idle make install

touch "$prefix/.complete"
echo "Qt $version for $target installed in $prefix after $(( ($(date +%s) - started) / 60 )) minutes"
