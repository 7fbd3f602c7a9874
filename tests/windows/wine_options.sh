#!/usr/bin/env bash
# The options dialog of velmora.exe under Wine: the main bar's options
# button opens it, the memory module is ticked off on the Modules page,
# Enter presses OK; then velmora.ini says VISI6=0 and the memory window is
# gone, and so is the dialog. The end of the session then ends it with 0.
#   wine_options.sh STATE-DIR WINDOWS-BUILD-DIR
set -u

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_run.sh"

make_program options-program
# The main bar at 100,100 and the memory module beside it, in user mode.
printf '[MAIN]\r\nPLCMNT=2\r\nPosX8=1500\r\nPosY8=1500\r\nVisi6=1\r\nPosX6=2700\r\nPosY6=1500\r\nMEMCLOCK=10\r\nTLUCENTZOn=255\r\nTLUCENTZOff=255\r\nVISIBLE=0\r\n' \
    >"$program/velmora.ini"
start_velmora 40

# The options button (btnOpt(2)) sits at 30..43, 8..21 of the bar.
if check --alpha frmMemory 255 --click frmMain 36 14 --shown frmOptions; then
    pass "the options button opened the dialog"
    # A picture of it, to look at: $state/options-wine.png.
    command -v import >/dev/null && timeout 30 import -window root "$state/options-wine.png" 2>/dev/null
else
    fail "the options dialog did not open"
fi
# Right arrow on the focused tab strip: the Modules page. Then the memory
# module's box (page at 16,34; its row at 6 + 6 x 29; the box 10 px in),
# and Enter, which is OK.
verdict "unticking Memory and pressing Enter closed the dialog and the memory window" \
    "the dialog or the memory window is still shown" \
    check --key frmOptions 39 --click frmOptions 32 226 --key frmOptions 13 --gone frmOptions --gone frmMemory
visi=$(grep -i '^VISI6=' "$program/velmora.ini" | cut -d= -f2 | tr -d '\r')
verdict "velmora.ini says VISI6=0" "velmora.ini says VISI6='$visi'" [ "$visi" = "0" ]

end_session
finish_run
