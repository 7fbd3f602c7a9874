#!/usr/bin/env bash
# velmora.exe under Wine, from a test velmora.ini, while the machine is kept
# busy: it records the installed product in the registry, shows the main bar
# and the CPU modules shaped and layered, keeps drawing, moves with the
# system's caption drag (and saves where it was dropped), fades when the
# mouse is away and wakes when it comes back, and ends with 0 when
# --run-for or the end of the session comes during a drag.
#   wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI
# Every wait is bounded; whatever the script started is ended on the way out.
set -u

state=${1:?usage: wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
winbuild=${2:?usage: wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
ini=${3:?usage: wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
here=$(cd "$(dirname "$0")" && pwd)
# Counts from the start, which skips the splash's pauses: room for the
# checks below on a busy machine before it ends the program during a drag.
run_for=50
record='HKLM\Software\Brinlake\Installed Products'
. "$here/wine_run.sh"
[ -f "$ini" ] || { echo "FAIL: $ini is missing"; exit 1; }

make_program smoke-program
cp "$ini" "$program/velmora.ini"
# The record must come from this run.
timeout 60 "$session" run "$state" reg delete "$record" /f >/dev/null 2>&1
# Keep the machine busy while the meters sample.
keep_busy

geometry() { xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=' | tr '\n' ' '; }

# Waits (10 s at most) until window $1 stands at X=$2 Y=$3.
wait_at() {
    for _ in $(seq 100); do
        [ "$(geometry "$1")" = "X=$2 Y=$3 " ] && return 0
        sleep 0.1
    done
    return 1
}

# Presses on the main bar's title strip and waits until the system's move
# loop has begun; the button stays down.
hold_main_bar() {
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 46)) $((Y + 4)) && sleep 0.3 && xdotool mousedown 1
    check --move-loop frmMain begun
}

start=$(date +%s)
start_velmora "$run_for"

# Shown, shaped and layered; the CPU meter keeps drawing.
if check frmMain frmCPU0 frmCPU1 --changes frmCPU0; then
    pass "main bar and CPU modules shown with regions and the layered style, the CPU meter drawing"
else
    fail "the windows are not as they should be"
fi

# The main bar's title strip, dragged with the real pointer through the
# system's move loop: each step waits for the loop, so a busy machine cannot
# make the script race it.
bar=$(x_window_of frmMain)
moved=""
if [ -n "$bar" ]; then
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    x0=$X y0=$Y
    if hold_main_bar; then
        for step in 1 2 3 4 5 6 7 8 9 10; do
            xdotool mousemove $((x0 + 46 + step * 5)) $((y0 + 4 + step * 10)); sleep 0.05
        done
        wait_at "$bar" $((x0 + 50)) $((y0 + 100)) || echo "note: frmMain is at $(geometry "$bar")before the release"
        xdotool mouseup 1
        if check --move-loop frmMain ended; then
            eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
            moved="$X,$Y"
        fi
    fi
fi
if [ "$moved" = "$((x0 + 50)),$((y0 + 100))" ]; then
    pass "the caption drag moved frmMain from $x0,$y0 to $moved, and the move ended with the release"
else
    fail "the drag by (50,100) left frmMain at '${moved}' (from ${x0:-?},${y0:-?})"
fi

# Away from every window the modules fade to TLUCENTZOFF; the mouse over
# one wakes them to TLUCENTZON.
xdotool mousemove 1200 1000
cpu=$(x_window_of frmCPU0)
if [ -n "$cpu" ] && check --alpha frmCPU0 100; then
    eval "$(xdotool getwindowgeometry --shell "$cpu" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 30)) $((Y + 14)); sleep 0.2; xdotool mousemove $((X + 31)) $((Y + 14))
    if check --alpha frmCPU0 230; then
        pass "the modules faded with the mouse away and woke with it over frmCPU0"
    else
        fail "the mouse over frmCPU0 did not wake it"
    fi
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

query=$(timeout 60 "$session" run "$state" reg query "$record" 2>&1 | tr -d '\r')
if grep -q 'N01 *REG_SZ *VELMORA v2' <<<"$query" && grep -q 'V01 *REG_SZ *[0-9]' <<<"$query"; then
    pass "the installed-products record is in the registry"
else
    fail "no installed-products record:"; echo "$query"
fi

saved=$(grep -i '^PosX8=' "$program/velmora.ini" | cut -d= -f2 | tr -d '\r')
if [ -n "$moved" ] && [ "$saved" = "$(( ${moved%,*} * 15 ))" ]; then
    pass "the dropped position was saved (PosX8=$saved)"
else
    fail "after the drag PosX8 is '${saved}'"
fi

# The session ends while the main bar is in the move loop: an orderly end with 0.
start_velmora 300
bar=""
check frmMain >/dev/null && bar=$(x_window_of frmMain)
if [ -n "$bar" ] && hold_main_bar && check --end-session frmMain; then
    wait_exit "$app" 30; code=$exit_code
    xdotool mouseup 1
    if [ "$code" -eq 0 ]; then
        pass "the end of the session ended velmora.exe with 0 from inside the move loop"
    else
        fail "after the end of the session velmora.exe ended with $code (124: still running after 30 s)"
    fi
else
    xdotool mouseup 1
    fail "could not hold frmMain in the move loop and end the session"
fi

# A second start while the first runs: nobody answers its "already running"
# notice, and --run-for 3 still ends it with 0.
start_velmora 60
first=$app
if check frmMain >/dev/null; then
    start_velmora 3
    wait_exit "$app" 30; code=$exit_code
    if [ "$code" -eq 0 ]; then
        pass "a second velmora.exe with --run-for 3 ended with 0 while the first ran"
    else
        fail "a second velmora.exe with --run-for 3 ended with $code (124: still running after 30 s)"
    fi
else
    fail "no frmMain for the second start to find"
fi
app=$first

finish_run
