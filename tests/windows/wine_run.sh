# Sourced by the Wine runs of velmora.exe, with $here (this folder) set and
# the script's own arguments: the Wine session's folder ($state), the Windows
# build ($winbuild) and, where the run starts from one, a velmora.ini ($ini).
# Every wait is bounded; whatever a run started is ended on the way out.
# shellcheck source=../../scripts/processes.sh
. "$here/../../scripts/processes.sh"
session="$here/wine_session.sh"
usage="usage: $(basename "$0") STATE-DIR WINDOWS-BUILD-DIR [VELMORA-INI]"
state=${1:?$usage}
winbuild=${2:?$usage}
ini=${3:-}

failures=0
checks=0
# The closing line, and the exit status.
finish_run() {
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}

for f in "$winbuild/velmora.exe" "$winbuild/velmora_win_tests.exe"; do
    [ -f "$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done

export DISPLAY
DISPLAY=$(cat "$state/display")
# The run's output is held until the end, and the failed checks come first:
# a CI report that shows only the head of a failed test's output shows them.
run_log=$(mktemp)
exec 3>&1 >"$run_log" 2>&1
_end_run() {
    xdotool mouseup 1 2>/dev/null
    end_all
    exec 1>&3 2>&1
    grep '^FAIL' "$run_log" | sed 's/^/first of all: /'
    cat "$run_log"
    rm -f "$run_log"
}
trap _end_run EXIT

# make_program NAME [INI]: a fresh program folder in the session with the
# skins, an empty logs folder and INI as its velmora.ini (or none: the caller
# writes it); sets $program and $folder (its Windows path).
make_program() {
    program="$state/$1"
    rm -rf "$program"
    mkdir -p "$program/logs"
    cp -r "$winbuild/skins" "$program/skins"
    [ -z "${2:-}" ] || cp "$2" "$program/velmora.ini" || { echo "FAIL: $2 is missing"; exit 1; }
    folder=$(timeout 60 "$session" run "$state" winepath -w "$program" | tr -d '\r')
}

# start_velmora SECONDS [EXE]: velmora.exe (of the build, or EXE) on $folder
# for SECONDS, output appended to $program/velmora.out; $app is the pid of
# its process group. No test here is about the splash, so it starts without
# its pauses.
start_velmora() {
    start_group "$session" run "$state" "${2:-$winbuild/velmora.exe}" --program-folder "$folder" --run-for "$1" \
        --skip-splash-pauses >>"$program/velmora.out" 2>&1
    app=$!
}

# check ARGS...: the window checks of velmora_win_tests.exe --check-windows,
# which find the forms by name.
check() { timeout 90 "$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows "$@"; }

# title_of FORM: the title people read on the form's window, which is what
# Wine gives X11 (in UTF-8, as _NET_WM_NAME).
title_of() {
    case "$1" in
    frmMain | frmSplash) echo "VELMORA v2" ;;
    frmCPU[0-3]) echo "VELMORA v2 – CPU ${1#frmCPU}" ;;
    frmCPUAll) echo "VELMORA v2 – All Processors" ;;
    frmClock | frmNetwork | frmMemory | frmMouse) echo "VELMORA v2 – ${1#frm}" ;;
    frmFULLVIEW) echo "VELMORA v2 – Full View" ;;
    frmOptions) echo "VELMORA v2 Options" ;;
    frmAboutZenthe) echo "Zenthe Professional" ;;
    *) echo "title_of: no title known for '$1'" >&2; return 1 ;;
    esac
}

# x_window_of FORM: the X window of the shown form, found by its title
# (10 s at most). The splash has the main bar's title and stays a moment
# after the bar shows, so this waits until one shown window has the title.
x_window_of() {
    local title ids
    title=$(title_of "$1") || return 1
    for _ in $(seq 100); do
        ids=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null)
        [ "$(wc -w <<<"$ids")" -eq 1 ] && { echo "$ids"; return 0; }
        sleep 0.1
    done
    return 1
}

# where WINDOW: the X window's place on the screen, "X Y ", for the gestures
# of ../support/pointer.sh.
where() { xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=' | cut -d= -f2 | tr '\n' ' '; }

# end_session [WHILE]: the end of the session, told to the main bar, must
# end velmora.exe with 0 within 30 s.
end_session() {
    check --end-session frmMain >/dev/null
    wait_exit "$app" 30
    if [ "$exit_code" -eq 0 ]; then
        pass "the end of the session ended velmora.exe with 0${1:+, $1}"
    else
        fail "velmora.exe ended with $exit_code (124: still running 30 s after the end of the session)"
        cat "$program/velmora.out"
    fi
}
