#!/usr/bin/env bash
# make demo: the race simulator on the loopback address, and the program on it with the demo
# configuration (a window of each kind, the general information panel with the flag lamp, the flag
# window on). Closing the program stops the simulator.
#
#   scripts/demo.sh [BUILD_DIR]      DEMO_PORT=50001 to use another port, WEB_PORT=8081 for the web view
#
# Without a display the program runs offscreen for DEMO_SECONDS (20) and says what it received.
#
# With DEMO_BROKER=1 a local Mosquitto broker starts too (port DEMO_BROKER_PORT, 18830), with logins and an
# ACL: the program publishes the race to it under kavendor/demo, and a second display takes its feed from
# the broker.
#
# With DEMO_RELAYS=2 (any number from 1) the broker starts, and instead of the second display that many
# relays (the program without a window, fed by the broker) serve the pages behind nginx on
# DEMO_PROXY_PORT (8090), as the manual's web relay set-up has it; the relays' own ports follow it.
set -euo pipefail

build=${1:-build}
port=${DEMO_PORT:-50000}
web_port=${WEB_PORT:-8080}
seconds=${DEMO_SECONDS:-20}
use_broker=${DEMO_BROKER:-0}
broker_port=${DEMO_BROKER_PORT:-18830}
relays=${DEMO_RELAYS:-0}
proxy_port=${DEMO_PROXY_PORT:-8090}
[[ "$relays" =~ ^[0-9]+$ ]] || { echo "demo: DEMO_RELAYS must be a number of relays, not '$relays'" >&2; exit 2; }
if [ "$relays" -gt 0 ]; then use_broker=1; fi
simulator="$build/tools/feed/kavendor-feed"
program="$build/src/app/kavendor"
config="$build/demo"

