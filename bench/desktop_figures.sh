#!/usr/bin/env bash
# The real program on a virtual X display, as a user runs it: the CPU share while it stands idle,
# the default flight (1 m Dirty Snow Ball from the Oort cloud at 35 degrees: 7,059 steps and one
# pause of 8 ticks) from Return to its outcome message, with its pace and CPU share, and the About
# window's trail. CPU time is read from the kernel's account of every thread of the process.
# Needs xvfb-run, xdotool, bc and, for "openbox", openbox.
# Usage: bench/desktop_figures.sh PROGRAM [openbox|bare] [DEPTH]
set -u

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: $0 PROGRAM [openbox|bare] [DEPTH]" >&2
    exit 2
fi
program=$1
desktop=${2:-openbox}
depth=${3:-24}
steps=7059
pause_seconds=$(echo "8 / 60" | LC_ALL=C bc -l)

if [ -z "${QUENDAL_FIGURES_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x$depth" env QUENDAL_FIGURES_DISPLAY=1 bash "$0" "$@"
fi
export LC_ALL=C
export QT_QPA_PLATFORM=xcb

if [ "$desktop" = openbox ]; then
    openbox > /dev/null 2>&1 &
    sleep 1
fi
"$program" > /dev/null 2>&1 &
pid=$!
trap 'kill $pid 2> /dev/null' EXIT

# Nanoseconds on the CPU, all threads of the program together.
cpu_ns() {
    cat /proc/$pid/task/*/schedstat 2> /dev/null | awk '{ sum += $1 } END { printf "%.0f\n", sum }'
}
# Without a process of its own: the flight's poll asks every 5 ms.
now_ns() {
    echo "${EPOCHREALTIME/./}000"
}
# Gives window ID the keyboard, as a click on its title would.
focus() {
    xdotool windowactivate --sync "$1" 2> /dev/null || xdotool windowfocus --sync "$1"
}
share() {
    echo "($2 - $1) / ($4 - $3)" | bc -l | xargs printf "%.4f\n"
}

main=""
for _ in $(seq 1 100); do
    main=$(xdotool search --onlyvisible --name '^Vuredo$' 2> /dev/null | head -n 1)
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || { echo "the main window did not come up" >&2; exit 1; }
sleep 1

c0=$(cpu_ns); t0=$(now_ns); sleep 2; c1=$(cpu_ns); t1=$(now_ns)
echo "idle_cpu_share: $(share "$c0" "$c1" "$t0" "$t1")"

focus "$main"
c0=$(cpu_ns); t0=$(now_ns)
xdotool key Return
box=""
while [ -z "$box" ]; do
    box=$(xdotool search --onlyvisible --name '^Quendal$' 2> /dev/null | head -n 1)
    [ -n "$box" ] || sleep 0.005
    [ $(( ($(now_ns) - t0) / 1000000000 )) -lt 60 ] || { echo "no outcome within 60 s" >&2; exit 1; }
done
c1=$(cpu_ns); t1=$(now_ns)
wall=$(echo "($t1 - $t0) / 1000000000" | bc -l)
echo "flight_seconds: $(printf "%.3f" "$wall")"
echo "steps_per_second: $(echo "$steps / ($wall - $pause_seconds)" | bc -l | xargs printf "%.1f")"
echo "steps_per_second_with_pause: $(echo "$steps / $wall" | bc -l | xargs printf "%.1f")"
echo "flight_cpu_share: $(share "$c0" "$c1" "$t0" "$t1")"

# OK, back to the idle window; Stop; then the About command and its trail of 84 ticks.
focus "$box"
xdotool key Return
sleep 0.5
focus "$main"
c0=$(cpu_ns); t0=$(now_ns)
xdotool key alt+h Return
sleep 1.5
c1=$(cpu_ns); t1=$(now_ns)
echo "about_cpu_share: $(share "$c0" "$c1" "$t0" "$t1")"
xdotool key ctrl+q
wait $pid
