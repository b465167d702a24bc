#!/usr/bin/env bash
# How the program's windows behave under a window manager (openbox) on a virtual X display,
# checked on the screen and in the window manager's view. One case a run:
#   diagram_above_after_click  the diagram stays above the main window: after a click on the main
#                              window's canvas and right after Start, its canvas shows exactly its
#                              backdrop
#   switch_restores_diagram    under jwm, which minimises the diagram alone: the diagram's switch
#                              brings the minimised diagram back
#   restore_keeps_plot         under openbox, which minimises the main window with the diagram
#                              above it: both restored, the diagram still shows what it plotted
#   about_restores_about       Help > About Quendal brings the minimised About window back
#   message_box_modal          while the outcome message is up, clicks on the main window and the
#                              diagram do nothing and the message stays on top
#   close_main_during_run      the main window's close button during a flight stops it; a new,
#                              idle main window comes up beside the diagram, and the program runs on
#   close_diagram              the diagram's close button closes it and unticks its switch
#   close_about                the About window's close button closes it
#   diagram_centred            the diagram comes up centred on the screen
# Usage: desktop_windows.sh PROGRAM LAYOUT_TOOL SHOTS_FOLDER CASE
set -u
tool="desktop ${4:-}"
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/quendal_windows.sh"

take_case_arguments case "$@"
resources="$(dirname "$program")/../Resources"

enter_display 24 1280x1024 "$@"
prepare "$shots_folder"
read_layout "$layout_tool"
# openbox minimises a window's family with it: the diagram takes the main window along. jwm
# minimises one window alone, which the switch needs.
if [ "$case" = switch_restores_diagram ]; then
    start_window_manager jwm
else
    start_window_manager openbox
fi
start_program "$program"
find_main_windows

# The diagram's canvas on the screen, and the picture that it shows while nothing is plotted.
on_screen diagram_canvas_rect "$diagram_canvas" "$diagram_x" "$diagram_y"
backdrop="$work/space2.png"
convert "png:$resources/space2.pct" "$backdrop" 2> /dev/null || fail "could not read $resources/space2.pct"

# The program's windows, bottom first, by name, for messages.
stack_names() {
    local id names=
    for id in $(stacking); do
        case $id in
        $((main))) names+=" main" ;;
        $((diagram))) names+=" diagram" ;;
        *) names+=" $(xdotool getwindowname "$id" 2> /dev/null)" ;;
        esac
    done
    echo "${names# }"
}

# True when window UPPER lies above window LOWER.
above() {
    stacking | sed -n "/^$(($2))\$/,\$p" | grep -qx "$(($1))"
}

# Fails unless the diagram's canvas shows exactly its backdrop within SECONDS, the screenshot
# saved as NAME; WHEN says when, WHY what a difference means.
# Usage: expect_bare_diagram SECONDS NAME WHEN WHY
expect_bare_diagram() {
    wait_for_region same "$backdrop" "$diagram_canvas_rect" "$1" "$2" \
        || fail "$3, the diagram's canvas differs from its backdrop in $differing pixels: $4 (stacking, bottom first: $(stack_names); screenshot: $shots/$2.png)"
}

# Fails unless the diagram and the main window are in the window manager's states DIAGRAM and
# MAIN (Normal, Iconic); WHEN says when. Usage: expect_wm_states WHEN DIAGRAM MAIN
expect_wm_states() {
    state_is "$diagram" "$2" && state_is "$main" "$3" \
        || fail "$1, the diagram is $(wm_state "$diagram") and the main window $(wm_state "$main"), not $2 and $3: the case cannot test what it names"
}

# How many pixels of the diagram's canvas differ from its backdrop, in `plotted`, its picture
# in plot-last.png of the scratch folder. Usage: count_plotted
plotted=
count_plotted() {
    capture "$diagram_canvas_rect" "$work/plot-now.png" plot
    count_differing "$backdrop" "$work/plot-now.png"
    plotted=$differing
}

# True once at least COUNT pixels of the diagram's canvas are plotted.
plotted_at_least() {
    count_plotted
    cp "$work/plot-now.png" "$work/plot-last.png"
    [ "$plotted" -ge "$1" ]
}

# True when the diagram's canvas shows what it showed at the last look.
plot_still() {
    cp "$work/plot-last.png" "$work/plot-previous.png"
    count_plotted
    cp "$work/plot-now.png" "$work/plot-last.png"
    count_differing "$work/plot-previous.png" "$work/plot-now.png"
    [ "$differing" = 0 ]
}