# A broker of the demo's own, set up as the manual recommends: logins from a password file, and an ACL
# by which only the publisher writes under the prefix and the display only reads. The second display's
# configuration takes the feed from that broker.
start_broker() {
    local mosquitto passwd publisher_password display_password
    mosquitto=$(command -v mosquitto || echo /usr/sbin/mosquitto)
    passwd=$(command -v mosquitto_passwd || echo /usr/bin/mosquitto_passwd)
    [ -x "$mosquitto" ] && [ -x "$passwd" ] || { echo "demo: mosquitto is missing; run 'make setup' first" >&2; exit 1; }
    publisher_password=$(head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9')
    display_password=$(head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9')
    (umask 077 && : >"$config/passwords")
    "$passwd" -b "$config/passwords" publisher "$publisher_password"
    "$passwd" -b "$config/passwords" display "$display_password"
    printf 'user publisher\ntopic readwrite kavendor/demo/#\n\nuser display\ntopic read kavendor/demo/#\n' \
        >"$config/acl"
    printf 'listener %s 127.0.0.1\nallow_anonymous false\npassword_file %s\nacl_file %s\npersistence false\nmax_queued_messages 0\n' \
        "$broker_port" "$config/passwords" "$config/acl" >"$config/mosquitto.conf"
    [ "$(id -u)" -eq 0 ] && echo "user root" >>"$config/mosquitto.conf"
    "$mosquitto" -c "$config/mosquitto.conf" 2>"$config/mosquitto.log" &
    pids+=("$!")
    # The publisher's login; --mqtt below names the broker.
    (umask 077 && printf '\r\n[Broker]\r\nUser=publisher\r\nPassword=%s\r\n' "$publisher_password" >>"$config/Kavendor.ini")
    chmod 600 "$config/Kavendor.ini"
    display="$build/demo-display"
    rm -rf "$display"
    mkdir -p "$display"
    cp demo/Kavendor.ini demo/demo.kvl "$display/"
    (umask 077 && printf '[Communication]\r\nCommType=MQTT\r\n\r\n[Communication\\MQTT]\r\nMQTT_Host=localhost\r\nMQTT_Port=%s\r\nMQTT_Topic=kavendor/demo\r\nMQTT_User=display\r\nMQTT_Password=%s\r\n' \
        "$broker_port" "$display_password" >"$display/Communication.ini")
    echo "demo: a local broker on localhost:$broker_port (password file and ACL in $config)"
    if [ "$relays" -eq 0 ]; then echo "demo: a second display follows kavendor/demo there"; fi
}

# The relays, headless programs that log in to the broker as the display does, and nginx in front of them.
start_relays() {
    local nginx relay servers="" folder
    nginx=$(command -v nginx || echo /usr/sbin/nginx)
    [ -x "$nginx" ] || { echo "demo: nginx is missing; run 'make setup' first" >&2; exit 1; }
    for number in $(seq "$relays"); do
        relay="$build/demo-relay-$number"
        rm -rf "$relay"
        mkdir -p "$relay"
        sed "s/^MQTT_User=/MQTT_ClientId=kavendor-relay-$number\r\nMQTT_User=/" "$display/Communication.ini" \
            >"$relay/Communication.ini"
        chmod 600 "$relay/Communication.ini"
        printf '[WebView]\r\nMaxClients=1000\r\nMaxClientsPerAddress=0\r\n' >"$relay/Kavendor.ini"
        "$program" --headless --config-dir "$relay" --web $((proxy_port + number)) --web-bind 127.0.0.1 \
            2>"$relay/relay.log" &
        pids+=("$!")
        servers+="server 127.0.0.1:$((proxy_port + number)) max_fails=1 fail_timeout=10s; "
    done
    folder=$(realpath "$config")/nginx
    mkdir -p "$folder"
    sed -e "s|@FOLDER@|$folder|g" -e "s|@PORT@|$proxy_port|" -e "s|@SERVERS@|$servers|" demo/nginx.conf \
        >"$folder/nginx.conf"
    "$nginx" -p "$folder" -c "$folder/nginx.conf" -e "$folder/error.log" &
    pids+=("$!")
    echo "demo: $relays relays fed by the broker serve the pages behind nginx: http://localhost:$proxy_port/"
    echo "      (each relay's log: $build/demo-relay-N/relay.log; nginx's: $config/nginx/error.log)"
}

# What a relay has taken so far, from its web view.
relay_lines() {
    python3 -c 'import json, sys, urllib.request
try:
    print(json.load(urllib.request.urlopen(sys.argv[1], timeout=5))["run"]["lines"])
except Exception as failure:
    print("nothing (%s)" % failure)' "http://127.0.0.1:$1/api/state"
}

for file in "$simulator" "$program"; do
    [ -x "$file" ] || { echo "demo: $file is missing; run 'make build' first" >&2; exit 1; }
done

# A fresh copy each time, so the repository's demo configuration stays as shipped.
rm -rf "$config"
mkdir -p "$config"
cp demo/Communication.ini demo/Kavendor.ini demo/demo.kvl "$config/"
sed -i "s/^TCPIP_Port=.*/TCPIP_Port=$port/" "$config/Communication.ini"
sed -i "s/^Port=.*/Port=$web_port/" "$config/Kavendor.ini"

pids=()
stop_all() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop_all EXIT

"$simulator" simulate --cars 24 --laps 25 --speed 2 --repeat --port "$port" 2>"$config/simulator.log" &
simulator_pid=$!
pids+=("$simulator_pid")

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

publish=()
if [ "$use_broker" = 1 ]; then
    start_broker
    publish=(--mqtt "localhost:$broker_port" --mqtt-topic kavendor/demo)
    if [ "$relays" -gt 0 ]; then start_relays; fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo: no display here; running the program offscreen for $seconds seconds instead"
    if [ "$use_broker" = 1 ] && [ "$relays" -eq 0 ]; then
        QT_QPA_PLATFORM=offscreen timeout "$seconds" "$program" --config-dir "$display" \
            --layout "$display/demo.kvl" --record "$display/received.feed" 2>/dev/null &
        pids+=("$!")
    fi
    QT_QPA_PLATFORM=offscreen timeout "$seconds" "$program" --config-dir "$config" \
        --layout "$config/demo.kvl" --record "$config/received.feed" "${publish[@]}" 2>/dev/null || true
    lines=$(wc -l <"$config/received.feed" 2>/dev/null || echo 0)
    echo "demo: the program received $lines lines of the race ($config/received.feed)."
    status=0
    # A relay or nginx that answers nothing is a failed demo, whatever the program did.
    report_relay() {
        echo "demo: $1 $2 lines."
        [[ "$2" =~ ^[0-9]+$ ]] || { echo "demo: nothing answers for $1; see its log" >&2; status=1; }
    }
    for number in $(seq "$relays"); do
        report_relay "relay $number took" "$(relay_lines $((proxy_port + number)))"
    done
    if [ "$relays" -gt 0 ]; then report_relay "through nginx, a page's relay has" "$(relay_lines "$proxy_port")"; fi
    if [ "$use_broker" = 1 ] && [ "$relays" -eq 0 ]; then
        wait "${pids[-1]}" 2>/dev/null || true
        lines=$(wc -l <"$display/received.feed" 2>/dev/null || echo 0)
        echo "demo: the second display took $lines lines from the broker ($display/received.feed)."
    fi
    echo "demo: on a desktop, 'make demo' shows the race live in four result windows."
    exit "$status"
fi

if [ "$use_broker" = 1 ] && [ "$relays" -eq 0 ]; then
    "$program" --config-dir "$display" --layout "$display/demo.kvl" &
    pids+=("$!")
fi
"$program" --config-dir "$config" --layout "$config/demo.kvl" "${publish[@]}"
