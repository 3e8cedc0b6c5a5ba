#!/usr/bin/env bash
# DEMO_RELAYS=2 make demo without a display, on free ports of its own: the relays behind nginx take the
# race from the demo's broker, a page through nginx gets it, and the demo ends with status 0; with a relay's
# port taken by something that never answers, the demo says so and fails.
# Usage: demo_relays_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build=$2
# Four free ports, the proxy's followed by two more for the relays.
read -r feed web broker proxy < <(python3 - <<'PY'
import socket
def held(port):
    s = socket.socket()
    s.bind(("127.0.0.1", port))
    return s
free = [held(0) for _ in range(3)]
for base in range(20000, 60000, 7):
    try:
        proxy = [held(base + i) for i in range(3)]
        break
    except OSError:
        continue
print(*[s.getsockname()[1] for s in free], base)
PY
)
demo() {
    cd "$source_dir" && env -u DISPLAY -u WAYLAND_DISPLAY DEMO_RELAYS=2 DEMO_SECONDS=10 DEMO_PORT="$feed" \
        WEB_PORT="$web" DEMO_BROKER_PORT="$broker" DEMO_PROXY_PORT="$proxy" bash scripts/demo.sh "$build" 2>&1
}
said=$(demo) || { echo "$said"; echo "demo_relays_test: the demo failed" >&2; exit 1; }
for wanted in "relay 1 took [1-9][0-9]* lines" "relay 2 took [1-9][0-9]* lines" \
    "through nginx, a page's relay has [1-9][0-9]* lines"; do
    grep -q "demo: $wanted" <<<"$said" || { echo "$said"; echo "demo_relays_test: no \"$wanted\"" >&2; exit 1; }
done

python3 -c 'import socket, sys, time
s = socket.create_server(("127.0.0.1", int(sys.argv[1])))
time.sleep(60)' $((proxy + 1)) &
holder=$!
trap 'kill $holder 2>/dev/null || true' EXIT
for _ in $(seq 100); do (: <>"/dev/tcp/127.0.0.1/$((proxy + 1))") 2>/dev/null && break; sleep 0.1; done
if said=$(demo); then
    echo "$said"; echo "demo_relays_test: the demo ended with status 0 though relay 1 never answered" >&2; exit 1
fi
grep -q "demo: nothing answers for relay 1" <<<"$said" || { echo "$said"; echo "demo_relays_test: no word of relay 1" >&2; exit 1; }
