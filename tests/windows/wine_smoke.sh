#!/usr/bin/env bash
# velmora.exe under Wine, from a test velmora.ini, while the machine is kept
# busy: it shows the main bar and the CPU modules shaped and layered, fades
# when the mouse is away and wakes when it comes back, and ends with 0 when
# --run-for or the end of the session comes while the main bar is held in
# the system's move loop. (Drags and what they save are wine_fullview.sh's.)
#   wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI
set -u

here=$(cd "$(dirname "$0")" && pwd)
# Counts from the start, which skips the splash's pauses: room for the
# checks below on a busy machine before it ends the program during a drag.
run_for=50
. "$here/wine_run.sh"

make_program smoke-program "$ini"
# Both processors kept busy while the meters sample.
for _ in 1 2; do start_group timeout 600 bash -c 'while :; do :; done'; done

# Presses on the main bar's title strip and waits until the system's move
# loop has begun; the button stays down.
hold_main_bar() {
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 46)) $((Y + 4)) && sleep 0.3 && xdotool mousedown 1
    check --move-loop frmMain begun
}

start=$(date +%s)
start_velmora "$run_for"
verdict "main bar and CPU modules shown with regions and the layered style" \
    "the windows are not as they should be" check frmMain frmCPU0 frmCPU1
bar=$(x_window_of frmMain)

# Away from every window the modules fade to TLUCENTZOFF; the mouse over
# one wakes them to TLUCENTZON.
xdotool mousemove 1200 1000
cpu=$(x_window_of frmCPU0)
if [ -n "$cpu" ] && check --alpha frmCPU0 100; then
    eval "$(xdotool getwindowgeometry --shell "$cpu" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 30)) $((Y + 14)); sleep 0.2; xdotool mousemove $((X + 31)) $((Y + 14))
    verdict "the modules faded with the mouse away and woke with it over frmCPU0" \
        "the mouse over frmCPU0 did not wake it" check --alpha frmCPU0 230
else
    fail "frmCPU0 did not fade with the mouse away"
fi

# --run-for comes while the button holds the main bar in the move loop.
held=""
[ -n "$bar" ] && kill -0 "$app" 2>/dev/null && hold_main_bar && held=1
wait_exit "$app" $((run_for + 90)); code=$exit_code
xdotool mouseup 1
elapsed=$(($(date +%s) - start))
if [ -n "$held" ] && [ "$code" -eq 0 ]; then
    pass "velmora.exe exited 0 after ${elapsed} s: --run-for $run_for ended it inside the move loop"
elif [ -z "$held" ]; then
    fail "velmora.exe (exit code $code after ${elapsed} s) was not in a move loop when --run-for came"
else
    fail "velmora.exe ended with $code after ${elapsed} s (124: still running)"; cat "$program/velmora.out"
fi

# The session ends while the main bar is in the move loop: an orderly end with 0.
start_velmora 300
bar=""
quiet check frmMain && bar=$(x_window_of frmMain)
if [ -n "$bar" ] && hold_main_bar; then
    end_session "from inside the move loop"
else
    fail "could not hold frmMain in the move loop to end the session"
fi
xdotool mouseup 1

finish_run
