# Sourced by the scripts that run the program on a private X display.
# Expects $binary (the program), $probe (desktop_probe) and $source_dir;
# begin_test has made $work. Every wait is bounded.

# start_desktop bare|openbox: a private Xvfb (exported as DISPLAY) with
# xcompmgr, and openbox managing the windows if asked ($manager its pid).
start_desktop() {
    start_xvfb "$work" || exit 1
    export DISPLAY=$xvfb_display
    if [ "$1" = openbox ]; then
        start_group openbox >"$work/openbox.log" 2>&1
        manager=$!
        for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
    fi
    start_group xcompmgr >"$work/xcompmgr.log" 2>&1
}

# program_folder INI: $work/program with INI as its velmora.ini, the skins
# and an empty logs/; a settings and runtime folder of the program's own.
program_folder() {
    mkdir -p "$work/program/logs" "$work/config" "$work/runtime"
    chmod 700 "$work/runtime"
    cp "$1" "$work/program/velmora.ini"
    cp -r "$source_dir/skins" "$work/program/skins"
}

# log_files FOLDER: an hour of processor and memory lines, as the program
# writes them, for the log viewer to open.
log_files() {
    local second
    for second in 00 10 20 30 40 50; do
        printf '12/06/26, 14:05:%s.0042, 0, 1, 57\r\n' "$second" >>"$1/a2026-12-06-14.log"
        printf '12/06/26, 14:05:%s.0042, 1, 0, 61\r\n' "$second" >>"$1/b2026-12-06-14.log"
    done
}

# ended PID SECONDS: true once PID has ended (or is a child not yet reaped)
# within SECONDS.
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

# start_velmora SECONDS [ARGS...]: the program on $work/program for SECONDS,
# without the splash's pauses, its output appended to $work/velmora.out;
# $app is its pid.
start_velmora() {
    local seconds=$1
    shift
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        start_group "$binary" --program-folder "$work/program" --run-for "$seconds" --skip-splash-pauses "$@" \
        >>"$work/velmora.out" 2>&1
    app=$!
}

# await ROLE [shown|gone] [SECONDS]: waits (5 s by default) until the form is
# shown, or gone.
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

# finish_desktop NAME [WHERE]: the closing line and the exit status, with the
# program's output when a check failed.
finish_desktop() {
    if [ "$failures" -gt 0 ]; then
        echo "--- velmora output ---"
        cat "$work/velmora.out"
        echo "$1: $failures check(s) failed${2:+ $2}"
        exit 1
    fi
    echo "$1: all checks passed${2:+ $2}"
}
