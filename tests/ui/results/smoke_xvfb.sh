#!/usr/bin/env bash
# Smoke test on a real X server: starts the real application under xvfb-run
# with the platform plugin it ships with (QT_QPA_PLATFORM unset, so xcb),
# waits until a window titled "Simulation Parameters" is on the display, then
# ends the application. Fails if the window never appears or the application
# exits on its own (a missing plugin or library shows up here).
#
#   smoke_xvfb.sh PATH/TO/newsvendor [SECONDS]
set -euo pipefail

if [ "${1:-}" = "--inner" ]; then
    app=$2
    seconds=$3
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    "$app" >"$log" 2>&1 &
    pid=$!
    deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" && status=0 || status=$?
            echo "FAIL: the application ended on its own (status $status) before its window appeared:"
            cat "$log"
            exit 1
        fi
        if xwininfo -root -tree 2>/dev/null | grep -q '"Simulation Parameters"'; then
            echo "PASS: window \"Simulation Parameters\" is on display $DISPLAY"
            xwininfo -root -tree | grep '"Simulation' || true
            kill -TERM "$pid"
            wait "$pid" 2>/dev/null || true
            exit 0
        fi
        sleep 0.1
    done
    echo "FAIL: no window titled \"Simulation Parameters\" within ${seconds}s; output:"
    cat "$log"
    kill -KILL "$pid" 2>/dev/null || true
    exit 1
fi

app=${1:?usage: smoke_xvfb.sh PATH/TO/newsvendor [SECONDS]}
seconds=${2:-30}
for tool in xvfb-run xauth xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool is missing (Debian packages xvfb, xauth, x11-utils)"
        exit 1
    fi
done
if [ ! -x "$app" ]; then
    echo "FAIL: $app is not an executable"
    exit 1
fi
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inner "$app" "$seconds"
