#!/usr/bin/env bash
# Starts the real program on a virtual X display, waits for its two windows, takes a screenshot,
# checks that the main window's canvas shows the globe picture there, pixel for pixel, and ends
# the program one of two ways: "quit" quits it with Ctrl+Q as a user would (status 0);
# "display-lost" starts a flight with Return and then kills the program's connection to the
# display, so that Qt ends the process with exit() while the flight's thread is on its stack
# (status 1). Either way the program's output must hold no sanitizer report.
# Needs xvfb-run, xdotool, xwininfo and ImageMagick.
# Usage: xvfb_smoke.sh PROGRAM SCREENSHOT [quit|display-lost]
set -u

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 PROGRAM SCREENSHOT [quit|display-lost]" >&2
    exit 2
fi
program=$1
screenshot=$2
globe="$(dirname "$program")/../Resources/Globeafrica.gif"

# The main window's content is 639 x 500, below its menu bar, and its canvas starts at the
# content's corner. This part of the canvas lies under no control, hidden ones included, and
# left of where the diagram window comes up on this screen.
content_width=639
content_height=500
region_left=150
region_top=80
region_width=340
region_height=140
way=${3:-quit}

# First run: start a display of our own and come back inside it.
if [ -z "${QUENDAL_SMOKE_DISPLAY:-}" ]; then
    for tool in xvfb-run xdotool xwininfo import convert compare; do
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
diagram=$(find_window 'V/h Diagram') || fail "no window titled \"V/h Diagram\" within 10 s"

# A window's place on the screen: left, top, width and height.
geometry() {
    local info field
    info=$(xwininfo -id "$1") || return 1
    for field in 'Absolute upper-left X' 'Absolute upper-left Y' 'Width' 'Height'; do
        sed -n "s/^ *$field: *\(-\{0,1\}[0-9]*\).*/\1/p" <<< "$info" | head -n 1
    done | tr '\n' ' '
}
read -r window_x window_y window_width window_height <<< "$(geometry "$main")" || fail "no geometry for the main window"
[ "$window_width" = "$content_width" ] || fail "the main window is $window_width pixels wide, not $content_width"
content_y=$((window_y + window_height - content_height))
left=$((window_x + region_left))
top=$((content_y + region_top))

# No window may lie over the region: the diagram's place depends on the screen's size.
read -r other_x other_y other_width other_height <<< "$(geometry "$diagram")" || fail "no geometry for the diagram window"
if [ $((other_x)) -lt $((left + region_width)) ] && [ $((other_x + other_width)) -gt $left ] \
    && [ $((other_y)) -lt $((top + region_height)) ] && [ $((other_y + other_height)) -gt $top ]; then
    fail "the diagram window lies over the part of the canvas that is checked"
fi

# The globe picture's part of the region, as the canvas must show it.
want=$(mktemp --suffix=.png)
got=$(mktemp --suffix=.png)
trap 'rm -f "$want" "$got"' EXIT
crop="${region_width}x${region_height}"
convert "${globe}[0]" -crop "${crop}+${region_left}+${region_top}" +repage "$want" || fail "could not read $globe"

# The first paint may take a moment to reach the screen: up to 5 s.
differing=unknown
for _ in $(seq 1 25); do
    sleep 0.2
    import -window root "$screenshot" || fail "could not take the screenshot"
    convert "$screenshot" -crop "${crop}+${left}+${top}" +repage "$got" || fail "could not crop the screenshot"
    differing=$(compare -metric AE "$want" "$got" null: 2>&1)
    [ "$differing" = "0" ] && break
done
[ "$differing" = "0" ] || fail "the main window's canvas differs from the globe picture in $differing pixels of ${crop}+${region_left}+${region_top} (screenshot: $screenshot)"

timeout 5 xdotool windowfocus --sync "$main" || fail "could not focus the main window"
case $way in
quit)
    xdotool key ctrl+q || fail "could not send Ctrl+Q"
    want_status=0
    ;;
display-lost)
    # Return presses Start; the flight runs for a while before the connection goes. The Start
    # button (60 x 20 at 566, 14), disabled by then, shows that it does.
    start_button="60x20+$((window_x + 566))+$((content_y + 14))"
    convert "$screenshot" -crop "$start_button" +repage "$want" || fail "could not crop the screenshot"
    xdotool key Return || fail "could not send Return"
    sleep 0.5
    import -window root "$screenshot" || fail "could not take the screenshot"
    convert "$screenshot" -crop "$start_button" +repage "$got" || fail "could not crop the screenshot"
    [ "$(compare -metric AE "$want" "$got" null: 2>&1)" != "0" ] || fail "Return started no flight (screenshot: $screenshot)"
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
        if [ -n "${QUENDAL_SANITIZER_REPORT:-}" ] && grep -qE "$QUENDAL_SANITIZER_REPORT" "$log"; then
            fail "a sanitizer reported"
        fi
        rm -f "$log"
        echo "smoke: started, showed both windows and ended ($way) with status $status"
        exit 0
    fi
    sleep 0.1
done
fail "the program was still running 10 s after it was to end ($way)"
