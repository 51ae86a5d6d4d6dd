#!/usr/bin/env bash
# Runs the Windows build of every test program under wine, except those that need what Windows lacks
# or what wine cannot give: a pseudo-terminal (label pty), network namespaces (Root-only functions),
# the Linux install tree (label package). Each is reported like ctest does, passed, failed or
# skipped with its reason, then one closing line "N passed, N failed, N skipped".
#
#   bash scripts/test-windows.sh [-R REGEX]       builds what it runs first (scripts/build-windows.sh)
#
# Each program runs with a time limit (ZQ_WINE_TIMEOUT seconds, default 300: wine starts slowly and
# shares the machine), on the offscreen platform, in a wine prefix of its own under build-windows/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
qt=${ZQ_QT_MINGW:-$HOME/.cache/zq-qt-mingw/5.15.8}
out=$root/build-windows
tree=$out/tree
target=x86_64-w64-mingw32
limit=${ZQ_WINE_TIMEOUT:-300}
filter=.
[ "${1:-}" = "-R" ] && filter=$2

# The plan: every test source with the reason it is left out, if it is.
names=() reasons=() root_only=()
for source in "$root"/tests/tst_*.cpp; do
    name=$(basename "$source" .cpp)
    [[ $name =~ $filter ]] || continue
    labels=" $(sed -n 's|^// Labels:||p' "$source" | head -n 1) "
    reason=
    case "$labels" in
        *" pty "*) reason="needs a pseudo-terminal, which Windows has not" ;;
        *" package "*) reason="checks the Linux install tree (menu entry, metainfo, preloaded probe)" ;;
    esac
    names+=("$name")
    reasons+=("$reason")
    root_only+=("$(sed -n 's|^// Root-only:||p' "$source" | head -n 1)")
done

to_build=()
for i in "${!names[@]}"; do
    [ -z "${reasons[$i]}" ] && to_build+=("${names[$i]}")
done
bash "$root/scripts/build-windows.sh"
[ ${#to_build[@]} -gt 0 ] && nice -n 19 ionice -c3 cmake --build "$tree" -j2 --target "${to_build[@]}"

# Wine finds DLLs on WINEPATH; Qt its plug-ins through QT_PLUGIN_PATH and, on the offscreen
# platform, its fonts in QT_QPA_FONTDIR (Latin and CJK, as the Linux tests have them).
export WINEPREFIX=${WINEPREFIX:-$out/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
winpath() { winepath -w "$1" 2> /dev/null; }
[ -d "$WINEPREFIX" ] || wineboot --init > /dev/null 2>&1
fonts=$out/test-fonts
mkdir -p "$fonts"
ln -sf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$fonts/"
gcc_dir=$(dirname "$("$target-g++-posix" -print-libgcc-file-name)")
WINEPATH="$(winpath "$qt/bin");$(winpath "$qt/lib");$(winpath "$gcc_dir");$(winpath "/usr/$target/lib")"
QT_PLUGIN_PATH=$(winpath "$qt/plugins")
QT_QPA_FONTDIR=$(winpath "$fonts")
export WINEPATH QT_PLUGIN_PATH QT_QPA_FONTDIR QT_QPA_PLATFORM=offscreen

passed=0 failed=0 skipped=0
failures=() skips=()
total=${#names[@]}
for i in "${!names[@]}"; do
    name=${names[$i]}
    number=$((i + 1))
    if [ -n "${reasons[$i]}" ]; then
        printf '%3d/%d Test: %-28s Skipped: %s\n' "$number" "$total" "$name" "${reasons[$i]}"
        skips+=("$name: ${reasons[$i]}")
        skipped=$((skipped + 1))
        continue
    fi
    program=$tree/tests/$name.exe
    arguments=()
    if [ -n "${root_only[$i]}" ]; then
        # Network namespaces are Linux's: those functions are left out, the rest run.
        skips+=("$name (${root_only[$i]# }): needs network namespaces")
        skipped=$((skipped + 1))
        read -r -a excluded <<< "${root_only[$i]}"
        while read -r function; do
            printf '%s\n' "${excluded[@]}" | grep -qxF "$function" || arguments+=("$function")
        done < <(wine "$program" -functions 2> /dev/null | tr -d '\r' | sed -n 's/()$//p')
    fi
    log=$out/test-logs/$name.log
    mkdir -p "$(dirname "$log")"
    started=$(date +%s)
    status=0
    # Each program runs in its own folder, as ctest runs them in the build tree's tests/.
    (cd "$tree/tests" && timeout --kill-after=10 "$limit" wine "$program" "${arguments[@]}") > "$log" 2>&1 || status=$?
    seconds=$(($(date +%s) - started))
    if [ $status -eq 0 ]; then
        printf '%3d/%d Test: %-28s Passed  %4d s\n' "$number" "$total" "$name" "$seconds"
        passed=$((passed + 1))
    else
        what="exit status $status"
        [ $status -eq 124 ] && what="no end within $limit s"
        printf '%3d/%d Test: %-28s Failed  %4d s (%s; %s)\n' "$number" "$total" "$name" "$seconds" "$what" "$log"
        grep -a '^FAIL!' "$log" | tr -d '\r' | sed 's/^/        /' | head -n 5 || true
        failures+=("$name")
        failed=$((failed + 1))
    fi
done

echo
if [ ${#skips[@]} -gt 0 ]; then
    echo "Skipped:"
    printf '    %s\n' "${skips[@]}"
fi
[ ${#failures[@]} -gt 0 ] && echo "Failed: ${failures[*]}"
echo "$passed passed, $failed failed, $skipped skipped"
# The wine server of this prefix stays up a while after the last program; it is ours to end.
wineserver -k 2> /dev/null || true
[ $failed -eq 0 ]
