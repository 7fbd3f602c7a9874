#!/usr/bin/env bash
# One Wine session for a test run: a private Xvfb display and a fresh
# private WINEPREFIX, set up once and shared by the Windows tests.
#   wine_session.sh start STATE-DIR    new prefix, Xvfb, persistent wineserver
#   wine_session.sh run STATE-DIR PROGRAM.exe [ARGS...]
#   wine_session.sh stop STATE-DIR     ends what start started
# STATE-DIR keeps the prefix and the session's facts (display, pids).
set -u

action=${1:?usage: wine_session.sh start|run|stop STATE-DIR ...}
state=${2:?usage: wine_session.sh start|run|stop STATE-DIR ...}
shift 2

use_session() {
    [ -f "$state/display" ] || { echo "wine_session: no session in $state (did the setup test run?)"; exit 1; }
    export DISPLAY WINEPREFIX="$state/prefix" WINEARCH=win64 WINEDEBUG=-all
    DISPLAY=$(cat "$state/display")
    # No Mono or Gecko: their install prompts would wait for a user.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
}

stop_session() {
    if [ -f "$state/display" ]; then
        use_session
        timeout 30 wineserver -k 2>/dev/null
    fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null
        rm -f "$state/xvfb.pid"
    fi
    rm -f "$state/display"
}

case "$action" in
start)
    stop_session
    rm -rf "$state"
    mkdir -p "$state"
    # Xvfb picks a free display itself and names it once it accepts
    # connections, so runs side by side cannot take the same one. Detached,
    # so the test runner does not wait for its output to close.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/displayfd" </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do [ -s "$state/displayfd" ] && break; sleep 0.1; done
    [ -s "$state/displayfd" ] || { echo "FAIL: Xvfb did not start"; cat "$state/xvfb.log"; stop_session; exit 1; }
    echo ":$(head -n 1 "$state/displayfd")" >"$state/display"
    use_session
    if ! timeout 240 wineboot -i </dev/null >"$state/wineboot.log" 2>&1; then
        echo "FAIL: wineboot could not make the prefix"; tail -20 "$state/wineboot.log"; stop_session; exit 1
    fi
    timeout 120 wineserver -w 2>/dev/null || true
    # Kept running between the tests, so each program starts quickly.
    wineserver -p </dev/null >/dev/null 2>&1
    # The first program starts Wine's services, which stay: they must not
    # hold a test's output open, or the test runner waits for them.
    timeout 120 wine reg query 'HKCU\Software' </dev/null >/dev/null 2>&1
    [ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: the prefix has no registry"; stop_session; exit 1; }
    echo "Wine session on $DISPLAY, prefix $WINEPREFIX ($(wine --version 2>/dev/null))"
    ;;
run)
    use_session
    program=${1:?usage: wine_session.sh run STATE-DIR PROGRAM.exe [ARGS...]}
    shift
    # Wine's note about the missing 32-bit loader is noise here.
    wine "$program" "$@" 2> >(grep -v -e 'wine32' -e 'multiarch' -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2)
    ;;
stop)
    stop_session
    echo "Wine session stopped"
    ;;
*)
    echo "wine_session: unknown action '$action'" >&2
    exit 2
    ;;
esac
