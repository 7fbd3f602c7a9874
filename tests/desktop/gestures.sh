#!/usr/bin/env bash
# The mouse and keyboard gestures a user makes, on the desktops users run:
#   gestures.sh bare|openbox|mutter VELMORA-BINARY DESKTOP-PROBE LOGSCOPE-BINARY
# bare: Xvfb with xcompmgr and no window manager; openbox: the same with
# openbox managing the windows; mutter: GNOME's compositor, headless, with
# the program on its Xwayland. Every gesture runs against one run of the
# program with the shipped velmora.ini; a second, short run is ended by
# --run-for during a drag. Every wait is bounded, and whatever the script
# started is ended on the way out.
set -u

usage="usage: gestures.sh bare|openbox|mutter VELMORA-BINARY DESKTOP-PROBE LOGSCOPE-BINARY"
desktop=${1:?$usage}
binary=${2:?$usage}
probe=${3:?$usage}
logscope=${4:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
# shellcheck source=../../scripts/processes.sh
. "$source_dir/scripts/processes.sh"

# GNOME's compositor runs this script again inside its session, where
# DISPLAY names its Xwayland; it ends when the script does.
if [ "$desktop" = mutter ]; then
    runtime=$(mktemp -d /tmp/velmora-mutter.XXXXXX)
    chmod 700 "$runtime"
    XDG_RUNTIME_DIR="$runtime" start_group timeout 150 dbus-run-session -- \
        mutter --headless --wayland --virtual-monitor 1280x1024 -- \
        "$0" inside-mutter "$binary" "$probe" "$logscope" >"$runtime/session.log" 2>&1
    wait_exit "$!" 170
    code=$exit_code
    # What the inner run printed, without the compositor's own chatter.
    grep -E '^(PASS|FAIL|note|gestures|---)' "$runtime/session.log" || tail -n 20 "$runtime/session.log"
    grep -q '^gestures: all checks passed' "$runtime/session.log" || code=1
    end_all
    rm -rf "$runtime"
    exit "$code"
fi

begin_test gestures
# shellcheck source=../support/pointer.sh
. "$here/../support/pointer.sh"

case "$desktop" in
bare | openbox)
    # Xvfb with xcompmgr, and openbox managing the windows if asked.
    start_xvfb "$work" || exit 1
    export DISPLAY=$xvfb_display
    if [ "$desktop" = openbox ]; then
        start_group openbox >"$work/openbox.log" 2>&1
        for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
    fi
    start_group xcompmgr >"$work/xcompmgr.log" 2>&1
    ;;
inside-mutter) desktop=mutter ;;
*) echo "gestures.sh: unknown desktop '$desktop' (bare, openbox or mutter)"; exit 2 ;;
esac

# The program folder: the shipped velmora.ini, the skins and an hour of
# processor and memory logs for the log viewer to open; settings and runtime
# folders of its own. As installed, both programs sit in a bin/ of their own.
mkdir -p "$work/program/logs" "$work/config" "$work/runtime" "$work/bin"
chmod 700 "$work/runtime"
cp "$source_dir/app/velmora.ini" "$work/program/velmora.ini"
cp -r "$source_dir/skins" "$work/program/skins"
for second in 00 10 20 30 40 50; do
    printf '12/06/26, 14:05:%s.0042, 0, 1, 57\r\n' "$second" >>"$work/program/logs/a2026-12-06-14.log"
    printf '12/06/26, 14:05:%s.0042, 1, 0, 61\r\n' "$second" >>"$work/program/logs/b2026-12-06-14.log"
done
cp "$binary" "$work/bin/velmora"
binary=$work/bin/velmora
cp "$logscope" "$work/bin/logscope"

