# Sourced by the desktop tests: they run the real program on a virtual X display under a real
# window manager (openbox, or jwm where a case says so), drive it with xdotool as a user would,
# and check what the screen shows (ImageMagick) and what the window manager says (xprop, wmctrl).
#
# A test script sets `tool` (the name its messages start with), sources this file and calls
# enter_display, which runs the script again inside a display of its own and exits with its
# status. Inside, the script calls prepare, start_window_manager and start_program, and ends
# with pass; fail ends it early, and skip when the tools driving the program, not the program,
# could not set up what the case tests in time. Functions that find something store it in
# variables whose names they are given, since a failure inside $(...) could not end the test.
# Every wait is a poll of short steps (poll_step) bounded in time, for something that the
# program, the window manager or the server shows.
#
# Needs Xvfb and xauth, openbox (jwm for its cases), xdotool, wmctrl, xwininfo and xprop
# (x11-utils) and ImageMagick.

# The tools' output is parsed: the same words and numbers in every locale. The program gets the
# caller's locale back (start_program).
desktop_saved_lc_all=${LC_ALL-}
desktop_had_lc_all=${LC_ALL+set}
export LC_ALL=C

tool=${tool:-desktop}
pid=
log=
shots=
wm=openbox
wm_pid=
work=

# The exit status by which CTest counts a case as skipped (SKIP_RETURN_CODE, tests/CMakeLists.txt).
skipped_status=77

