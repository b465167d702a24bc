#!/usr/bin/env bash
# A whole short flight in the real program on a virtual X display of DEPTH bits under a window
# manager (openbox): 100 m of iron, chosen with the mouse and the keyboard, flies until its
# outcome message, OK closes that, and Ctrl+Q quits with status 0. The program's output must
# hold no sanitizer report.
# Usage: desktop_flight.sh PROGRAM LAYOUT_TOOL SHOTS_FOLDER DEPTH
set -u
tool="desktop flight at depth ${4:-}"
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/quendal_windows.sh"

take_case_arguments depth "$@"

enter_display "$depth" 1280x1024 "$@"
prepare "$shots_folder"
read_layout "$layout_tool"
start_window_manager
start_program "$program"
find_main_windows
start_short_flight
wait_for_message_box box 30
screenshot message
activate "$box"
keys Return
poll 3 window_closed Quendal || fail "Return did not close the outcome message (screenshot: $shots/message.png)"
expect_running "after its outcome message closed"
quit_with_ctrl_q "$main"
pass "flew, showed its outcome and quit"
