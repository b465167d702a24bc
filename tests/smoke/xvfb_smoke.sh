#!/usr/bin/env bash
# Starts the real program on a virtual X display, waits for its two windows, takes a screenshot,
# and ends it one of two ways: "quit" quits it with Ctrl+Q as a user would (status 0);
# "display-lost" starts a flight with Return and then kills the program's connection to the
# display, so that Qt ends the process with exit() while the flight's thread is on its stack
# (status 1). Either way the program's output must hold no sanitizer report.
# Needs xvfb-run, xdotool and ImageMagick's import.
# Usage: xvfb_smoke.sh PROGRAM SCREENSHOT [quit|display-lost]
set -u

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 PROGRAM SCREENSHOT [quit|display-lost]" >&2
    exit 2
fi
program=$1
screenshot=$2
way=${3:-quit}

# First run: start a display of our own and come back inside it.
if [ -z "${QUENDAL_SMOKE_DISPLAY:-}" ]; then
    for tool in xvfb-run xdotool import; do
        command -v "$tool" > /dev/null || { echo "smoke: $tool is missing" >&2; exit 1; }
    done
    exec xvfb-run -a -s "-screen 0 1280x800x24" env QUENDAL_SMOKE_DISPLAY=1 bash "$0" "$@"
fi

# The real windowing system, not the offscreen one the other tests use.
export QT_QPA_PLATFORM=xcb
log=$(mktemp)
"$program" > "$log" 2>&1 &
pid=$!

fail() {
    echo "smoke: $*" >&2
    echo "--- program output:" >&2
    cat "$log" >&2
    if kill -0 "$pid" 2> /dev/null; then
        kill "$pid" 2> /dev/null
        sleep 1
        kill -9 "$pid" 2> /dev/null
    fi
    rm -f "$log"
    exit 1
}

# The window of that exact title, once it is on screen; polls for up to 10 s.
find_window() {
    local title=$1 id
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2> /dev/null || fail "the program ended before \"$title\" appeared"
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2> /dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

main=$(find_window 'Vuredo') || fail "no window titled \"Vuredo\" within 10 s"
find_window 'V/h Diagram' > /dev/null || fail "no window titled \"V/h Diagram\" within 10 s"

# Lets the first paint reach the screen before the picture is taken.
sleep 0.5
import -window root "$screenshot" || fail "could not take the screenshot"

timeout 5 xdotool windowfocus --sync "$main" || fail "could not focus the main window"
case $way in
quit)
    xdotool key ctrl+q || fail "could not send Ctrl+Q"
    want_status=0
    ;;
display-lost)
    # Return presses Start; the flight runs for a while before the connection goes.
    xdotool key Return || fail "could not send Return"
    sleep 0.5
    xdotool windowkill "$main" || fail "could not kill the program's connection to the display"
    want_status=1
    ;;
*)
    fail "no way \"$way\" to end the program"
    ;;
esac

for _ in $(seq 1 100); do
    if ! kill -0 "$pid" 2> /dev/null; then
        wait "$pid"
        status=$?
        [ "$status" -eq "$want_status" ] || fail "the program exited with status $status, not $want_status"
        ! grep -qE '==[0-9]+==ERROR|runtime error:' "$log" || fail "a sanitizer reported"
        rm -f "$log"
        echo "smoke: started, showed both windows and ended ($way) with status $status"
        exit 0
    fi
    sleep 0.1
done
fail "the program was still running 10 s after it was to end ($way)"