# The arguments of every case script, PROGRAM LAYOUT_TOOL SHOTS_FOLDER and a fourth (its case,
# or a depth), as program, layout_tool (quendal-layout, which reads the windows' layout from the
# program), shots_folder and VAR. Usage: take_case_arguments VAR "$@"
take_case_arguments() {
    if [ $# -ne 5 ]; then
        echo "usage: $0 PROGRAM LAYOUT_TOOL SHOTS_FOLDER ${1^^}" >&2
        exit 2
    fi
    program=$2
    layout_tool=$3
    shots_folder=$4
    printf -v "$1" '%s' "$5"
}

# Runs the calling script again with the same arguments inside a display of its own, SIZE
# (1280x1024 by default) at DEPTH bits (24 by default), and exits with its status. Inside that
# display it returns at once. Usage: enter_display DEPTH SIZE "$@"
enter_display() {
    local depth=${1:-24} size=${2:-1280x1024}
    shift 2
    if [ -n "${QUENDAL_DESKTOP_DISPLAY:-}" ]; then
        return 0
    fi
    local needed
    for needed in Xvfb xauth openbox xdotool xwininfo xprop wmctrl import convert compare; do
        command -v "$needed" > /dev/null || { echo "$tool: $needed is missing" >&2; exit 1; }
    done
    local server_folder number="" cookie server status
    server_folder=$(mktemp -d) || exit 1
    # The server takes every cookie of its file, whatever display it is written for; the number
    # is known only once the server runs.
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    touch "$server_folder/auth"
    xauth -q -f "$server_folder/auth" add :0 . "$cookie"
    # The server picks a free display number itself and writes it once it takes connections, so
    # tests can run side by side without two taking one number.
    mkfifo "$server_folder/display"
    Xvfb -displayfd 3 -auth "$server_folder/auth" -screen 0 "${size}x${depth}" -nolisten tcp -noreset \
        3> "$server_folder/display" 2> "$server_folder/errors" &
    server=$!
    read -r -t 20 number < "$server_folder/display" || number=""
    if [ -z "$number" ]; then
        echo "$tool: FAILED: the X server did not start" >&2
        cat "$server_folder/errors" >&2
        kill "$server" 2> /dev/null
        rm -rf "$server_folder"
        exit 1
    fi
    xauth -q -f "$server_folder/auth" add ":$number" . "$cookie"
    DISPLAY=":$number" XAUTHORITY="$server_folder/auth" QUENDAL_DESKTOP_DISPLAY="${size}x${depth}" \
        bash "$0" "$@"
    status=$?
    kill "$server" 2> /dev/null
    wait "$server" 2> /dev/null
    if [ $status -ne 0 ] && [ -s "$server_folder/errors" ]; then
        echo "--- X server output:" >&2
        cat "$server_folder/errors" >&2
    fi
    rm -rf "$server_folder"
    exit $status
}

# Microseconds since the epoch.
now_us() {
    echo "${EPOCHREALTIME/./}"
}

# A decimal number of seconds ("2", "0.5") in microseconds.
microseconds() {
    local whole=${1%%.*} fraction
    fraction=${1#"$whole"}
    fraction=${fraction#.}000000
    echo $((10#${whole:-0} * 1000000 + 10#${fraction:0:6}))
}

# How long a poll waits between two tries, in seconds; a case that races the program's own
# timing may take shorter steps.
poll_step=0.1

# Runs COMMAND every poll_step until it succeeds or SECONDS have passed; fails when it never
# did. Usage: poll SECONDS COMMAND...
poll() {
    local seconds=$1
    shift
    poll_until $(($(now_us) + $(microseconds "$seconds"))) "$@"
}

# The same until the moment DEADLINE, in microseconds since the epoch (now_us); COMMAND runs
# at least once. Usage: poll_until DEADLINE COMMAND...
poll_until() {
    local deadline=$1
    shift
    while true; do
        "$@" && return 0
        [ "$(now_us)" -lt "$deadline" ] || return 1
        sleep "$poll_step"
    done
}

# True while process PID runs.
alive() {
    [ -n "$1" ] && kill -0 "$1" 2> /dev/null
}

program_gone() {
    ! alive "$pid"
}

# True when the program's output holds a sanitizer's report (QUENDAL_SANITIZER_REPORT, which
# CTest sets, is the pattern that begins one).
sanitizer_reported() {
    [ -n "${QUENDAL_SANITIZER_REPORT:-}" ] && [ -n "$log" ] && grep -qE "$QUENDAL_SANITIZER_REPORT" "$log" 2> /dev/null
}

# Once the program has ended: its exit status in exit_status.
exit_status=
reap() {
    if [ -z "$exit_status" ]; then
        wait "$pid"
        exit_status=$?
    fi
}

# Ends the program if it still runs and the window manager; removes the scratch folder.
desktop_cleanup() {
    if alive "$pid"; then
        kill "$pid" 2> /dev/null
        poll 2 program_gone || kill -9 "$pid" 2> /dev/null
    fi
    if alive "$wm_pid"; then
        kill "$wm_pid" 2> /dev/null
    fi
    if [ -n "$work" ]; then
        rm -rf "$work"
        work=
    fi
}

# The test failed: says why, with a last screenshot and the program's output, and exits 1.
fail() {
    echo "$tool: FAILED: $*" >&2
    if [ -n "$pid" ] && program_gone; then
        reap
        echo "$tool: the program had ended with status $exit_status" >&2
    fi
    if sanitizer_reported; then
        echo "$tool: the program's output holds a sanitizer report" >&2
    fi
    if [ -n "$shots" ] && import -window root "$shots/at-failure.png" 2> /dev/null; then
        echo "$tool: the screen then: $shots/at-failure.png" >&2
    fi
    if [ -n "$log" ] && [ -f "$log" ]; then
        echo "--- program output:" >&2
        cat "$log" >&2
    fi
    if [ -n "$wm_pid" ] && ! alive "$wm_pid"; then
        echo "--- $wm had ended; its output:" >&2
        cat "$work/$wm.log" >&2
    fi
    desktop_cleanup
    trap - EXIT
    exit 1
}

# The tools driving the program were too slow, on a busy machine, to set up what the case tests:
# says why and exits with the status that CTest counts as skipped. Never for what the program does.
skip() {
    echo "$tool: SKIPPED: $*" >&2
    desktop_cleanup
    trap - EXIT
    exit $skipped_status
}

# Makes the folder for the screenshots, emptied of older ones, and a scratch folder.
# Usage: prepare SHOTS_FOLDER
prepare() {
    shots=$1
    mkdir -p "$shots" || { echo "$tool: cannot make $shots" >&2; exit 1; }
    rm -f "$shots"/*.png
    work=$(mktemp -d) || { echo "$tool: cannot make a scratch folder" >&2; exit 1; }
    trap desktop_cleanup EXIT
}

# The window that the root window's property PROPERTY names, in hexadecimal; nothing when none.
root_window_property() {
    xprop -root "$1" 2> /dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p'
}

# True once the window manager names itself on the root window, which openbox and jwm do only
# once they have taken over the display.
wm_ready() {
    local check name
    case $wm in
    openbox) name=Openbox ;;
    jwm) name=JWM ;;
    esac
    check=$(root_window_property _NET_SUPPORTING_WM_CHECK)
    [ -n "$check" ] && xprop -id "$check" _NET_WM_NAME 2> /dev/null | grep -q "\"$name\""
}

wm_ready_or_gone() {
    wm_ready || ! alive "$wm_pid"
}

# Starts the window manager WM, openbox by default or jwm, with Debian's default configuration,
# not the user's, and waits for it. One that could not open the display is started again, up to
# three times in all. Usage: start_window_manager [openbox|jwm]
start_window_manager() {
    local _
    wm=${1:-openbox}
    command -v "$wm" > /dev/null || fail "$wm is missing"
    for _ in 1 2 3; do
        case $wm in
        openbox)
            XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
                openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml > "$work/openbox.log" 2>&1 &
            ;;
        jwm)
            HOME="$work" jwm -f /etc/jwm/system.jwmrc > "$work/jwm.log" 2>&1 &
            ;;
        *)
            fail "no window manager \"$wm\" to start"
            ;;
        esac
        wm_pid=$!
        poll 10 wm_ready_or_gone || fail "$wm did not take over the display within 10 s"
        alive "$wm_pid" && return 0
    done
    fail "$wm ended three times before it took over the display"
}

# Starts PROGRAM on this display, on the real windowing system, its output in a log.
start_program() {
    log="$work/program.log"
    if [ -n "$desktop_had_lc_all" ]; then
        LC_ALL=$desktop_saved_lc_all QT_QPA_PLATFORM=xcb "$1" > "$log" 2>&1 &
    else
        env -u LC_ALL QT_QPA_PLATFORM=xcb "$1" > "$log" 2>&1 &
    fi
    pid=$!
}

# Ends the program, if it runs, and starts PROGRAM again, for a case that tries once more.
restart_program() {
    if alive "$pid"; then
        kill "$pid" 2> /dev/null
        poll 5 program_gone || kill -9 "$pid" 2> /dev/null
    fi
    wait "$pid" 2> /dev/null
    exit_status=
    start_program "$1"
}

# The program's viewable top-level window titled exactly TITLE, if there is one now.
window_now() {
    xdotool search --all --onlyvisible --pid "$pid" --name "^${1}\$" 2> /dev/null | head -n 1
}

# True when the program has ended or shows no window.
no_window_left() {
    program_gone || [ -z "$(xdotool search --onlyvisible --pid "$pid" --name '' 2> /dev/null)" ]
}

# True when the program has no viewable window titled exactly TITLE.
window_closed() {
    [ -z "$(window_now "$1")" ]
}

# Left, top, width and height of window ID: of a client window, inside its frame.
geometry() {
    local info field
    info=$(xwininfo -id "$1" 2> /dev/null) || return 1
    for field in 'Absolute upper-left X' 'Absolute upper-left Y' 'Width' 'Height'; do
        sed -n "s/^ *$field: *\(-\{0,1\}[0-9]*\).*/\1/p" <<< "$info" | head -n 1
    done | tr '\n' ' '
}

# Left, top, width and height of the frame around window ID, from the window manager's
# _NET_FRAME_EXTENTS (left, right, top, bottom).
frame_geometry() {
    local extents left right top bottom x y w h
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2> /dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    [ -n "$extents" ] || return 1
    IFS=, read -r left right top bottom <<< "$extents"
    read -r x y w h <<< "$(geometry "$1")"
    [ -n "$h" ] || return 1
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# The window's WM_STATE as the window manager set it: Normal, Iconic, Withdrawn, or nothing.
wm_state() {
    xprop -id "$1" WM_STATE 2> /dev/null | sed -n 's/^[[:space:]]*window state: *//p'
}

state_is() {
    [ "$(wm_state "$1")" = "$2" ]
}

# Waits up to SECONDS until window ID's WM_STATE is STATE. Usage: wait_for_wm_state ID STATE SECONDS
wait_for_wm_state() {
    poll "$3" state_is "$1" "$2"
}

# True once window ID is managed, shown, framed and has kept its place for 0.2 s.
settled() {
    local before after
    state_is "$1" Normal || return 1
    xprop -id "$1" _NET_FRAME_EXTENTS 2> /dev/null | grep -q '=' || return 1
    before=$(geometry "$1") || return 1
    sleep 0.2
    after=$(geometry "$1") || return 1
    [ "$before" = "$after" ]
}

# True once the program's window titled exactly TITLE is framed and shown, its id in found_window;
# fails the test when the program has ended.
found_window=
window_settled() {
    program_gone && fail "the program ended before a window \"$1\" appeared"
    found_window=$(window_now "$1")
    [ -n "$found_window" ] && settled "$found_window"
}

# Stores in VAR the id of the program's window titled exactly TITLE once the window manager has
# framed and shown it; fails the test after SECONDS (10 by default).
# Usage: find_window VAR TITLE [SECONDS]
find_window() {
    local title=$2 seconds=${3:-10}
    poll "$seconds" window_settled "$title" || fail "no window titled \"$title\" within $seconds s"
    printf -v "$1" '%s' "$found_window"
}

# Stores in VAR_X and VAR_Y the screen's left and top of the content area of window ID, which
# must be WIDTH x HEIGHT: a menu bar, where there is one, lies above it in the client window.
# Usage: content_origin VAR_X VAR_Y ID WIDTH HEIGHT
content_origin() {
    local id=$3 width=$4 height=$5 x y w h
    read -r x y w h <<< "$(geometry "$id")"
    [ -n "$h" ] || fail "no geometry for window $id"
    [ "$w" = "$width" ] || fail "window $id is $w pixels wide, not $width"
    [ "$h" -ge "$height" ] || fail "window $id is $h pixels high, less than $height"
    printf -v "$1" '%s' "$x"
    printf -v "$2" '%s' "$((y + h - height))"
}

# Saves the whole screen as SHOTS/NAME.png.
screenshot() {
    import -window root "$shots/$1.png" 2> /dev/null || fail "could not take the screenshot $shots/$1.png"
}

# Cuts the rectangle WxH+X+Y out of IMAGE into OUT.
crop() {
    convert "$1" -crop "$2" +repage "$3" 2> /dev/null || fail "could not cut $2 out of $1"
}

# Stores in `differing` how many pixels of two images of one size differ. Images of two sizes
# fail the test.
differing=
count_differing() {
    differing=$(compare -metric AE "$1" "$2" null: 2>&1)
    [[ $differing =~ ^[0-9.e+]+$ ]] || fail "could not compare $1 with $2: $differing"
}

# Takes screenshots, saved as SHOTS/NAME.png, until the rectangle WxH+X+Y of the screen equals
# the image WANT ("same") or differs from it ("changed"), for up to SECONDS; succeeds when it
# did. `differing` holds the count of differing pixels of the last try.
# Usage: wait_for_region same|changed WANT RECT SECONDS NAME
wait_for_region() {
    poll "$4" region_is "$1" "$2" "$3" "$5"
}

# One try of wait_for_region. Usage: region_is same|changed WANT RECT NAME
region_is() {
    screenshot "$4"
    crop "$shots/$4.png" "$3" "$work/region.png"
    count_differing "$2" "$work/region.png"
    case $1 in
    same) [ "$differing" = 0 ] ;;
    changed) [ "$differing" != 0 ] ;;
    esac
}

# Saves the rectangle WxH+X+Y of the screen now as the image OUT, the screenshot as
# SHOTS/NAME.png. Usage: capture RECT OUT NAME
capture() {
    screenshot "$3"
    crop "$shots/$3.png" "$1" "$2"
}

# The id of the window that has the focus, as the window manager says it, in decimal.
active_window() {
    local active
    active=$(root_window_property _NET_ACTIVE_WINDOW)
    [ -n "$active" ] && echo $((active))
}

active_window_is() {
    [ "$(active_window)" = "$(($1))" ]
}

# Asks the window manager to give window ID the focus, as a click on its title would, and waits
# until it has. A request that a busy window manager let pass is made again, as a user clicks
# again.
activate() {
    local try
    for try in 1 2 3; do
        xdotool windowactivate "$1" 2> /dev/null
        poll 3 active_window_is "$1" && return 0
    done
    fail "window $1 did not get the focus within 9 s of three requests"
}

# The program's managed windows in the window manager's stacking order, bottom first, in decimal.
stacking() {
    local id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING 2> /dev/null | sed -n 's/.*window id # //p' | tr -d ','); do
        if xprop -id "$id" _NET_WM_PID 2> /dev/null | grep -q "= $pid\$"; then
            echo $((id))
        fi
    done
}

# The program's window on top of the others, as the window manager stacks them.
top_window() {
    stacking | tail -n 1
}

pointer_at() {
    [ "$(xdotool getmouselocation 2> /dev/null | sed -n 's/^x:\([0-9]*\) y:\([0-9]*\) .*/\1 \2/p')" = "$1 $2" ]
}

# Clicks the left button at the screen's X, Y. (xdotool's own --sync waits for a move, and
# for long when the pointer is there already.)
click_at() {
    xdotool mousemove "$1" "$2" 2> /dev/null || fail "could not move the pointer to $1, $2"
    poll 2 pointer_at "$1" "$2" || fail "the pointer did not reach $1, $2"
    xdotool click 1 2> /dev/null || fail "could not click at $1, $2"
}

# Presses keys, by xdotool's names, in the window that has the focus.
keys() {
    xdotool key "$@" 2> /dev/null || fail "could not press $*"
}

# Fails when the program's output holds a sanitizer's report.
check_no_sanitizer_report() {
    if sanitizer_reported; then
        fail "a sanitizer reported"
    fi
}

# Waits up to SECONDS for the program to end, then checks that it ended with STATUS and that no
# sanitizer reported. WHAT names what ended it. Usage: expect_exit STATUS SECONDS WHAT
expect_exit() {
    local want=$1 seconds=$2 what=$3
    poll "$seconds" program_gone || fail "the program was still running $seconds s after $what"
    reap
    [ "$exit_status" -eq "$want" ] || fail "the program exited with status $exit_status after $what, not $want"
    check_no_sanitizer_report
}

# Fails unless the program still runs; WHAT says when.
expect_running() {
    program_gone && fail "the program ended $1"
    return 0
}

# Quits with Ctrl+Q in window ID, as a user would: status 0, no sanitizer report.
quit_with_ctrl_q() {
    activate "$1"
    keys ctrl+q
    expect_exit 0 5 "Ctrl+Q"
}

# Ends the test as passed, with a last word.
pass() {
    echo "$tool: passed: $*"
    desktop_cleanup
    trap - EXIT
    exit 0
}
