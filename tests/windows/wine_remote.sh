#!/usr/bin/env bash
# The WinHTTP client under Wine against the hostile test server: the server
# (a Linux program) starts on loopback, velmora_win_tests.exe runs its
# Remote group with the server's address in VELMORA_TEST_HTTP, and the
# server is ended on the way out.
#   wine_remote.sh STATE-DIR WINDOWS-BUILD-DIR SERVER-PROGRAM
set -u

state=${1:?usage: wine_remote.sh STATE-DIR WINDOWS-BUILD-DIR SERVER-PROGRAM}
winbuild=${2:?usage: wine_remote.sh STATE-DIR WINDOWS-BUILD-DIR SERVER-PROGRAM}
server=${3:?usage: wine_remote.sh STATE-DIR WINDOWS-BUILD-DIR SERVER-PROGRAM}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/processes.sh"

ports=$(mktemp)
trap 'end_all; rm -f "$ports"' EXIT
# The credentials the group sends: a token, and ann:pw for basic.
start_group "$server" "Bearer tok3n" "Basic YW5uOnB3" >"$ports" </dev/null
for _ in $(seq 50); do [ -s "$ports" ] && break; sleep 0.1; done
[ -s "$ports" ] || { echo "FAIL: the test server did not start"; exit 1; }
export VELMORA_TEST_HTTP="http://127.0.0.1:$(head -n 1 "$ports")"
echo "test server on $VELMORA_TEST_HTTP"
timeout 180 "$here/wine_session.sh" run "$state" "$winbuild/velmora_win_tests.exe" Remote.
