#!/usr/bin/env bash
# Cross-builds the assistant for 64-bit Windows and packs it, ready to unpack and run, into
# build-windows/zq-assistant-<version>-win64.zip: the assistant, zq-cli, zq-package and the simulator
# (without its pseudo-terminal, which Windows lacks), the Qt and MinGW runtime DLLs they load, Qt's
# plug-ins, our translations and Qt's, a CJK font for the PDF export, the sample items and the
# licences of everything shipped.
#
#   bash scripts/build-windows.sh             the zip
#   bash scripts/build-windows.sh --tests     also the test programs, for scripts/test-windows.sh
#
# Needs the Qt that scripts/build-qt-windows.sh builds (ZQ_QT_MINGW, default
# ~/.cache/zq-qt-mingw/5.15.8) and the packages of `scripts/install-deps.sh windows`.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
qt=${ZQ_QT_MINGW:-$HOME/.cache/zq-qt-mingw/5.15.8}
out=$root/build-windows
tree=$out/tree
target=x86_64-w64-mingw32
with_tests=OFF
[ "${1:-}" = "--tests" ] && with_tests=ON

if [ ! -f "$qt/.complete" ]; then
    echo "No Qt for Windows in $qt: run scripts/build-qt-windows.sh first (it takes hours on two cores)." >&2
    exit 1
fi
bash "$root/scripts/install-deps.sh" windows

idle() { nice -n 19 ionice -c3 "$@"; }
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MingwToolchain.cmake" -DZQ_QT_MINGW="$qt" \
    -DZQ_BUILD_TESTS=$with_tests "${launcher[@]}" > /dev/null
programs=(zq-assistant zq-cli zq-package zq-simulator)
if [ $with_tests = ON ]; then
    idle cmake --build "$tree" -j2
else
    idle cmake --build "$tree" -j2 --target "${programs[@]}" zq_translations
fi

version=$(sed -n 's/^project(ZqAssistant VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=zq-assistant-$version-win64
stage=$out/stage/$name
rm -rf "$out/stage"
mkdir -p "$stage"/{platforms,sqldrivers,styles,translations,fonts,licences}

for program in "${programs[@]}"; do
    cp "$tree/bin/$program.exe" "$stage/"
done
"$target-strip" "$stage"/*.exe
cp "$tree"/bin/*.qm "$stage/"

# Plug-ins: the window system, the offscreen one zq-cli draws its PDF on, the SQLite driver the
# firmware packages need, and the native look.
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$stage/platforms/"
cp "$qt/plugins/sqldrivers/qsqlite.dll" "$stage/sqldrivers/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

# Every DLL the programs and plug-ins import, found in Qt or the MinGW runtime, and theirs in turn;
# Windows' own DLLs are left to Windows.
runtime_dirs=("$qt/bin" "$qt/lib" "$(dirname "$("$target-g++-posix" -print-libgcc-file-name)")" "/usr/$target/lib")
copy_imports() {
    local file dll dir
    for file in "$@"; do
        for dll in $("$target-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
            [ -f "$stage/$dll" ] && continue
            for dir in "${runtime_dirs[@]}"; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$stage/"
                    copy_imports "$stage/$dll"
                    break
                fi
            done
        done
    done
}
copy_imports "$stage"/*.exe "$stage"/*/*.dll

# Qt finds its plug-ins, translations and (for the offscreen platform) fonts relative to the program.
printf '[Paths]\nPrefix=.\nPlugins=.\nTranslations=translations\nLibraries=.\n' > "$stage/qt.conf"
for language in zh_CN zh_TW en; do
    for module in qtbase qtserialport; do
        file=/usr/share/qt5/translations/${module}_$language.qm
        [ -f "$file" ] && cp "$file" "$stage/translations/"
    done
done

# Windows need not have a Chinese font; the PDF export takes this one (SIL Open Font License 1.1,
# which allows bundling it with software).
cp /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$stage/fonts/"
cp /usr/share/doc/fonts-noto-cjk/copyright "$stage/licences/NotoSansCJK-copyright.txt"

cp "$root/sim/sample-items.txt" "$stage/"
cp "$root/packaging/copyright" "$stage/licences/zq-assistant-copyright.txt"
qtsrc=${ZQ_QT_WORK:-$(dirname "$qt")/work}/src
cp "$qtsrc/qtbase-everywhere-src-5.15.8/LICENSE.LGPL3" "$stage/licences/Qt-LICENSE.LGPL3.txt"
cp "$qtsrc/qtbase-everywhere-src-5.15.8/LICENSE.GPL3" "$stage/licences/Qt-LICENSE.GPL3.txt"
cp "$qtsrc/qtserialport-everywhere-src-5.15.8/LICENSE.LGPL3" "$stage/licences/QtSerialPort-LICENSE.LGPL3.txt"
for qwt_copying in "$qtsrc"/qwt-*/COPYING; do
    [ -f "$qwt_copying" ] && cp "$qwt_copying" "$stage/licences/Qwt-COPYING.txt"
done
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licences/MinGW-GCC-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/licences/MinGW-w64-winpthreads-copyright.txt"
# Windows' own line ends, which cmd.exe and Notepad expect.
for file in zq-assistant.cmd README.txt; do
    sed 's/$/\r/' "$root/packaging/windows/$file" > "$stage/$file"
done

rm -f "$out/$name.zip"
(cd "$out/stage" && zip -q -r -9 "$out/$name.zip" "$name")
echo "$out/$name.zip: $(du -h "$out/$name.zip" | cut -f1), $(unzip -Z1 "$out/$name.zip" | grep -vc '/$') files"
