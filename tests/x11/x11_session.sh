#!/usr/bin/env bash
# Runs the X11 test program on a private Xvfb of 1600 x 900 and stops it.
#   x11_session.sh TEST-PROGRAM [gtest arguments]
# The server picks a free display itself (-displayfd). -noreset: monitors
# set through RandR live until the server ends, not until its last client
# leaves.
set -u
program=${1:?usage: x11_session.sh TEST-PROGRAM [ARGS]}
shift
. "$(cd "$(dirname "$0")" && pwd)/../../scripts/processes.sh"
work=$(mktemp -d /tmp/velmora-x11-test.XXXXXX)
start_group Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1
xvfb=$!
trap 'end_all; rm -rf "$work"' EXIT
display=""
for _ in $(seq 100); do
    display=$(tr -dc '0-9' <"$work/display")
    [ -n "$display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "FAIL: Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
fi
DISPLAY=":${display}" timeout 120 "$program" "$@"
