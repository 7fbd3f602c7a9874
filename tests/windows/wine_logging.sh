#!/usr/bin/env bash
# velmora.exe under Wine logs at one tick a second; with LOGUNSAVED=1 the
# lines not yet flushed are written when --run-for ends it: then all six log
# files are in logs\, every line well formed and ending in CR LF. Then, on
# those logs in the unpacked Windows zip, the main bar's second button
# starts Logscope.exe from beside velmora.exe, Esc closes it and its
# process ends; without the file the button starts nothing and velmora.exe
# runs on.
#   wine_logging.sh STATE-DIR WINDOWS-BUILD-DIR
set -u

here=$(cd "$(dirname "$0")" && pwd)
# Several ticks once the engine runs, long before the one-minute flush.
run_for=10
. "$here/wine_run.sh"
# shellcheck source=../support/pointer.sh
. "$here/../support/pointer.sh"

make_program logging-program
printf '[MAIN]\r\nVISI0=1\r\nCPUCLOCK=10\r\nLOGENABLE=1\r\nLOGTIMING=10\r\nLOGWRITE=1\r\nLOGUNSAVED=1\r\nCAPCPU=1\r\nCAPMEM=1\r\nCAPNET=1\r\nNEWLOG=0\r\nDELLOG=7\r\n' \
    >"$program/velmora.ini"

start=$(date +%s)
start_velmora "$run_for"
wait_exit "$app" $((run_for + 60))
elapsed=$(( $(date +%s) - start ))
verdict "--run-for $run_for ended velmora.exe with 0, ${elapsed} s after its start" \
    "velmora.exe ended with $exit_code (124: still running $((run_for + 60)) s after its start)" [ "$exit_code" -eq 0 ]

# One file of each family, every byte of it in well-formed lines ending in CR LF.
line='^[0-9]{2}/[0-9]{2}/[0-9]{2}, [0-9]{2}:[0-9]{2}:[0-9]{2}\.0[0-9]{3}, [0-5], [0-9AB], -?[0-9]+(\.[0-9]{0,3}[1-9])?'$'\r''$'
for letter in a b c d e f; do
    files=$(find "$program/logs" -maxdepth 1 -name "${letter}????-??-??-??.log")
    file=${files%%$'\n'*}
    [ -n "$file" ] && [ "$file" = "$files" ] || { fail "not one file $letter: '$files'"; ls -l "$program/logs"; continue; }
    lines=$(wc -l <"$file")
    bad=$(grep -cEv "$line" "$file")
    ends=$(tail -c 2 "$file" | od -An -tx1 | tr -d ' \n')
    if [ "$lines" -gt 0 ] && [ "$bad" -eq 0 ] && [ "$ends" = "0d0a" ]; then
        pass "$(basename "$file"): $lines well-formed lines"
    else
        fail "$(basename "$file"): $lines lines, $bad malformed, last bytes $ends"; head -n 3 "$file" | od -c | head -n 5
    fi
done

# The Windows zip as a user unpacks it, with these logs in its logs\.
logs=$program/logs
make_program zip-program
zip=$(mktemp -u /tmp/velmora-zip.XXXXXX).zip
if "$here/../../scripts/package-windows.sh" "$winbuild" "$zip" >/dev/null && unzip -q "$zip" -d "$program"; then
    rm -f "$zip"
    # Logscope.exe must be beside velmora.exe: the button below starts it from there.
    program=$program/VELMORA
    folder=$(timeout 60 "$session" run "$state" winepath -w "$program" | tr -d '\r')
    cp "$logs"/*.log "$program/logs/"
else
    rm -f "$zip"
    fail "the Windows zip could not be made or unpacked"; finish_run; exit 1
fi
start_velmora 200 "$program/velmora.exe"
# The Wine processes of this program folder's Logscope.exe, by their command lines.
viewers() {
    local pid
    for pid in $(pgrep -f 'Logscope\.exe'); do
        tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qiF "$folder\\Logscope.exe" && echo "$pid"
    done
}
bar=""
# Only shown: its shape and alpha are other scripts' checks, and on a busy
# machine they can trail the showing.
shown=$(check --shown frmMain) && bar=$(x_window_of frmMain)
if [ -n "$bar" ]; then
    click_log_button "$bar"
    if check --shown frmLogscope >/dev/null; then
        title=$(xdotool search --onlyvisible --name '^Logscope' getwindowname 2>/dev/null | head -n 1)
        if [ "$title" = "Logscope — $folder\logs" ]; then pass "the main bar's second button opened \"$title\""
        else fail "the log viewer is titled '$title', not 'Logscope — $folder\logs'"; fi
        seen=$(viewers)
        check --key frmLogscope 27 --gone frmLogscope >/dev/null || fail "Esc did not close the log viewer"
        for _ in $(seq 200); do [ -z "$(viewers)" ] && break; sleep 0.1; done
        if [ -n "$seen" ] && [ -z "$(viewers)" ]; then pass "Esc closed the log viewer and its process ($seen) ended"
        else fail "the log viewer's process: '$seen' while shown, '$(viewers)' 20 s after Esc"; fi
    else
        fail "the main bar's second button showed no log viewer within 60 s"
    fi
    rm "$program/Logscope.exe"
    click_log_button "$bar"
    for _ in $(seq 50); do [ -n "$(viewers)" ] && break; sleep 0.1; done
    if [ -z "$(viewers)" ] && check --gone frmLogscope frmMain >/dev/null && kill -0 "$app" 2>/dev/null; then
        pass "without Logscope.exe the button started nothing and velmora.exe runs on"
    else
        fail "without Logscope.exe: viewer processes '$(viewers)', velmora.exe $(kill -0 "$app" 2>/dev/null && echo runs || echo ended)"
    fi
    end_session "after the log viewer closed"
else
    fail "no main bar to click: $shown"
fi

finish_run
