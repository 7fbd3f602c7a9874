#!/usr/bin/env bash
# Runs the X11 test program on a private Xvfb of 1600 x 900 and stops it.
#   x11_session.sh TEST-PROGRAM [gtest arguments]
# -noreset: monitors set through RandR live until the server ends, not
# until its last client leaves.
set -u
program=${1:?usage: x11_session.sh TEST-PROGRAM [ARGS]}
shift
. "$(cd "$(dirname "$0")" && pwd)/../../scripts/processes.sh"
work=$(mktemp -d /tmp/velmora-x11-test.XXXXXX)
trap 'end_all; rm -rf "$work"' EXIT
start_xvfb "$work" 1600x900x24 -noreset || exit 1
DISPLAY=$xvfb_display timeout 120 "$program" "$@"
