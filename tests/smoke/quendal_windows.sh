# Sourced by the desktop tests after desktop.sh: where Quendal's windows keep their controls and
# how a user works them. Places are in a window's content coordinates, WxH+X+Y.

# The windows' sizes and their controls' places come from the program's own windows:
# read_layout runs quendal-layout (tests/smoke/layout), which opens them on the offscreen platform
# and prints each window's content size and each control's place. What it sets:
#   main_width, main_height      the main window "Vuredo", below its menu bar
#   start_button, stop_button    PushButtonStart, PushButtonStopp
#   switch_box                   CheckBoxvh, ticked at start
#   type_menu, type_menu_rows    PopupMenuType and its number of rows; origin_menu likewise
#   diameter_field               EditFieldDia
#   diagram_width, diagram_height, diagram_canvas, grid_box
#                                the diagram "V/h Diagram", its Canvas1 (which its backdrop
#                                space2.pct fills exactly) and CheckBoxGrid, unticked at start
#   about_width, about_height    the About window "About Quendal"
#   about_meteor_at, about_badge_at
#                                where the parts below lie in the About window's content
# and layout_WINDOW_CONTROL for every control, layout_controls the names of them all.

# What is no control's place stays here. A point of the main window's canvas under no control,
# hidden ones included (click_main_canvas checks that against the layout), and right of the
# diagram as it comes up, centred on a screen 1280 wide: a choice of the tests.
free_point_x=520
free_point_y=250
# The About window's canvas ends its opening animation with two pictures, which its Paint draws
# (src/about, Canvas1_Paint) at places of the code's own: the meteor avpuku.gif at 200, 64 and
# then the badge madewZov.pct at 10, 230 of the canvas. Of each, a part that nothing else
# covers, in the picture.
about_meteor_drawn_at="200 64"
about_meteor_part="85x80+35+0"    # right of the credit line, which covers the meteor's left
about_badge_drawn_at="10 230"
about_badge_part="130x30+10+10"   # inside its see-through corners

layout_controls=()

# Stores in VAR the value that the layout gives NAME (WINDOW_CONTROL, WINDOW_width, ...); fails
# when it gives none. Usage: layout_value VAR NAME
layout_value() {
    local stored="layout_$2"
    [ -n "${!stored-}" ] || fail "the program's layout names no $2 (quendal-layout's output: $work/layout)"
    printf -v "$1" '%s' "${!stored}"
}

