# Sourced by the test, run and bench scripts: start programs in their own process group
# and end them within a bound, so a script can never wait for ever.
#   started PID...          remember what was started (its whole group ends with it)
#   start_group CMD...      run CMD in a new process group in the background; $! is its pid
#   wait_exit PID SECONDS   waits at most SECONDS for PID (a child of this shell) to end and sets
#                           exit_code to its exit code, 124 on time-out (not in $(...): a subshell
#                           cannot wait for its parent's children)
#   end_all                 TERM to every remembered group, KILL after 5 s, then reaps

_started=()

started() { _started+=("$@"); }

start_group() {
    setsid "$@" &
    started $!
}

_alive() { kill -0 "$1" 2>/dev/null; }

wait_exit() {
    local pid=$1 seconds=$2 ticks
    exit_code=124
    for ((ticks = 0; ticks < seconds * 10; ticks++)); do
        if ! _alive "$pid"; then
            wait "$pid" 2>/dev/null
            exit_code=$?
            return 0
        fi
        sleep 0.1
    done
}

end_all() {
    local pid ticks
    for pid in "${_started[@]}"; do
        kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null
    done
    for ((ticks = 0; ticks < 50; ticks++)); do
        local any=""
        for pid in "${_started[@]}"; do _alive "$pid" && any=1; done
        [ -z "$any" ] && break
        sleep 0.1
    done
    for pid in "${_started[@]}"; do
        if _alive "$pid"; then
            kill -KILL -- "-$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
        fi
        # Reaps a child that has ended; a process that is not ours returns at once.
        _alive "$pid" || wait "$pid" 2>/dev/null
    done
    _started=()
}

# A private Xvfb (1280 x 1024 unless SCREEN says otherwise, with the
# server's further ARGS) that picks a free display itself; sets
# $xvfb_display (":N") once it accepts connections, or says why not and
# returns 1.
start_xvfb() {  # WORK-DIR [SCREEN [ARGS...]]
    local work=$1 screen=${2:-1280x1024x24}
    shift $(($# < 2 ? $# : 2))
    start_group Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$work/displayfd" >"$work/xvfb.log" 2>&1
    for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
    if [ ! -s "$work/displayfd" ]; then
        echo "FAIL: Xvfb did not start"
        cat "$work/xvfb.log"
        return 1
    fi
    xvfb_display=":$(head -n 1 "$work/displayfd")"
}

# A test script's frame: begin_test NAME makes $work (removed on the way out,
# after everything started has been ended) and the PASS/FAIL lines, counted
# in $checks and $failures.
begin_test() {
    work=$(mktemp -d "/tmp/velmora-$1.XXXXXX")
    failures=0
    trap _end_test EXIT
}
_end_test() {
    [ -n "${DISPLAY:-}" ] && xdotool mouseup 1 2>/dev/null
    end_all
    rm -rf "$work"
}
pass() { echo "PASS: $*"; checks=$((${checks:-0} + 1)); }
fail() { echo "FAIL: $*"; checks=$((${checks:-0} + 1)); failures=$((${failures:-0} + 1)); }
# verdict PASS-TEXT FAIL-TEXT COMMAND...: one check, passed when COMMAND succeeds.
verdict() {
    local good=$1 bad=$2
    shift 2
    if "$@"; then pass "$good"; else fail "$bad"; fi
}
# quiet COMMAND...: COMMAND with its output dropped.
quiet() { "$@" >/dev/null; }
