#!/usr/bin/env bash
# Runs the X11 test program on a private Xvfb of 1600 x 900 and stops it.
#   x11_session.sh TEST-PROGRAM [gtest arguments]
# -noreset: monitors set through RandR live until the server ends, not
# until its last client leaves.
set -u
program=${1:?usage: x11_session.sh TEST-PROGRAM [ARGS]}
shift
display=91
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
log=$(mktemp /tmp/velmora-x11-test.XXXXXX)
Xvfb ":${display}" -screen 0 1600x900x24 -nolisten tcp -noreset >"$log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X${display}" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ ! -e "/tmp/.X11-unix/X${display}" ]; then
    echo "FAIL: Xvfb did not start on :${display}"
    cat "$log"
    exit 1
fi
DISPLAY=":${display}" timeout 120 "$program" "$@"