# start_velmora SECONDS [ARGS...]: the program for SECONDS, without the
# splash's pauses, its output in $work/velmora.out; $app is its pid.
start_velmora() {
    local seconds=$1
    shift
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        start_group "$binary" --program-folder "$work/program" --run-for "$seconds" --skip-splash-pauses "$@" \
        >>"$work/velmora.out" 2>&1
    app=$!
}
# await ROLE [shown|gone] [SECONDS]: waits (5 s by default) until the form is shown, or gone.
await() {
    local role=$1 want=${2:-shown} seconds=${3:-5}
    for _ in $(seq $((seconds * 10))); do
        if "$probe" find "$role" >/dev/null; then [ "$want" = shown ] && return 0
        else [ "$want" = gone ] && return 0; fi
        sleep 0.1
    done
    return 1
}
# where ROLE: the form's place on the screen and its size, "X Y W H".
where() { "$probe" where "$1"; }
await_focus() {
    for _ in $(seq 30); do [ "$("$probe" focus)" = "$1" ] && return 0; sleep 0.1; done
    return 1
}
# The window manager's close request where there is one, else the request itself.
close_request() {
    if [ "$desktop" = bare ]; then "$probe" close "$1"; else wmctrl -i -c "$("$probe" find "$1")"; fi
}
# ended PID SECONDS: true once PID has ended (or is a child not yet reaped) within SECONDS.
ended() {
    local state
    [ -n "$1" ] || return 1
    for _ in $(seq $(($2 * 10 + 1))); do
        state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)
        [ -z "$state" ] || [ "$state" = Z ] && return 0
        sleep 0.1
    done
    return 1
}

start_velmora 120

# openbox has been seen to read the program's first requests and then sleep
# until the display's next event, which never comes on an idle test display.
# A desktop in use has one at once (the pager, the clock, the focus), so
# after 15 s a root property changes, as theirs do, and the run says so.
if ! await frmMain shown 15; then
    echo "note: no main bar after 15 s; a root window property changes, as on a desktop in use"
    xprop -root -f _VELMORA_TEST_NUDGE 32c -set _VELMORA_TEST_NUDGE 1 2>/dev/null
fi
if ! await frmMain shown 45; then
    fail "the main bar did not appear within 60 s"
    # Whether the program still runs, and where, and what the manager says.
    cat "$work/velmora.out"
    kill -0 "$app" 2>/dev/null && timeout 30 gdb -p "$app" -batch -ex 'thread apply all bt' 2>/dev/null | head -40
    [ "$desktop" = openbox ] && tail -n 20 "$work/openbox.log"
    exit 1
fi
sleep 1  # the row is placed and shaped after the windows appear
echo "note: on $desktop, the main bar is at $(where frmMain)"

# The Full View from the main bar: it has the keyboard, and Esc closes it.
double_click frmMain 30 24
if await frmFULLVIEW shown; then
    pass "a double-click on the main bar opened the Full View"
    if await_focus frmFULLVIEW; then pass "the Full View took the keyboard"
    else fail "the Full View does not have the keyboard (it is on '$("$probe" focus)')"; fi
    xdotool key Escape
    if await frmFULLVIEW gone; then pass "Esc closed the Full View"; else fail "Esc did not close the Full View"; fi
else
    fail "a double-click on the main bar did not open the Full View"
fi

# From a processor module, closed by the close request.
double_click frmCPU0 30 15
if await frmFULLVIEW shown; then
    pass "a double-click on CPU 0 opened the Full View"
    close_request frmFULLVIEW
    if await frmFULLVIEW gone; then pass "the close request closed the Full View"
    else fail "the close request did not close the Full View"; fi
else
    fail "a double-click on CPU 0 did not open the Full View"
fi

# The clock's information box, closed with Alt+F4.
double_click frmClock 30 15
if await frmAboutZenthe shown; then
    pass "a double-click on the clock opened its information box"
    # Framed by the window manager: no "no decorations" hint.
    motif=$(xprop -id "$("$probe" find frmAboutZenthe)" _MOTIF_WM_HINTS)
    if [ "$motif" = "_MOTIF_WM_HINTS:  not found." ]; then pass "the information box asks for its frame"
    else fail "the information box has $motif"; fi
    if await_focus frmAboutZenthe; then
        xdotool key alt+F4
        if await frmAboutZenthe gone; then pass "Alt+F4 closed the clock's information box"
        else fail "Alt+F4 did not close the clock's information box"; fi
    else
        fail "the clock's information box does not have the keyboard (it is on '$("$probe" focus)')"
        close_request frmAboutZenthe
    fi
else
    fail "a double-click on the clock did not open its information box"
fi

