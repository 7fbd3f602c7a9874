#!/usr/bin/env bash
# velmora.exe under Wine logs at one tick a second; with LOGUNSAVED=1 the
# lines not yet flushed are written when --run-for ends it: then all six log
# files are in logs\, every line well formed and ending in CR LF.
#   wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR
set -u

state=${1:?usage: wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR}
winbuild=${2:?usage: wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR}
here=$(cd "$(dirname "$0")" && pwd)
# Several ticks once the engine runs, long before the one-minute flush.
run_for=10
. "$here/wine_run.sh"

make_program logging-program
printf '[MAIN]\r\nVISI0=1\r\nCPUCLOCK=10\r\nLOGENABLE=1\r\nLOGTIMING=10\r\nLOGWRITE=1\r\nLOGUNSAVED=1\r\nCAPCPU=1\r\nCAPMEM=1\r\nCAPNET=1\r\nNEWLOG=0\r\nDELLOG=7\r\n' \
    >"$program/velmora.ini"

start=$(date +%s)
start_velmora "$run_for"
wait_exit "$app" $((run_for + 60))
elapsed=$(( $(date +%s) - start ))
[ "$exit_code" -eq 0 ] || fail "velmora.exe ended with $exit_code (124: still running $((run_for + 60)) s after its start)"

count=$(find "$program/logs" -maxdepth 1 -name '[a-f]????-??-??-??.log' | wc -l)
if [ "$count" -eq 6 ]; then
    pass "six log files when --run-for $run_for ended velmora.exe, ${elapsed} s after its start"
else
    fail "$count of the six log files when velmora.exe ended after ${elapsed} s"; ls -l "$program/logs"
fi

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
