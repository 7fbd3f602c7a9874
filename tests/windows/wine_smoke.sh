#!/usr/bin/env bash
# velmora.exe under Wine, from a test velmora.ini, while the machine is kept
# busy: it records the installed product in the registry, shows the main bar
# and the CPU modules shaped and layered, keeps drawing, moves with the
# system's caption drag (and saves where it was dropped), fades when the
# mouse is away and wakes when it comes back, and exits 0 by --run-for.
#   wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI
set -u

state=${1:?usage: wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
winbuild=${2:?usage: wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
ini=${3:?usage: wine_smoke.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
here=$(cd "$(dirname "$0")" && pwd)
session="$here/wine_session.sh"
run_for=30
record='HKLM\Software\Brinlake\Installed Products'

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for f in "$winbuild/velmora.exe" "$winbuild/velmora_win_tests.exe" "$ini"; do
    [ -f "$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done

program="$state/smoke-program"
rm -rf "$program"
mkdir -p "$program/logs"
cp -r "$winbuild/skins" "$program/skins"
cp "$ini" "$program/velmora.ini"
folder=$("$session" run "$state" winepath -w "$program" | tr -d '\r')

# The record must come from this run.
"$session" run "$state" reg delete "$record" /f >/dev/null 2>&1

busy_pids=()
cleanup() {
    for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
# Keep the machine busy while the meters sample.
for _ in 1 2; do
    timeout $((run_for + 30)) bash -c 'while :; do :; done' &
    busy_pids+=($!)
done

start=$(date +%s)
"$session" run "$state" "$winbuild/velmora.exe" --program-folder "$folder" --run-for "$run_for" >"$state/velmora.out" 2>&1 &
app=$!

# Shown, shaped and layered; the CPU meter keeps drawing.
if "$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows frmMain frmCPU0 frmCPU1 --changes frmCPU0; then
    pass "main bar and CPU modules shown with regions and the layered style, the CPU meter drawing"
else
    fail "the windows are not as they should be"
fi

# The main bar's title strip, dragged with the real pointer: the system's
# move loop moves it, and the program saves where it was dropped.
export DISPLAY
DISPLAY=$(cat "$state/display")
bar=$(xdotool search --name '^frmMain$' 2>/dev/null | head -n 1)
moved=""
if [ -n "$bar" ]; then
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    x0=$X y0=$Y
    # The move loop starts when the program has handled the press; on a busy
    # machine that takes a moment, so wait before moving.
    xdotool mousemove $((x0 + 46)) $((y0 + 4)) && sleep 0.3 && xdotool mousedown 1 && sleep 1
    for step in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $((x0 + 46 + step * 5)) $((y0 + 4 + step * 10)); sleep 0.05
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    moved="$X,$Y"
fi
# The loop moves the window by the pointer's travel since the loop began; a
# step made before it began (the machine is busy) is not part of the move.
steps_seen=""
for k in 10 9 8; do
    [ "$moved" = "$((x0 + 5 * k)),$((y0 + 10 * k))" ] && steps_seen=$k && break
done
if [ -n "$steps_seen" ]; then
    pass "the caption drag moved frmMain from $x0,$y0 to $moved ($steps_seen of 10 pointer steps inside the move loop)"
else
    fail "the drag by (50,100) left frmMain at '${moved}' (from ${x0:-?},${y0:-?})"
fi

# Away from every window the modules fade to TLUCENTZOFF; the mouse over
# one wakes them to TLUCENTZON.
xdotool mousemove 1200 1000
cpu=$(xdotool search --name '^frmCPU0$' 2>/dev/null | head -n 1)
if [ -n "$cpu" ] && "$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows --alpha frmCPU0 100; then
    eval "$(xdotool getwindowgeometry --shell "$cpu" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 30)) $((Y + 14)); sleep 0.2; xdotool mousemove $((X + 31)) $((Y + 14))
    if "$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows --alpha frmCPU0 230; then
        pass "the modules faded with the mouse away and woke with it over frmCPU0"
    else
        fail "the mouse over frmCPU0 did not wake it"
    fi
else
    fail "frmCPU0 did not fade with the mouse away"
fi

code=124
for _ in $(seq $(( (run_for + 60) * 10 ))); do
    if ! kill -0 "$app" 2>/dev/null; then
        wait "$app"
        code=$?
        break
    fi
    sleep 0.1
done
app=""
elapsed=$(( $(date +%s) - start ))
if [ "$code" -eq 0 ]; then
    pass "velmora.exe exited 0 after ${elapsed} s (--run-for $run_for)"
else
    fail "velmora.exe ended with $code after ${elapsed} s"; cat "$state/velmora.out"
fi

query=$("$session" run "$state" reg query "$record" 2>&1 | tr -d '\r')
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

echo "$(( 6 - failures )) passed, $failures failed"
[ "$failures" -eq 0 ]