# The main bar's second button starts the log viewer from the program
# folder, on its logs; it closes like any window and its process ends.
click_log_button frmMain
viewer=""
for _ in $(seq 100); do viewer=$(pgrep -P "$app" -x logscope) && break; sleep 0.1; done
if await frmLogscope shown 30; then
    title=$(xprop -id "$("$probe" find frmLogscope)" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
    if [ "$title" = "Logscope — $work/program/logs" ]; then pass "the main bar's second button opened \"$title\""
    else fail "the log viewer's window is titled '$title', not 'Logscope — $work/program/logs'"; fi
    close_request frmLogscope
    if await frmLogscope gone 10 && ended "$viewer" 10; then pass "the close request closed the log viewer and its process ended"
    else fail "after the close request the log viewer is $("$probe" find frmLogscope >/dev/null && echo shown || echo gone), its process ${viewer:-(none seen)} $(ended "$viewer" 0 && echo ended || echo runs)"; fi
else
    fail "the main bar's second button showed no log viewer within 30 s (process: ${viewer:-none})"
fi
# Single clicks glue nothing to the pointer: after each, the pointer moves
# away and the window stays where it was.
single_clicks frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain
if [ "$glued" = 0 ]; then pass "ten single clicks left every window where it was"
else fail "$glued of ten single clicks moved their window with no button held"; fi
if "$probe" find frmFULLVIEW >/dev/null; then fail "single clicks opened the Full View"; close_request frmFULLVIEW; fi

# A drag of the clock takes the row with it, lined up behind it again.
drag_clock frmClock frmCPU0 0.1 0.3
row_followed frmClock frmCPU0 "$work/program/velmora.ini" 5

# What a bare X server shows of the main bar: its shape, its opacity, and
# that it is kept above (ALWAYSOT=1); under a manager its frame stands between.
if [ "$desktop" = bare ]; then
    bar=$("$probe" find frmMain)
    read -r _ count _ width height _ shaped _ < <("$probe" shape frmMain)
    if [ "${shaped:-0}" = 1 ]; then pass "the main bar is shaped ($count rectangles in ${width}x${height})"
    else fail "the main bar is not shaped (rectangles: ${count:-none}, size ${width:-?}x${height:-?})"; fi
    props=$(xprop -id "$bar")
    for property in _NET_WM_WINDOW_OPACITY _NET_WM_STATE_ABOVE; do
        if grep -q "$property" <<<"$props"; then pass "the main bar has $property"
        else fail "the main bar lacks $property"; fi
    done
fi

# A second start shows its "already running" notice, which nobody answers:
# --run-for 3 still ends it, with 0.
first=$app
start_velmora 3
wait_exit "$app" 20
if [ "$exit_code" = 0 ]; then pass "a second copy with --run-for 3 ended with 0 while the first ran"
else fail "a second copy with --run-for 3 ended with $exit_code (124: still running after 20 s)"; fi
app=$first

# hold_main_bar: the button down on the main bar's title strip, the pointer
# beyond the drag threshold; true once the bar has followed it.
hold_main_bar() {
    local x y step
    read -r x y _ < <(where frmMain)
    xdotool mousemove $((x + 46)) $((y + 4)); sleep 0.2
    xdotool mousedown 1; sleep 0.2
    for step in 1 2 3 4; do xdotool mousemove $((x + 46 + 10 * step)) $((y + 4 + 8 * step)); sleep 0.1; done
    for _ in $(seq 50); do
        [ "$(where frmMain | cut -d' ' -f1-2)" = "$((x + 40)) $((y + 32))" ] && return 0
        sleep 0.1
    done
    echo "note: the main bar is at $(where frmMain), not at $((x + 40)),$((y + 32)) under the pointer"
    return 1
}

# SIGTERM, as a session's end sends it, during a drag: an orderly end with 0.
hold_main_bar || fail "the main bar did not follow the drag"
kill -TERM "$app" 2>/dev/null
wait_exit "$app" 10
xdotool mouseup 1
if [ "$exit_code" = 0 ]; then pass "SIGTERM during a drag ended velmora with 0"
else fail "SIGTERM during a drag: velmora ended with $exit_code (124: still running after 10 s)"; fi

# --run-for's end during a drag: an orderly end with 0 too.
start_velmora 10
if await frmMain shown 10 && sleep 1 && hold_main_bar; then
    wait_exit "$app" 60
    if [ "$exit_code" = 0 ]; then pass "--run-for ended velmora with 0 during a drag"
    else fail "--run-for during a drag: velmora ended with $exit_code (124: still running after 60 s)"; fi
else
    fail "no drag of the main bar under way before --run-for 10 came"
fi
xdotool mouseup 1
if [ "$failures" -gt 0 ]; then
    echo "--- velmora output ---"
    cat "$work/velmora.out"
    echo "gestures: $failures check(s) failed on $desktop"
    exit 1
fi
echo "gestures: all checks passed on $desktop"
