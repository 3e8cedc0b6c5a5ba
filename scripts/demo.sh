#!/usr/bin/env bash
# make demo: the race simulator on the loopback address, and the program on it with the demo
# configuration (a window of each kind, the general information panel with the flag lamp, the flag
# window on). Closing the program stops the simulator.
#
#   scripts/demo.sh [BUILD_DIR]      DEMO_PORT=50001 to use another port, WEB_PORT=8081 for the web view
#
# Without a display the program runs offscreen for DEMO_SECONDS (20) and says what it received.
set -euo pipefail

build=${1:-build}
port=${DEMO_PORT:-50000}
web_port=${WEB_PORT:-8080}
seconds=${DEMO_SECONDS:-20}
simulator="$build/tools/feed/kavendor-feed"
program="$build/src/app/kavendor"
config="$build/demo"

for file in "$simulator" "$program"; do
    [ -x "$file" ] || { echo "demo: $file is missing; run 'make build' first" >&2; exit 1; }
done

# A fresh copy each time, so the repository's demo configuration stays as shipped.
rm -rf "$config"
mkdir -p "$config"
cp demo/Communication.ini demo/Kavendor.ini demo/demo.kvl "$config/"
sed -i "s/^TCPIP_Port=.*/TCPIP_Port=$port/" "$config/Communication.ini"
sed -i "s/^Port=.*/Port=$web_port/" "$config/Kavendor.ini"

"$simulator" simulate --cars 24 --laps 25 --speed 2 --repeat --port "$port" 2>"$config/simulator.log" &
simulator_pid=$!
trap 'kill "$simulator_pid" 2>/dev/null || true; wait "$simulator_pid" 2>/dev/null || true' EXIT

for _ in $(seq 100); do
    grep -q 'serving on' "$config/simulator.log" && break
    if ! kill -0 "$simulator_pid" 2>/dev/null; then
        cat "$config/simulator.log" >&2
        echo "demo: the simulator did not start; is port $port in use? Try DEMO_PORT=50001 make demo" >&2
        exit 1
    fi
    sleep 0.1
done
echo "demo: a 24-car race on the Brenmoor Ring, served on localhost:$port (log: $config/simulator.log)"
echo "demo: the web view: http://localhost:$web_port/ (every window, the flag board, /overlay for a stream;"
echo "      other devices use this computer's address; WEB_PORT=8081 make demo if $web_port is taken)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo: no display here; running the program offscreen for $seconds seconds instead"
    QT_QPA_PLATFORM=offscreen timeout "$seconds" "$program" --config-dir "$config" \
        --layout "$config/demo.kvl" --record "$config/received.feed" 2>/dev/null || true
    lines=$(wc -l <"$config/received.feed" 2>/dev/null || echo 0)
    echo "demo: the program received $lines lines of the race ($config/received.feed)."
    echo "demo: on a desktop, 'make demo' shows the race live in four result windows."
    exit 0
fi

"$program" --config-dir "$config" --layout "$config/demo.kvl"
