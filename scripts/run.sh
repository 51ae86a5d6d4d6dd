#!/usr/bin/env bash
# The out-of-the-box demo: builds when needed, starts a simulated instrument on loopback (UDP and a
# pseudo-terminal), and starts the assistant in run/, whose config.ini points at it. The simulator
# stops when the assistant closes.
#
#   bash scripts/run.sh              build, then run
#   bash scripts/run.sh --no-build   run what is built
#
# config.ini is written only where a key is missing, so what the operator sets in the settings dialog
# stays from one run to the next. The simulator listens on udp/port when udp/address is a loopback
# address (so a changed port is followed), else on 127.0.0.1:5000.
# The simulator also serves a firmware download page on loopback (firmware/page points at it
# unless set elsewhere), and Files/ holds a package for its model, made by zq-package.
# For scripted checks: ZQ_RUN_DIR (working directory, default run), ZQ_BUILD_DIR (default build),
# ZQ_ASSISTANT (the program to start in place of the assistant).
set -euo pipefail
cd "$(dirname "$0")/.."

build=1
[ "${1:-}" = "--no-build" ] && build=0

# The assistant is a desktop program: without a display Qt can only abort it, after the build.
# A platform named in QT_QPA_PLATFORM (offscreen, for instance) is the caller's choice. Everything a
# virtual screen and the demo still need is named in one message, so that someone without root
# asks the administrator once.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    missing=$(bash scripts/install-deps.sh --print-missing run screen)
    {
        echo "run.sh: there is no display to show the assistant on (neither DISPLAY nor WAYLAND_DISPLAY is set)."
        echo "The demo opens a window: start it from a terminal inside a desktop session, or give it a"
        echo "virtual screen on a machine without one:"
        if [ -n "$missing" ]; then
            echo
            echo "    # as root, once: the virtual screen and what the demo builds with"
            echo "    apt-get update && apt-get install -y --no-install-recommends $missing"
        fi
        echo
        echo "    xvfb-run -a bash scripts/run.sh"
    } >&2
    exit 1
fi

run_dir=${ZQ_RUN_DIR:-run}
build_dir=${ZQ_BUILD_DIR:-build}
mkdir -p "$run_dir"
run_dir=$(cd "$run_dir" && pwd)
config=$run_dir/config.ini
link=$run_dir/ttyZQ

