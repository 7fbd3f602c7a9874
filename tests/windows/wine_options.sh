#!/usr/bin/env bash
# The options dialog of velmora.exe under Wine: the main bar's options
# button opens it, the memory module is ticked off on the Modules page,
# Enter presses OK; then velmora.ini says VISI6=0 and the memory window is
# gone, and so is the dialog.
#   wine_options.sh STATE-DIR WINDOWS-BUILD-DIR
set -u

state=${1:?usage: wine_options.sh STATE-DIR WINDOWS-BUILD-DIR}
winbuild=${2:?usage: wine_options.sh STATE-DIR WINDOWS-BUILD-DIR}
here=$(cd "$(dirname "$0")" && pwd)
session="$here/wine_session.sh"
check() { "$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows "$@"; }
dialog="VELMORA v2 Options"

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for f in "$winbuild/velmora.exe" "$winbuild/velmora_win_tests.exe"; do
    [ -f "$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done

program="$state/options-program"
rm -rf "$program"
mkdir -p "$program/logs"
cp -r "$winbuild/skins" "$program/skins"
# The main bar at 100,100 and the memory module beside it, in user mode.
printf '[MAIN]\r\nPLCMNT=2\r\nPosX8=1500\r\nPosY8=1500\r\nVisi6=1\r\nPosX6=2700\r\nPosY6=1500\r\nMEMCLOCK=10\r\nTLUCENTZOn=255\r\nTLUCENTZOff=255\r\nVISIBLE=0\r\n' \
    >"$program/velmora.ini"
folder=$("$session" run "$state" winepath -w "$program" | tr -d '\r')

app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; wait 2>/dev/null; }
trap cleanup EXIT
"$session" run "$state" "$winbuild/velmora.exe" --program-folder "$folder" --run-for 40 >"$state/options.out" 2>&1 &
app=$!

# The options button (btnOpt(2)) sits at 30..43, 8..21 of the bar.
if check --alpha frmMemory 255 --click frmMain 36 14 --shown "$dialog"; then
    pass "the options button opened the dialog"
    # A picture of it, to look at: $state/options-wine.png.
    command -v import >/dev/null && DISPLAY=$(cat "$state/display") import -window root "$state/options-wine.png" 2>/dev/null
else
    fail "the options dialog did not open"
fi
# Right arrow on the focused tab strip: the Modules page. Then the memory
# module's box (page at 16,34; its row at 6 + 6 x 29; the box 10 px in),
# and Enter, which is OK.
if check --key "$dialog" 39 --click "$dialog" 32 226 --key "$dialog" 13 --gone "$dialog" --gone frmMemory; then
    pass "unticking Memory and pressing Enter closed the dialog and the memory window"
else
    fail "the dialog or the memory window is still shown"
fi
visi=$(grep -i '^VISI6=' "$program/velmora.ini" | cut -d= -f2 | tr -d '\r')
if [ "$visi" = "0" ]; then
    pass "velmora.ini says VISI6=0"
else
    fail "velmora.ini says VISI6='$visi'"; cat "$program/velmora.ini"
fi

# It ends by itself (--run-for); bounded, then stopped.
for _ in $(seq 700); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=""
echo "$(( 3 - failures )) passed, $failures failed"
[ "$failures" -eq 0 ]