# Starts the default flight with a click on Start; fails unless the Start button changes.
click_start() {
    local start
    on_screen start "$start_button" "$main_x" "$main_y"
    capture "$start" "$work/start-idle.png" before-start
    click_control "$start_button" "$main_x" "$main_y"
    wait_for_region changed "$work/start-idle.png" "$start" 3 after-start \
        || fail "a click on Start started no flight (screenshot: $shots/after-start.png)"
}

# True once a main window other than old_main is up.
new_main_window() {
    local id
    id=$(window_now Vuredo)
    [ -n "$id" ] && [ "$id" != "$old_main" ]
}

# After a click while the outcome message is up: the region REGION (saved as NAME-before.png)
# looks as before, in a screenshot SHOT, and the message is still on top.
expect_unchanged_under_box() {
    local region=$1 name=$2 shot=$3 what=$4 where=$5
    sleep 0.5
    capture "$region" "$work/$name-after.png" "$shot"
    count_differing "$work/$name-before.png" "$work/$name-after.png"
    [ "$differing" = 0 ] \
        || fail "a click on $what changed it while the outcome message was up (screenshots: $shots/message-up.png, $shots/$shot.png)"
    [ "$(top_window)" = "$((box))" ] \
        || fail "after a click on $where the outcome message is no longer on top (stacking, bottom first: $(stack_names))"
}

case $case in
diagram_above_after_click)
    expect_bare_diagram 5 start-up "at start-up" "it does not show its backdrop"
    click_main_canvas
    poll 3 active_window_is "$main" || fail "a click on the main window's canvas gave it no focus"
    # Let the window manager restack and the program answer before looking.
    sleep 0.5
    expect_bare_diagram 2 after-click "after a click on the main window's canvas" "it is not on top"
    clicked=$(now_us)
    click_start
    # The diagram plots nothing in the flight's first seconds (about 4): looks later than 3 s
    # after the click could not tell a plot from a window on top.
    sleep 0.3
    if ! wait_for_region same "$backdrop" "$diagram_canvas_rect" 1 after-start; then
        [ $(($(now_us) - clicked)) -lt 3000000 ] \
            || skip "the looks at the diagram after Start ended only $((($(now_us) - clicked) / 1000)) ms after the click, when the flight may plot"
        fail "right after Start, the diagram's canvas differs from its backdrop in $differing pixels: it is not on top (stacking, bottom first: $(stack_names); screenshot: $shots/after-start.png)"
    fi
    quit_with_ctrl_q "$main"
    pass "the diagram stayed above the main window"
    ;;

switch_restores_diagram)
    xdotool windowminimize "$diagram" 2> /dev/null || fail "could not minimise the diagram"
    wait_for_wm_state "$diagram" Iconic 3 || fail "the diagram is $(wm_state "$diagram"), not Iconic, after minimising it"
    # Only the switch may bring the diagram back, and it must be clickable.
    expect_wm_states "with the diagram minimised" Iconic Normal
    # jwm hands the focus to the main window. Asking it to activate that window would bring back
    # the diagram too, which is transient for it; a click in the focused window is only a click.
    poll 3 active_window_is "$main" || fail "the main window did not get the focus within 3 s of the diagram's minimising"
    expect_wm_states "before the click on the switch" Iconic Normal
    click_control "$switch_box" "$main_x" "$main_y"
    wait_for_wm_state "$diagram" Normal 3 \
        || fail "the diagram stayed $(wm_state "$diagram") for 3 s after a click on its switch, not Normal"
    quit_with_ctrl_q "$main"
    pass "the switch brought the minimised diagram back"
    ;;

restore_keeps_plot)
    # The default flight plots a few hundred pixels in the diagram and ends in about 10 s with
    # its outcome message; once that is closed, the plot stays as it is.
    activate "$main"
    click_start
    wait_for_message_box box 40
    activate "$box"
    keys Return
    poll 3 window_closed Quendal || fail "Return did not close the outcome message"
    poll 5 plotted_at_least 100 || fail "the diagram shows $plotted plotted pixels after a whole flight, not 100 (screenshot: $shots/plot.png)"
    poll 5 plot_still || fail "the diagram's plot went on changing for 5 s after the flight (screenshot: $shots/plot.png)"
    plotted_before=$plotted
    cp "$work/plot-last.png" "$work/plot-before.png"
    xdotool windowminimize "$diagram" 2> /dev/null || fail "could not minimise the diagram"
    wait_for_wm_state "$diagram" Iconic 3 || fail "the diagram is $(wm_state "$diagram"), not Iconic, after minimising it"
    wait_for_wm_state "$main" Iconic 3 \
        || fail "the main window is $(wm_state "$main"), not Iconic, with the diagram minimised: openbox no longer minimises the family, which this case needs"
    xdotool windowactivate "$main" 2> /dev/null || fail "could not ask the window manager to bring back the main window"
    wait_for_wm_state "$main" Normal 3 || fail "the main window stayed $(wm_state "$main") for 3 s after it was activated, not Normal"
    wait_for_wm_state "$diagram" Normal 3 || fail "the diagram stayed $(wm_state "$diagram") for 3 s after the main window came back, not Normal"
    activate "$diagram"
    wait_for_region same "$work/plot-before.png" "$diagram_canvas_rect" 3 after-restore \
        || fail "after both windows came back, the diagram's canvas differs in $differing pixels from what it showed before, with $plotted_before pixels plotted: its plot was lost (screenshots: $shots/plot.png, $shots/after-restore.png)"
    quit_with_ctrl_q "$main"
    pass "the diagram kept its $plotted_before plotted pixels through minimising and restoring"
    ;;

