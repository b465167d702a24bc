#!/usr/bin/env bash
# Starts the real program on a virtual X display under a window manager, waits for its two
# windows, takes a screenshot, checks that the main window's canvas shows the globe picture
# there, pixel for pixel, and ends the program one of two ways: "quit" quits it with Ctrl+Q as a
# user would (status 0); "display-lost" starts a flight with Return and then kills the program's
# connection to the display, so that Qt ends the process with exit() while the flight's thread
# is on its stack (status 1). Either way the program's output must hold no sanitizer report.
# Usage: xvfb_smoke.sh PROGRAM LAYOUT_TOOL SCREENSHOT [quit|display-lost]
set -u
tool=smoke
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/quendal_windows.sh"

if [ $# -lt 3 ] || [ $# -gt 4 ]; then
    echo "usage: $0 PROGRAM LAYOUT_TOOL SCREENSHOT [quit|display-lost]" >&2
    exit 2
fi
program=$1
layout_tool=$2
screenshot_file=$3
way=${4:-quit}
globe="$(dirname "$program")/../Resources/Globeafrica.gif"

enter_display 24 1280x800 "$@"

# A part of the main window's canvas, which starts at the content's corner: under no control,
# hidden ones included (checked against the layout below), and right of where the diagram window
# comes up on this screen, centred.
region_left=460
region_top=100
region_width=90
region_height=290

prepare "$(dirname "$screenshot_file")/smoke-$way"
read_layout "$layout_tool"
control_over control Window1 "${region_width}x${region_height}+${region_left}+${region_top}" Canvas1
[ -z "$control" ] || fail "$control lies over the part of the main window's canvas that is checked"
start_window_manager
start_program "$program"
find_window main 'Vuredo'
find_window diagram 'V/h Diagram'
content_origin content_x content_y "$main" "$main_width" "$main_height"
left=$((content_x + region_left))
top=$((content_y + region_top))

# No window may lie over the region: the diagram's place depends on the screen's size.
read -r other_x other_y other_width other_height <<< "$(frame_geometry "$diagram")"
[ -n "$other_height" ] || fail "no frame for the diagram window"
if [ $((other_x)) -lt $((left + region_width)) ] && [ $((other_x + other_width)) -gt $left ] \
    && [ $((other_y)) -lt $((top + region_height)) ] && [ $((other_y + other_height)) -gt $top ]; then
    fail "the diagram window lies over the part of the canvas that is checked"
fi

# The globe picture's part of the region, as the canvas must show it.
want="$work/globe.png"
crop_size="${region_width}x${region_height}"
convert "${globe}[0]" -crop "${crop_size}+${region_left}+${region_top}" +repage "$want" 2> /dev/null \
    || fail "could not read $globe"

# The first paint may take a moment to reach the screen: up to 5 s.
wait_for_region same "$want" "${crop_size}+${left}+${top}" 5 screen \
    || fail "the main window's canvas differs from the globe picture in $differing pixels of ${crop_size}+${region_left}+${region_top} (screenshot: $shots/screen.png)"
cp "$shots/screen.png" "$screenshot_file" || fail "could not write $screenshot_file"

activate "$main"
case $way in
quit)
    keys ctrl+q
    expect_exit 0 10 "Ctrl+Q"
    ;;
display-lost)
    # Return presses Start; the flight runs for a while before the connection goes. The Start
    # button, disabled by then, shows that it does.
    on_screen start "$start_button" "$content_x" "$content_y"
    capture "$start" "$work/start-idle.png" before-return
    keys Return
    wait_for_region changed "$work/start-idle.png" "$start" 5 after-return \
        || fail "Return started no flight (screenshot: $shots/after-return.png)"
    sleep 0.5
    cp "$shots/after-return.png" "$screenshot_file"
    xdotool windowkill "$main" || fail "could not kill the program's connection to the display"
    expect_exit 1 10 "its connection to the display broke"
    ;;
*)
    fail "no way \"$way\" to end the program"
    ;;
esac
pass "started, showed both windows and ended ($way)"