# The value of KEY in [GROUP] of the INI file, without surrounding quotes; empty when absent.
ini_get() {
    [ -f "$config" ] || return 0
    awk -v group="[$1]" -v key="$2" '
        /^\[/ { inside = ($0 == group); next }
        inside && index($0, key "=") == 1 {
            value = substr($0, length(key) + 2)
            gsub(/^"|"$/, "", value)
            print value
            exit
        }' "$config"
}

# Sets KEY in [GROUP]: replaces it when present, else adds it under the group (made when missing).
ini_put() {
    touch "$config"
    awk -v group="[$1]" -v key="$2" -v value="$3" '
        function emit() { if (!done) { print key "=" value; done = 1 } }
        /^\[/ {
            if (inside) emit()
            inside = ($0 == group)
            seen = seen || inside
            print
            next
        }
        inside && index($0, key "=") == 1 { emit(); next }
        inside && /^[[:space:]]*$/ { emit() }
        { print }
        END {
            if (inside) emit()
            if (!seen) { if (NR > 0) print ""; print group; print key "=" value }
        }' "$config" > "$config.new"
    mv "$config.new" "$config"
}

ini_default() {
    [ -n "$(ini_get "$1" "$2")" ] || ini_put "$1" "$2" "$3"
}

# A first run talks to the simulator over UDP; the pty is the serial port to switch to.
ini_default communicate udp 1
ini_default udp address 127.0.0.1
ini_default udp port 5000
# A link left by a demo in another folder is replaced; a port the operator chose is kept.
serial_port=$(ini_get serial port)
if [ -z "$serial_port" ] || { [ "${serial_port##*/}" = ttyZQ ] && [ "$serial_port" != "$link" ]; }; then
    ini_put serial port "$link"
fi

sim_port=5000
case "$(ini_get udp address)" in
    127.*|localhost) sim_port=$(ini_get udp port) ;;
esac

# A port taken by another program is told before minutes of building, not after. perl-base is on
# every Debian system.
udp_port_free() {
    perl -MIO::Socket::INET -e 'exit(IO::Socket::INET->new(Proto => "udp", LocalAddr => "127.0.0.1", LocalPort => $ARGV[0]) ? 0 : 1)' "$1"
}
if ! udp_port_free "$sim_port"; then
    echo "run.sh: UDP port $sim_port on 127.0.0.1 is taken (by another program, or a demo still running)." >&2
    echo "Choose another as udp/port in $config and run again." >&2
    exit 1
fi

if [ "$build" = 1 ]; then
    bash scripts/install-deps.sh run
    bash scripts/build.sh --programs
fi
build_dir=$(cd "$build_dir" && pwd)
assistant=${ZQ_ASSISTANT:-$build_dir/bin/zq-assistant}

cp "$build_dir"/bin/*.qm "$run_dir"/ 2>/dev/null || true

log=$run_dir/simulator.log
"$build_dir/bin/zq-simulator" --udp "127.0.0.1:$sim_port" --pty-link "$link" --probe-port 0 --http 127.0.0.1:0 \
    --items sim/sample-items.txt > "$log" 2>&1 &
simulator=$!
any_alive() {
    local pid
    for pid in "$@"; do kill -0 "$pid" 2> /dev/null && return 0; done
    return 1
}
# Ends what the demo started: asked to end first, killed when still there after a second, so that
# a SIGTERM from kill, timeout or a supervisor ends everything within two.
stop_children() {
    local pids=($assistant_pid $simulator)
    kill "${pids[@]}" 2> /dev/null || true
    for _ in $(seq 10); do
        any_alive "${pids[@]}" || break
        sleep 0.1
    done
    kill -KILL "${pids[@]}" 2> /dev/null || true
    wait 2> /dev/null || true
}
assistant_pid=
trap stop_children EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The simulator names its link once both ends are open.
for _ in $(seq 100); do
    grep -q '^LINK ' "$log" 2>/dev/null && break
    if ! kill -0 "$simulator" 2>/dev/null; then
        echo "The instrument simulator did not start:" >&2
        cat "$log" >&2
        echo "Choose another port as udp/port in $config and run again." >&2
        exit 1
    fi
    sleep 0.1
done
grep -q '^LINK ' "$log" || { echo "The instrument simulator did not answer in time; see $log" >&2; exit 1; }
echo "Simulated instrument: UDP 127.0.0.1:$sim_port, serial port $link"

# The firmware download page: the simulator's, unless the operator set a page elsewhere.
page=$(sed -n 's/^HTTP //p' "$log" | head -1)
current_page=$(ini_get firmware page)
case "$current_page" in
    ""|http://127.0.0.1:*/down.html) [ -n "$page" ] && ini_put firmware page "$page" ;;
esac
[ -n "$page" ] && echo "Firmware download page: $(ini_get firmware page)"

# A package for the simulated model in Files/, ready for 选择文件 and 烧写.
model=$(sed -n 's/^!\{0,1\}设备型号://p' sim/sample-items.txt | head -1)
mkdir -p "$run_dir/Files"
package=$run_dir/Files/demo-$model.zqbin
if [ -n "$model" ] && [ ! -f "$package" ]; then
    image=$(mktemp)
    head -c 131072 /dev/urandom > "$image"
    "$build_dir/bin/zq-package" --device "演示仪表" --model "$model" --version "V9.9-demo" "$image" "$package" > /dev/null
    rm -f "$image"
fi
[ -f "$package" ] && echo "Firmware package: $package"

cd "$run_dir"
# In the background, so that bash runs the traps above at once: it holds a signal back until a
# program in the foreground has ended.
"$assistant" &
assistant_pid=$!
status=0
wait "$assistant_pid" || status=$?
assistant_pid=
exit "$status"