about_restores_about)
    open_about
    find_window about 'About Quendal'
    content_origin about_x about_y "$about" "$about_width" "$about_height"
    wait_for_about_animation_end
    xdotool windowminimize "$about" 2> /dev/null || fail "could not minimise the About window"
    wait_for_wm_state "$about" Iconic 3 || fail "the About window is $(wm_state "$about"), not Iconic, after minimising it"
    # Only the command may bring it back. The focus goes back to the main window by itself; an
    # activation through the window manager may bring back the About window too.
    poll 3 active_window_is "$main" || fail "the main window did not get the focus within 3 s of the About window's minimising"
    state_is "$about" Iconic \
        || fail "the About window is $(wm_state "$about") once the main window has the focus, before Help > About Quendal: the case cannot test what it names"
    open_about
    wait_for_wm_state "$about" Normal 3 \
        || fail "the About window stayed $(wm_state "$about") for 3 s after Help > About Quendal, not Normal"
    quit_with_ctrl_q "$main"
    pass "the About command brought the minimised About window back"
    ;;

message_box_modal)
    start_short_flight
    # The diagram in front, where its Grid check box can be clicked.
    activate "$diagram"
    wait_for_message_box box 30
    [ "$(top_window)" = "$((box))" ] || fail "the outcome message is not on top when it comes up (stacking, bottom first: $(stack_names))"
    on_screen grid "$grid_box" "$diagram_x" "$diagram_y"
    on_screen stop "$stop_button" "$main_x" "$main_y"
    capture "$grid" "$work/grid-before.png" message-up
    crop "$shots/message-up.png" "$stop" "$work/stop-before.png"
    centre_of grid_x grid_y "$grid"
    if inside_frame "$grid_x" "$grid_y" "$box" || ! above "$diagram" "$main"; then
        fail "the diagram's Grid check box is hidden at $grid_x, $grid_y (stacking, bottom first: $(stack_names); screenshot: $shots/message-up.png)"
    fi
    click_at "$grid_x" "$grid_y"
    expect_unchanged_under_box "$grid" grid after-grid-click "the diagram's Grid check box" "the diagram"
    click_control "$stop_button" "$main_x" "$main_y"
    expect_unchanged_under_box "$stop" stop after-stop-click "the main window's Stop" "the main window"
    [ "$(window_now Quendal)" = "$((box))" ] || fail "the outcome message went away without OK"
    activate "$box"
    keys Return
    poll 3 window_closed Quendal || fail "Return did not close the outcome message"
    quit_with_ctrl_q "$main"
    pass "the outcome message stayed on top and took every click"
    ;;