# Reads the layout from the program's windows with TOOL (quendal-layout) and sets the variables
# above. Needs the scratch folder (prepare). Usage: read_layout TOOL
read_layout() {
    local line name value x y part_var drawn_var part_x part_y drawn_x drawn_y
    "$1" > "$work/layout" 2> "$work/layout.log" \
        || { cat "$work/layout.log" >&2; fail "$1 could not read the program's layout"; }
    while IFS= read -r line; do
        name=${line%%=*} value=${line#*=}
        [[ $line == *=* && $name =~ ^[A-Za-z][A-Za-z0-9_]*$ && $value =~ ^(-?[0-9]+|[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+)$ ]] \
            || fail "quendal-layout wrote a line that is no layout: \"$line\""
        printf -v "layout_$name" '%s' "$value"
        [[ $value == *x* ]] && layout_controls+=("$name")
    done < "$work/layout"
    layout_value main_width Window1_width
    layout_value main_height Window1_height
    layout_value start_button Window1_PushButtonStart
    layout_value stop_button Window1_PushButtonStopp
    layout_value switch_box Window1_CheckBoxvh
    layout_value type_menu Window1_PopupMenuType
    layout_value type_menu_rows Window1_PopupMenuType_rows
    layout_value origin_menu Window1_PopupMenuOrigin
    layout_value origin_menu_rows Window1_PopupMenuOrigin_rows
    layout_value diameter_field Window1_EditFieldDia
    layout_value diagram_width Dialog1_width
    layout_value diagram_height Dialog1_height
    layout_value diagram_canvas Dialog1_Canvas1
    layout_value grid_box Dialog1_CheckBoxGrid
    layout_value about_width AboutWindow_width
    layout_value about_height AboutWindow_height
    # A picture's part lies in the content at the canvas's corner, plus where the picture is
    # drawn on the canvas, plus where the part lies in the picture.
    layout_value about_canvas AboutWindow_Canvas1
    corner_of x y "$about_canvas"
    for name in meteor badge; do
        part_var="about_${name}_part" drawn_var="about_${name}_drawn_at"
        corner_of part_x part_y "${!part_var}"
        read -r drawn_x drawn_y <<< "${!drawn_var}"
        printf -v "about_${name}_at" '%s %s' $((x + drawn_x + part_x)) $((y + drawn_y + part_y))
    done
}

# The corner of a rectangle WxH+X+Y. Usage: corner_of VAR_X VAR_Y RECT
corner_of() {
    local rest=${3#*+}
    printf -v "$1" '%s' "$((${rest%%+*}))"
    printf -v "$2" '%s' "$((${rest#*+}))"
}

# Stores in VAR the name of the first control of WINDOW (Window1, Dialog1, AboutWindow), other
# than EXCEPT, whose place overlaps RECT; nothing when none does.
# Usage: control_over VAR WINDOW RECT EXCEPT
control_over() {
    local name size rect x y w h cx cy cw ch
    printf -v "$1" '%s' ""
    size=${3%%+*}
    w=${size%%x*} h=${size#*x}
    corner_of x y "$3"
    for name in "${layout_controls[@]}"; do
        [[ $name == "$2"_* && $name != "$2_$4" ]] || continue
        rect="layout_$name"
        size=${!rect%%+*}
        cw=${size%%x*} ch=${size#*x}
        corner_of cx cy "${!rect}"
        if [ "$x" -lt $((cx + cw)) ] && [ "$cx" -lt $((x + w)) ] && [ "$y" -lt $((cy + ch)) ] && [ "$cy" -lt $((y + h)) ]; then
            printf -v "$1" '%s' "${name#"$2"_}"
            return 0
        fi
    done
}

# A rectangle WxH+X+Y of a window's content, moved to the screen by the content's corner.
# Usage: on_screen VAR RECT CONTENT_X CONTENT_Y
on_screen() {
    local size=${2%%+*} rest=${2#*+}
    printf -v "$1" '%s+%s+%s' "$size" "$((${rest%%+*} + $3))" "$((${rest#*+} + $4))"
}

# The centre of a rectangle WxH+X+Y, on the screen. Usage: centre_of VAR_X VAR_Y RECT
centre_of() {
    local size=${3%%+*} rest=${3#*+}
    printf -v "$1" '%s' "$((${rest%%+*} + ${size%%x*} / 2))"
    printf -v "$2" '%s' "$((${rest#*+} + ${size#*x} / 2))"
}

# Finds the main window and the diagram, as they come up: sets main, diagram, main_x, main_y
# (the main window's content corner on the screen), diagram_x and diagram_y.
find_main_windows() {
    find_window main 'Vuredo'
    find_window diagram 'V/h Diagram'
    content_origin main_x main_y "$main" "$main_width" "$main_height"
    content_origin diagram_x diagram_y "$diagram" "$diagram_width" "$diagram_height"
}

# True when the screen's X, Y lies inside the frame of window ID.
inside_frame() {
    local fx fy fw fh
    read -r fx fy fw fh <<< "$(frame_geometry "$3")"
    [ -n "$fh" ] && [ "$1" -ge "$fx" ] && [ "$1" -lt $((fx + fw)) ] && [ "$2" -ge "$fy" ] && [ "$2" -lt $((fy + fh)) ]
}

# Clicks the main window's canvas where no control and no other window lies.
click_main_canvas() {
    local x=$((main_x + free_point_x)) y=$((main_y + free_point_y)) control
    control_over control Window1 "1x1+$free_point_x+$free_point_y" Canvas1
    [ -z "$control" ] || fail "$control lies over the point of the main window's canvas that is to be clicked ($free_point_x, $free_point_y)"
    if inside_frame "$x" "$y" "$diagram"; then
        fail "the diagram lies over the point of the main window's canvas that is to be clicked ($x, $y)"
    fi
    click_at "$x" "$y"
}

# Clicks the centre of RECT of the window whose content corner is at X, Y.
# Usage: click_control RECT X Y
click_control() {
    local rect cx cy
    on_screen rect "$1" "$2" "$3"
    centre_of cx cy "$rect"
    click_at "$cx" "$cy"
}

# Prints the id of the program's open pop-up (a menu, or a pop-up menu's list): a viewable
# window that the window manager does not manage.
popup_now() {
    local id
    for id in $(xwininfo -root -children 2> /dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        xprop -id "$id" _NET_WM_PID 2> /dev/null | grep -q "= $pid\$" || continue
        xwininfo -id "$id" 2> /dev/null | grep -q 'Override Redirect State: yes' || continue
        xwininfo -id "$id" 2> /dev/null | grep -q 'Map State: IsViewable' || continue
        echo "$id"
        return 0
    done
    return 1
}

popup_open() {
    [ -n "$(popup_now)" ]
}

popup_closed() {
    [ -z "$(popup_now)" ]
}

# Opens the main window's pop-up menu at RECT with the mouse and clicks row ROW (from 0) of its
# ROWS in the list that opens. Usage: choose_row RECT ROW ROWS
choose_row() {
    local row=$2 rows=$3 list x y w h
    click_control "$1" "$main_x" "$main_y"
    poll 3 popup_open || fail "the pop-up menu at $1 opened no list within 3 s"
    list=$(popup_now)
    read -r x y w h <<< "$(geometry "$list")"
    click_at $((x + w / 2)) $((y + h * (2 * row + 1) / (2 * rows)))
    poll 3 popup_closed || fail "the pop-up menu's list stayed open after a click on row $row"
}

# Types TEXT into the diameter field, replacing its text.
type_diameter() {
    click_control "$diameter_field" "$main_x" "$main_y"
    keys ctrl+a
    xdotool type --delay 20 "$1" 2> /dev/null || fail "could not type $1"
}

# The parts of the About window's last two pictures, from the program's Resources, as
# about-meteor.png and about-badge.png in the scratch folder.
cut_about_pictures() {
    local resources
    resources="$(dirname "$program")/../Resources"
    convert "$resources/avpuku.gif[0]" -crop "$about_meteor_part" +repage "$work/about-meteor.png" 2> /dev/null \
        || fail "could not read $resources/avpuku.gif"
    convert "png:$resources/madewZov.pct" -crop "$about_badge_part" +repage -alpha off "$work/about-badge.png" 2> /dev/null \
        || fail "could not read $resources/madewZov.pct"
}

# True when IMAGE, in which the About window's content has its corner at X, Y, shows both
# pictures that end its opening animation (cut_about_pictures first).
# Usage: about_pictures_in IMAGE X Y
about_pictures_in() {
    local part part_var at_var px py rect
    for part in meteor badge; do
        part_var="about_${part}_part" at_var="about_${part}_at"
        read -r px py <<< "${!at_var}"
        on_screen rect "${!part_var%%+*}+$px+$py" "$2" "$3"
        crop "$1" "$rect" "$work/about-$part-now.png"
        count_differing "$work/about-$part.png" "$work/about-$part-now.png"
        [ "$differing" = 0 ] || return 1
    done
}

# True when the screen shows the About window (its content at about_x, about_y) with both.
about_pictures_shown() {
    screenshot about-animation
    about_pictures_in "$shots/about-animation.png" "$about_x" "$about_y"
}

# Waits until the About window (about, its content at about_x, about_y) has drawn its opening
# animation to the end, as the pictures of the program's Resources show it; fails after SECONDS
# (10 by default).
wait_for_about_animation_end() {
    local seconds=${1:-10}
    cut_about_pictures
    poll "$seconds" about_pictures_shown \
        || fail "the About window did not draw the last pictures of its animation within $seconds s: $differing pixels differ (screenshot: $shots/about-animation.png)"
}

# Chooses Help > About Quendal in the main window with the keyboard; about_chosen is the moment
# (now_us) just before the Return that chose it. The menu may still be up.
about_chosen=
choose_about() {
    # An activation through the window manager may bring back more than the focus.
    active_window_is "$main" || activate "$main"
    keys alt+h
    poll 3 popup_open || fail "Alt+H opened no menu within 3 s"
    about_chosen=$(now_us)
    keys Return
}

# The same, once the menu has closed.
open_about() {
    choose_about
    poll 3 popup_closed || fail "the Help menu stayed open after Return"
}

# A flight that ends in a few seconds: 100 m of iron from the default origin strikes the
# ground and explodes about 5 s after Start. Sets the inputs with the mouse and the keyboard
# and clicks Start.
start_short_flight() {
    type_diameter 100
    choose_row "$type_menu" 3 "$type_menu_rows"
    click_control "$start_button" "$main_x" "$main_y"
}

# Stores in VAR the outcome message box once it is up, within SECONDS. (A pop-up menu's list
# bears the same title, but the window manager never shows it as a window of its own.)
# Usage: wait_for_message_box VAR SECONDS
wait_for_message_box() {
    find_window "$1" 'Quendal' "$2"
}
