#!/usr/bin/env bash
# velmora.exe under Wine logs at one tick a second with a flush every
# minute: within 70 s all six log files are in logs\, every line well
# formed and ending in CR LF.
#   wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR
set -u

state=${1:?usage: wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR}
winbuild=${2:?usage: wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR}
here=$(cd "$(dirname "$0")" && pwd)
run_for=90
deadline=70
. "$here/wine_run.sh"

make_program logging-program
printf '[MAIN]\r\nVISI0=1\r\nCPUCLOCK=10\r\nLOGENABLE=1\r\nLOGTIMING=10\r\nLOGWRITE=1\r\nLOGUNSAVED=0\r\nCAPCPU=1\r\nCAPMEM=1\r\nCAPNET=1\r\nNEWLOG=0\r\nDELLOG=7\r\n' \
    >"$program/velmora.ini"

start=$(date +%s)
start_velmora "$run_for"

# Start-up takes the program's own 7.5 s of pauses before the engine and its
# log timer start, and the main bar shows right after; the deadline counts
# from there, so a machine slow to start Wine or the program does not fail
# the logger. The time since the splash is reported too.
splash=$start
for _ in $(seq 600); do
    xdotool search --onlyvisible --name "^$(title_of frmSplash)\$" >/dev/null 2>&1 && { splash=$(date +%s); break; }
    sleep 0.1
done
check --shown frmMain >/dev/null && start=$(date +%s)

# All six files of the first flush, by the deadline.
count=0
while [ $(( $(date +%s) - start )) -le "$deadline" ]; do
    count=$(find "$program/logs" -maxdepth 1 -name '[a-f]????-??-??-??.log' | wc -l)
    [ "$count" -eq 6 ] && break
    sleep 1
done
elapsed=$(( $(date +%s) - start ))
if [ "$count" -eq 6 ]; then
    pass "six log files ${elapsed} s after the main bar showed ($(( $(date +%s) - splash )) s after the splash)"
else
    fail "$count of the six log files after ${elapsed} s"; ls -l "$program/logs"
fi

# The program ends by --run-for.
wait_exit "$app" $((run_for + 60))
[ "$exit_code" -eq 0 ] || fail "velmora.exe ended with $exit_code (124: still running $((run_for + 60)) s after its start)"

line='^[0-9]{2}/[0-9]{2}/[0-9]{2}, [0-9]{2}:[0-9]{2}:[0-9]{2}\.0[0-9]{3}, [0-5], [0-9AB], -?[0-9]+(\.[0-9]{0,3}[1-9])?'$'\r''$'
for letter in a b c d e f; do
    file=$(find "$program/logs" -maxdepth 1 -name "${letter}????-??-??-??.log" | head -n 1)
    if [ -z "$file" ]; then
        fail "no file $letter"
        continue
    fi
    lines=$(wc -l <"$file")
    bad=$(grep -cEv "$line" "$file")
    # Every byte is part of a line ending in CR LF.
    ends=$(tail -c 2 "$file" | od -An -tx1 | tr -d ' \n')
    if [ "$lines" -gt 0 ] && [ "$bad" -eq 0 ] && [ "$ends" = "0d0a" ]; then
        pass "$(basename "$file"): $lines well-formed lines"
    else
        fail "$(basename "$file"): $lines lines, $bad malformed, last bytes $ends"; head -n 3 "$file" | od -c | head -n 5
    fi
done

finish_run