close_main_during_run)
    activate "$main"
    on_screen start "$start_button" "$main_x" "$main_y"
    on_screen stop "$stop_button" "$main_x" "$main_y"
    capture "$start" "$work/start-idle.png" idle
    crop "$shots/idle.png" "$stop" "$work/stop-idle.png"
    clicked=$(now_us)
    # The Start button's change shows the flight running; the close follows at once.
    click_start
    started=$(now_us)
    wmctrl -i -c "$main" || fail "wmctrl could not ask the window manager to close the main window"
    # The flight plots from about 4 s after Start: a close that went in later could not tell.
    [ $(($(now_us) - clicked)) -lt 3000000 ] \
        || skip "the main window's close went in only $((($(now_us) - clicked) / 1000)) ms after the click on Start, when the flight may plot"
    old_main=$main
    poll 5 new_main_window || fail "no new main window came up within 5 s of closing the main window during a flight"
    find_window main 'Vuredo'
    expect_running "after its main window was closed during a flight"
    content_origin main_x main_y "$main" "$main_width" "$main_height"
    activate "$main"
    on_screen start "$start_button" "$main_x" "$main_y"
    on_screen stop "$stop_button" "$main_x" "$main_y"
    wait_for_region same "$work/start-idle.png" "$start" 3 new-main \
        || fail "the new main window's Start button differs from an idle one in $differing pixels (screenshots: $shots/idle.png, $shots/new-main.png)"
    crop "$shots/new-main.png" "$stop" "$work/stop-now.png"
    count_differing "$work/stop-idle.png" "$work/stop-now.png"
    [ "$differing" = 0 ] \
        || fail "the new main window's Stop button is not disabled as in an idle window (screenshots: $shots/idle.png, $shots/new-main.png)"
    [ "$(wm_state "$diagram")" = Normal ] || fail "the diagram is $(wm_state "$diagram") after the main window closed, not Normal"
    # A flight that ran on would plot in the diagram from about 4 s after Start: at 6 s, in
    # front, it must still show its bare backdrop.
    rest=$((6000000 - ($(now_us) - started)))
    [ $rest -le 0 ] || sleep "$((rest / 1000000)).$(printf '%06d' $((rest % 1000000)))"
    activate "$diagram"
    expect_bare_diagram 1 six-seconds-after-start "6 s after Start, the main window closed within 3 s of it" "the flight ran on"
    quit_with_ctrl_q "$main"
    pass "closing the main window stopped the flight and brought a new idle main window"
    ;;

close_diagram)
    # The switch's look ticked and unticked, toggled by clicks, the main window active.
    on_screen switch "$switch_box" "$main_x" "$main_y"
    click_control "$switch_box" "$main_x" "$main_y"
    activate "$main"
    sleep 0.3
    capture "$switch" "$work/unticked.png" switch-unticked
    click_control "$switch_box" "$main_x" "$main_y"
    activate "$main"
    wait_for_region changed "$work/unticked.png" "$switch" 2 switch-ticked \
        || fail "a second click on the diagram's switch did not tick it again"
    wmctrl -i -c "$diagram" || fail "wmctrl could not ask the window manager to close the diagram"
    poll 3 window_closed 'V/h Diagram' || fail "the diagram was still open 3 s after its close button"
    activate "$main"
    wait_for_region same "$work/unticked.png" "$switch" 2 after-close \
        || fail "the diagram's switch does not look unticked after the diagram closed: $differing pixels differ (screenshots: $shots/switch-unticked.png, $shots/after-close.png)"
    quit_with_ctrl_q "$main"
    pass "the diagram's close button closed it and unticked its switch"
    ;;

close_about)
    open_about
    find_window about 'About Quendal'
    content_origin about_x about_y "$about" "$about_width" "$about_height"
    wait_for_about_animation_end
    wmctrl -i -c "$about" || fail "wmctrl could not ask the window manager to close the About window"
    poll 3 window_closed 'About Quendal' || fail "the About window was still open 3 s after its close button"
    expect_running "when its About window closed"
    quit_with_ctrl_q "$main"
    pass "the About window's close button closed it"
    ;;

diagram_centred)
    # Centred is the content area, in the middle of the screen's available area as the window
    # manager gives it: that is what the program can place before the window manager has
    # framed the window, and what the framework guide promises. The title bar then lies above,
    # so the frame as a whole sits half a title bar higher. Within 2 pixels.
    read -r area_x area_y area_width area_height _ <<< "$(xprop -root _NET_WORKAREA 2> /dev/null | sed -n 's/.*= *//p' | tr -d ',')"
    [ -n "$area_height" ] || fail "the window manager gives no available area (_NET_WORKAREA)"
    # Twice the offsets, to stay in whole numbers.
    dx=$((2 * (diagram_x - area_x) + diagram_width - area_width))
    dy=$((2 * (diagram_y - area_y) + diagram_height - area_height))
    read -r fx fy fw fh <<< "$(frame_geometry "$diagram")"
    screenshot start-up
    if [ "${dx#-}" -gt 4 ] || [ "${dy#-}" -gt 4 ]; then
        fail "the diagram's content ${diagram_width}x${diagram_height}+${diagram_x}+${diagram_y} lies $((dx / 2)), $((dy / 2)) pixels from the centre of the available area ${area_width}x${area_height}+${area_x}+${area_y}, not within 2 (its frame: ${fw}x${fh}+${fx}+${fy}; screenshot: $shots/start-up.png)"
    fi
    quit_with_ctrl_q "$main"
    pass "the diagram's content came up centred"
    ;;

*)
    fail "there is no case \"$case\""
    ;;
esac
