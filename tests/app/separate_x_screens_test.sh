#!/usr/bin/env bash
# --fullscreen on the second of two separate X screens of one Xvfb display (no desktop spread over
# both): the window cannot cover that screen, and the program says so on standard error.
# Usage: separate_x_screens_test.sh PROGRAM SOURCE_DIR
set -euo pipefail
program=$1 source=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
command -v Xvfb >/dev/null || fail "Xvfb is missing: run scripts/setup.sh"

work=$(mktemp -d)
kavendor=
Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 -screen 1 640x480x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap '[[ -n $kavendor ]] && kill "$kavendor" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

# Waits up to 30 s for a condition, checking every tenth of a second.
wait_for() {
  for _ in $(seq 300); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}
wait_for '[[ -s $work/display ]]' || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }

mkdir "$work/config"
cp "$source/demo/demo.kvl" "$work/config/" # the program writes its layout back: never onto the original
DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb "$program" --config-dir "$work/config" \
  --layout "$work/config/demo.kvl" --replay "$source/tests/data/feeds/race6.feed" --rate 5 --fullscreen 1@2 \
  2>"$work/err" &
kavendor=$!
message="kavendor: --fullscreen: window 1 did not go full screen on screen 2 (640x480)"
wait_for 'grep -qF "$message" "$work/err" || ! kill -0 $kavendor 2>/dev/null' || true
grep -qF "$message" "$work/err" || { cat "$work/err" >&2; fail "no word on stderr of the window left off screen 2"; }
echo "separate X screens ok"
