#!/bin/sh
# Runs a test program on an X server of its own with the openbox window manager: stacking and focus
# are the window manager's to decide, and no offscreen platform can show them.
set -eu
for tool in xvfb-run openbox xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing $tool: run scripts/setup.sh" >&2; exit 1; }
done
ready=$(mktemp -u)
export KAV_WM_READY="$ready"
exec xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    # openbox runs its --startup command once it has finished starting and manages new windows.
    openbox --sm-disable --startup "touch $KAV_WM_READY" >/dev/null 2>&1 &
    manager=$!
    tries=0
    until [ -e "$KAV_WM_READY" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 3000 ]; then echo "openbox did not start" >&2; kill "$manager"; exit 1; fi
        sleep 0.01
    done
    rm -f "$KAV_WM_READY"
    status=0
    "$@" || status=$?
    kill "$manager"
    exit "$status"' sh "$@"
