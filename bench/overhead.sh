#!/usr/bin/env bash
# Whole-process overhead: runs the real program for a fixed time and reports
# its CPU seconds and peak resident memory.
#   overhead.sh BUILD-DIR [SECONDS]
# Runs: the main bar alone; every CPU module plus the main bar in the
# EKG and line-graph styles at CPUCLOCK 1 (100 ms); the same at CPUCLOCK 10;
# the main bar with the Full View open on its single-processor, summary,
# IP and TCP pages (opened with xdotool, as a user does).
# Uses $DISPLAY when it works, else a private Xvfb with a compositing manager.
set -uo pipefail
build=${1:-build}
seconds=${2:-60}
[ "$seconds" -ge 20 ] || { echo "overhead.sh: run for at least 20 s (start-up alone takes about 10)" >&2; exit 2; }
exe="$(cd "$build" && pwd)/velmora"
[ -x "$exe" ] || { echo "overhead.sh: $exe is missing; build first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "overhead.sh: needs GNU time (apt-get install time)" >&2; exit 1; }

work=$(mktemp -d /tmp/velmora-overhead.XXXXXX)
pids=()
. "$(dirname "$0")/../scripts/processes.sh"
cleanup() { started "${pids[@]}"; end_all; rm -rf "$work"; }
trap cleanup EXIT INT TERM

if ! { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  num=80
  while [ -e "/tmp/.X${num}-lock" ] || [ -e "/tmp/.X11-unix/X${num}" ]; do num=$((num + 1)); done
  Xvfb ":$num" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$num"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xcompmgr >/dev/null 2>&1 &
  pids+=($!)
fi

# One program folder per run: the skins and a velmora.ini for the case.
program_folder() {  # NAME CPUCLOCK VISI(0/1 for the CPU modules)
  local dir="$work/$1"
  mkdir -p "$dir"
  cp -r "$build/skins" "$dir/"
  {
    echo "[MAIN]"
    echo "PLCMNT=0"; echo "ALWAYSOT=1"; echo "VISIBLE=1"; echo "CORNER=3"
    echo "TLUCENTZON=255"; echo "TLUCENTZOFF=100"
    echo "CPUCLOCK=$2"; echo "NETCLOCK=10"; echo "MEMCLOCK=10"
    for m in 0 1 2 3 4; do echo "VISI$m=$3"; done
    echo "VISI5=0"; echo "VISI6=0"; echo "VISI7=0"; echo "VISI8=0"
    # EKG on two modules, line graphs on the others.
    echo "MTYP0=6"; echo "MTYP1=8"; echo "MTYP2=6"; echo "MTYP3=9"; echo "MTYP4=10"
    local x=1045
    for m in 0 1 2 3 4 5 6 7 8; do echo "PosX$m=$x"; echo "PosY$m=-30"; x=$((x + 945)); done
    echo "PosX9=100"; echo "PosY9=-30"
    echo "LOGENABLE=0"
  } >"$dir/velmora.ini"
  echo "$dir"
}

# Nanoseconds a process has run so far (the scheduler's own account, far
# finer than the 10 ms steps of user and system time).
ns_of() { awk '{ print $1 }' "/proc/$1/schedstat" 2>/dev/null; }

# Double-clicks the main bar, then clicks Full View screen button B and,
# when given, sub-view button S (positions from fullview/fullview_layout.h).
open_fullview() {  # B [S]
  local bar fv X Y
  bar=$(xdotool search --name '^frmMain$' 2>/dev/null | head -n 1)
  [ -n "$bar" ] || { echo "overhead.sh: no main bar to open the Full View from" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
  xdotool mousemove $((X + 30)) $((Y + 24)); sleep 0.3
  xdotool mousemove $((X + 31)) $((Y + 24)); sleep 0.3
  xdotool click --repeat 2 --delay 80 1; sleep 1
  fv=$(xdotool search --name '^frmFULLVIEW$' 2>/dev/null | head -n 1)
  [ -n "$fv" ] || { echo "overhead.sh: the Full View did not open" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$fv" | grep -E '^(X|Y)=')"
  xdotool mousemove $((X + 80)) $((Y + 55 + 36 * $1)); sleep 0.2; xdotool click 1; sleep 0.3
  if [ -n "${2:-}" ]; then xdotool mousemove $((X + 33 + 47 * $2)) $((Y + 246)); sleep 0.2; xdotool click 1; fi
  xdotool mousemove 0 0
}

measure() {  # LABEL NAME CPUCLOCK VISI [FULLVIEW-BUTTON [SUBVIEW]]
  local dir
  dir=$(program_folder "$2" "$3" "$4")
  XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" \
    /usr/bin/time -f "%U %S %M" -o "$work/$2.time" "$exe" --program-folder "$dir" --run-for "$seconds" \
    >"$work/$2.log" 2>&1 &
  local timer=$! app=""
  for _ in $(seq 50); do app=$(pgrep -P "$timer" | head -n 1); [ -n "$app" ] && break; sleep 0.1; done
  # Steady state: from after the splash (start-up takes about 10 s) to a
  # second before the end, so the one-off cost of starting is left out.
  local settle=12 t0="" t1=""
  if [ -n "${5:-}" ]; then
    sleep $((settle - 2)); open_fullview "$5" "${6:-}"; sleep 1
  else
    sleep "$settle"
  fi
  t0=$(ns_of "$app")
  sleep $((seconds - settle - 1)); t1=$(ns_of "$app")
  wait "$timer"
  local code=$?
  read -r user sys peak_kb <"$work/$2.time"
  awk -v l="$1" -v u="$user" -v s="$sys" -v k="$peak_kb" -v t="$seconds" -v c="$code" \
      -v t0="${t0:-0}" -v t1="${t1:-0}" -v w=$((seconds - settle - 1)) 'BEGIN {
    cpu = u + s
    printf "%-46s total %5.2f s CPU (%.3f %%)  steady %.3f %% of one core  peak RSS %4.1f MB  exit %d\n",
           l, cpu, 100 * cpu / t, 100 * (t1 - t0) / 1e9 / w, k / 1024, c }'
}

echo "Overhead over $seconds s on $(nproc) cores, display $DISPLAY:"
measure "main bar only, idle" idle 10 0
measure "5 CPU modules + main bar, CPUCLOCK=1 (100 ms)" fast 1 1
measure "5 CPU modules + main bar, CPUCLOCK=10 (1 s)" slow 10 1
if command -v xdotool >/dev/null; then
  measure "main bar + Full View, single processor" fv-single 10 0 0
  measure "main bar + Full View, processors summary" fv-summary 10 0 1
  measure "main bar + Full View, IP page 1" fv-ip 10 0 2
  measure "main bar + Full View, TCP page" fv-tcp 10 0 2 2
else
  echo "(no xdotool: the Full View cases are left out)"
fi
