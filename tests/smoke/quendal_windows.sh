# Sourced by the desktop tests after desktop.sh: where Quendal's windows keep their controls and
# how a user works them. Places are in a window's content coordinates, from the property lists
# in src/main_window, src/diagram and src/about.

# The main window "Vuredo": 639 x 500 below its menu bar.
main_width=639
main_height=500
start_button="60x20+566+14"
stop_button="60x20+566+43"
switch_box="17x18+13+54"          # CheckBoxvh, ticked at start
type_menu_left=0                  # PopupMenuType: 143 wide, 4 rows, its top at 473
type_menu_width=143
origin_menu_left=156              # PopupMenuOrigin: 191 wide, 6 rows
origin_menu_width=191
menus_top=473
diameter_field="60x22+553+435"
# A point of the canvas under no control, hidden ones included, and right of the diagram as it
# comes up, centred on a screen 1280 wide.
free_point_x=520
free_point_y=250

# The diagram "V/h Diagram": 262 x 296, no menu bar.
diagram_width=262
diagram_height=296
diagram_canvas="261x263+1+33"     # Canvas1, its backdrop space2.pct exactly as large
grid_box="80x13+151+8"            # CheckBoxGrid, unticked at start

# The About window "About Quendal": 337 x 290, no menu bar. Its canvas, at -1, -3 of the content,
# ends its opening animation with two pictures, the meteor avpuku.gif at 200, 64 and then the
# badge madewZov.pct at 10, 230. Of each, a part that nothing else covers, in the picture, and
# where it lies in the content.
about_width=337
about_height=290
about_meteor_part="85x80+35+0"    # right of the credit line, which covers the meteor's left
about_meteor_at="234 61"
about_badge_part="130x30+10+10"   # inside its see-through corners
about_badge_at="19 237"

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
    local x=$((main_x + free_point_x)) y=$((main_y + free_point_y))
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

# Opens the pop-up menu at content LEFT (WIDTH wide) of the main window with the mouse and
# clicks row ROW (from 0) of its ROWS in the list that opens.
# Usage: choose_row LEFT WIDTH ROW ROWS
choose_row() {
    local left=$1 width=$2 row=$3 rows=$4 list x y w h
    click_at $((main_x + left + width / 2)) $((main_y + menus_top + 7))
    poll 3 popup_open || fail "the pop-up menu at $left, $menus_top opened no list within 3 s"
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
    choose_row "$type_menu_left" "$type_menu_width" 3 4
    click_control "$start_button" "$main_x" "$main_y"
}

# Stores in VAR the outcome message box once it is up, within SECONDS. (A pop-up menu's list
# bears the same title, but the window manager never shows it as a window of its own.)
# Usage: wait_for_message_box VAR SECONDS
wait_for_message_box() {
    find_window "$1" 'Quendal' "$2"
}
