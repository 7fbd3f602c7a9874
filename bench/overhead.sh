#!/usr/bin/env bash
# Whole-process overhead: runs the real program on a private Xvfb
# (1280 x 1024, with xcompmgr) and reports, for a window of SECONDS after a
# warm-up, its CPU, the CPU the X server and the compositing manager spent
# meanwhile, and its peak resident memory.
#   overhead.sh BUILD-DIR [SECONDS] [CASE...]
# SECONDS is the measured window (default 120; the warm-up is
# OVERHEAD_WARMUP seconds, default 15). CASEs, all by default:
#   desktop   the shipped app/velmora.ini (the default desktop)
#   peers     conky and GKrellM with their defaults, when installed
#   floor     velmora_floor: only the default desktop's rhythm (a clock face
#             changed ten times a second, the pointer and its pixel read four
#             times a second), the least any program keeping it costs
#   levers    the default desktop with one saving switched off at a time
#             (VELMORA_NO_SHM=1, VELMORA_TIMER_SLACK_MS=0), and the build in
#             OVERHEAD_BEFORE (a velmora executable) when given
#   cpu       the main bar alone; every CPU module in the EKG and line-graph
#             styles at CPUCLOCK 1 (100 ms) and 10 (1 s)
#   fullview  the main bar with the Full View on four of its pages (xdotool)
#   remote    the default desktop watching this machine's node exporter
#             (prometheus-node-exporter, started on a free loopback port and
#             ended after) at a 1 s scrape, beside the default desktop in the
#             same run; also the exporter's own CPU over that window
#   wine      velmora.exe (OVERHEAD_WINE_EXE, default build-win/velmora.exe)
#             on the default desktop under Wine in a fresh prefix: its CPU,
#             and wineserver's over the same window (not run by default)
# CPU is the scheduler's own account (/proc/PID/schedstat, nanoseconds) as a
# share of one core. What the X server and the compositing manager spend with
# no client at all is measured first over a window of the same length and
# taken off theirs, so "X caused" is what the client made them do.
set -uo pipefail
build=${1:-build}
window=${2:-120}
shift $(($# < 2 ? $# : 2))
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(desktop peers floor levers cpu fullview remote)
warmup=${OVERHEAD_WARMUP:-15}
[ "$window" -ge 10 ] || { echo "overhead.sh: measure for at least 10 s" >&2; exit 2; }
[ "$warmup" -ge 12 ] || { echo "overhead.sh: warm up for at least 12 s (start-up alone takes about 10)" >&2; exit 2; }
exe="$(cd "$build" && pwd)/velmora"
[ -x "$exe" ] || { echo "overhead.sh: $exe is missing; build first" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d /tmp/velmora-overhead.XXXXXX)
mkdir -p "$work/home"
. "$here/../scripts/processes.sh"
cleanup() { end_all; rm -rf "$work"; }
trap cleanup EXIT INT TERM

num=80
while [ -e "/tmp/.X${num}-lock" ] || [ -e "/tmp/.X11-unix/X${num}" ]; do num=$((num + 1)); done
start_group Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1
xserver=$!
export DISPLAY=":$num"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "overhead.sh: Xvfb did not start" >&2; exit 1; }
start_group xcompmgr >/dev/null 2>&1
compositor=$!
sleep 1

# Nanoseconds a process has run so far; 0 once it is gone.
ns_of() { awk '{ print $1 }' "/proc/$1/schedstat" 2>/dev/null || echo 0; }
peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

# The idle server and compositing manager over one window.
sleep 2
x0=$(ns_of "$xserver"); c0=$(ns_of "$compositor")
sleep "$window"
idle_x=$(($(ns_of "$xserver") - x0)); idle_c=$(($(ns_of "$compositor") - c0))

# One program folder per case: the skins and a velmora.ini.
program_folder() {  # NAME [CPUCLOCK VISI]: no CPUCLOCK means the shipped velmora.ini
  local dir="$work/$1"
  mkdir -p "$dir"
  cp -r "$build/skins" "$dir/"
  if [ $# -lt 2 ]; then cp "$here/../app/velmora.ini" "$dir/"; echo "$dir"; return; fi
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

# Double-clicks the main bar, then clicks Full View screen button B and,
# when given, sub-view button S (positions from fullview/fullview_layout.h).
open_fullview() {  # B [S]
  local bar fv X Y
  bar=$(xdotool search --name '^VELMORA v2$' 2>/dev/null | tail -n 1)
  [ -n "$bar" ] || { echo "overhead.sh: no main bar to open the Full View from" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
  xdotool mousemove $((X + 30)) $((Y + 24)); sleep 0.3
  xdotool mousemove $((X + 31)) $((Y + 24)); sleep 0.3
  xdotool click --repeat 2 --delay 80 1; sleep 1
  fv=$(xdotool search --name '^VELMORA v2 – Full View$' 2>/dev/null | head -n 1)
  [ -n "$fv" ] || { echo "overhead.sh: the Full View did not open" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$fv" | grep -E '^(X|Y)=')"
  xdotool mousemove $((X + 80)) $((Y + 55 + 36 * $1)); sleep 0.2; xdotool click 1; sleep 0.3
  if [ -n "${2:-}" ]; then xdotool mousemove $((X + 33 + 47 * $2)) $((Y + 246)); sleep 0.2; xdotool click 1; fi
  xdotool mousemove 0 0
}

declare -A own_cpu
# Runs CMD, warms up, measures one window, ends it.
#   measure LABEL KEY [--fullview B [S]] -- CMD...
measure() {
  local label=$1 key=$2 fv=()
  shift 2
  if [ "$1" = --fullview ]; then fv=("$2"); shift 2; [ "$1" != -- ] && { fv+=("$1"); shift; }; fi
  shift  # --
  HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" start_group "$@" \
    >"$work/$key.log" 2>&1 </dev/null
  local app=$!
  if [ ${#fv[@]} -gt 0 ]; then sleep $((warmup - 3)); open_fullview "${fv[@]}"; sleep 1; else sleep "$warmup"; fi
  if ! kill -0 "$app" 2>/dev/null; then
    printf '%-56s did not run (see below)\n' "$label"; tail -n 3 "$work/$key.log"; return
  fi
  local a0 x0 c0 a1 x1 c1 kb w0=0 w1=0
  a0=$(ns_of "$app"); x0=$(ns_of "$xserver"); c0=$(ns_of "$compositor")
  [ -n "${watch_pid:-}" ] && w0=$(ns_of "$watch_pid")
  sleep "$window"
  a1=$(ns_of "$app"); x1=$(ns_of "$xserver"); c1=$(ns_of "$compositor"); kb=$(peak_kb "$app")
  [ -n "${watch_pid:-}" ] && w1=$(ns_of "$watch_pid")
  kill -TERM -- "-$app" 2>/dev/null
  wait_exit "$app" 10
  [ "$exit_code" = 124 ] && kill -KILL -- "-$app" 2>/dev/null
  own_cpu[$key]=$(awk -v d=$((a1 - a0)) -v w="$window" 'BEGIN { printf "%.4f", 100 * d / 1e9 / w }')
  awk -v l="$label" -v a=$((a1 - a0)) -v x=$((x1 - x0 - idle_x)) -v c=$((c1 - c0 - idle_c)) \
      -v k="$kb" -v w="$window" 'BEGIN {
    printf "%-56s %8.3f %% %11.3f %% %11.3f %% %8.1f MB\n", l, 100 * a / 1e9 / w, 100 * x / 1e9 / w,
           100 * c / 1e9 / w, k / 1024 }'
  [ -n "${watch_pid:-}" ] && awk -v l="  $watch_label" -v d=$((w1 - w0)) -v w="$window" \
      'BEGIN { printf "%-56s %8.3f %%\n", l, 100 * d / 1e9 / w }'
}

velmora() {  # LABEL KEY FOLDER [--fullview B [S]] [ENV=VALUE...]
  local label=$1 key=$2 dir=$3 fv=() env=() program=$exe
  shift 3
  if [ "${1:-}" = --fullview ]; then fv=(--fullview "$2"); shift 2
    if [ -n "${1:-}" ] && [ "${1#*=}" = "$1" ]; then fv+=("$1"); shift; fi; fi
  for e in "$@"; do [ "${e%%=*}" = PROGRAM ] && program=${e#PROGRAM=} || env+=("$e"); done
  measure "$label" "$key" "${fv[@]}" -- env "${env[@]}" "$program" --program-folder "$dir" \
    --run-for $((warmup + window + 20))
}

has() { for c in "${cases[@]}"; do [ "$c" = "$1" ] && return 0; done; return 1; }

echo "Overhead on $(nproc) processors, Xvfb 1280x1024 with xcompmgr; ${warmup} s warm-up, then ${window} s measured."
echo "Idle X server $(awk -v x="$idle_x" -v w="$window" 'BEGIN { printf "%.3f", 100 * x / 1e9 / w }') %," \
     "idle xcompmgr $(awk -v x="$idle_c" -v w="$window" 'BEGIN { printf "%.3f", 100 * x / 1e9 / w }') %" \
     "of one core: taken off the figures below."
printf '%-56s %10s %13s %13s %11s\n' "program" "own CPU" "X caused" "xcompmgr" "peak RSS"

if has desktop; then
  velmora "VELMORA, default desktop" desktop "$(program_folder desktop)"
fi
if has peers; then
  if command -v conky >/dev/null; then measure "conky, defaults" conky -- conky; else echo "(conky is not installed)"; fi
  if command -v gkrellm >/dev/null; then measure "GKrellM, defaults" gkrellm -- gkrellm; else echo "(gkrellm is not installed)"; fi
fi
if has floor; then
  if [ -x "$build/velmora_floor" ]; then
    measure "the rhythm alone (velmora_floor)" floor -- "$build/velmora_floor" $((warmup + window + 20))
  else
    echo "(no $build/velmora_floor: build the benchmarks)"
  fi
fi
if has levers; then
  dir=$(program_folder levers)
  velmora "default desktop, presents without MIT-SHM" no-shm "$dir" VELMORA_NO_SHM=1
  velmora "default desktop, no timer slack" no-slack "$dir" VELMORA_TIMER_SLACK_MS=0
  [ -n "${OVERHEAD_BEFORE:-}" ] && velmora "default desktop, ${OVERHEAD_BEFORE_LABEL:-before}" before "$dir" \
    "PROGRAM=$OVERHEAD_BEFORE"
fi
if has cpu; then
  velmora "main bar only, idle" idle "$(program_folder idle 10 0)"
  velmora "5 CPU modules + main bar, CPUCLOCK=1 (100 ms)" fast "$(program_folder fast 1 1)"
  velmora "5 CPU modules + main bar, CPUCLOCK=10 (1 s)" slow "$(program_folder slow 10 1)"
fi
if has fullview; then
  if command -v xdotool >/dev/null; then
    velmora "main bar + Full View, single processor" fv-single "$(program_folder fv-single 10 0)" --fullview 0
    velmora "main bar + Full View, processors summary" fv-summary "$(program_folder fv-summary 10 0)" --fullview 1
    velmora "main bar + Full View, IP page 1" fv-ip "$(program_folder fv-ip 10 0)" --fullview 2
    velmora "main bar + Full View, TCP page" fv-tcp "$(program_folder fv-tcp 10 0)" --fullview 2 2
  else
    echo "(no xdotool: the Full View cases are left out)"
  fi
fi

# The node exporter on a free loopback port: sets $exporter_url and
# $exporter_pid once it answers, or says why not and returns 1.
start_exporter() {
  local port
  for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 30000))
    ss -ltn 2>/dev/null | grep -q ":$port " && continue
    start_group prometheus-node-exporter "--web.listen-address=127.0.0.1:$port" >"$work/exporter.log" 2>&1
    exporter_pid=$!
    exporter_url="http://127.0.0.1:$port/metrics"
    for _ in $(seq 50); do
      curl -sf --max-time 2 "$exporter_url" 2>/dev/null | grep -q '^node_cpu_seconds_total' && return 0
      kill -0 "$exporter_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -TERM -- "-$exporter_pid" 2>/dev/null
    wait_exit "$exporter_pid" 5
  done
  echo "overhead.sh: the node exporter did not answer"; tail -n 3 "$work/exporter.log"; return 1
}

if has remote; then
  if ! command -v prometheus-node-exporter >/dev/null; then
    echo "(prometheus-node-exporter is not installed)"
  elif start_exporter; then
    [ -n "${own_cpu[desktop]:-}" ] || velmora "VELMORA, default desktop" desktop "$(program_folder desktop)"
    dir=$(program_folder remote)
    printf '\n[REMOTE]\nSOURCE=%s\nPERIOD=1000\n' "$exporter_url" >>"$dir/velmora.ini"
    watch_pid=$exporter_pid watch_label="the node exporter it scrapes"
    velmora "VELMORA, default desktop of a remote host, 1 s scrape" remote "$dir"
    unset watch_pid watch_label
    kill -TERM -- "-$exporter_pid" 2>/dev/null
    wait_exit "$exporter_pid" 10
    [ "$exit_code" = 124 ] && kill -KILL -- "-$exporter_pid" 2>/dev/null
  fi
fi

# velmora.exe under Wine: the exe's CPU plus the wineserver's in a prefix of our own.
wine_case() {
  local winexe=${OVERHEAD_WINE_EXE:-$here/../build-win/velmora.exe}
  command -v wine >/dev/null || { echo "(wine is not installed)"; return; }
  [ -f "$winexe" ] || { echo "(no $winexe: make windows first)"; return; }
  local dir
  dir=$(program_folder wine)
  cp "$winexe" "$dir/"
  export WINEPREFIX="$work/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  HOME="$work/home" timeout 240 wineboot -i </dev/null >"$work/wineboot.log" 2>&1
  timeout 60 wineserver -w 2>/dev/null
  HOME="$work/home" start_group wine "$dir/velmora.exe" --run-for $((warmup + window + 20)) >"$work/wine.log" 2>&1 </dev/null
  local group=$! app="" server="" p
  sleep "$warmup"
  app=$(pgrep -x velmora.exe | while read -r p; do
          grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$p/environ" 2>/dev/null && echo "$p"; done | head -n 1)
  for p in $(pgrep -x 'wineserver(64)?'); do
    grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$p/environ" 2>/dev/null && server=$p
  done
  if [ -z "$app" ] || [ -z "$server" ]; then echo "velmora.exe under Wine did not run"; tail -n 3 "$work/wine.log"
  else
    local a0 s0 x0 c0 a1 s1 x1 c1 kb
    a0=$(ns_of "$app"); s0=$(ns_of "$server"); x0=$(ns_of "$xserver"); c0=$(ns_of "$compositor")
    sleep "$window"
    a1=$(ns_of "$app"); s1=$(ns_of "$server"); x1=$(ns_of "$xserver"); c1=$(ns_of "$compositor"); kb=$(peak_kb "$app")
    awk -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v x=$((x1 - x0 - idle_x)) -v c=$((c1 - c0 - idle_c)) -v k="$kb" \
        -v w="$window" 'BEGIN {
      printf "%-56s %8.3f %% %11.3f %% %11.3f %% %8.1f MB\n", "velmora.exe under Wine, default desktop", 100 * a / 1e9 / w,
             100 * x / 1e9 / w, 100 * c / 1e9 / w, k / 1024
      printf "%-56s %8.3f %%\n", "  its wineserver", 100 * s / 1e9 / w
      printf "%-56s %8.3f %%\n", "  velmora.exe + wineserver", 100 * (a + s) / 1e9 / w }'
  fi
  kill -TERM -- "-$group" 2>/dev/null
  timeout 30 wineserver -k 2>/dev/null
  wait_exit "$group" 10
  unset WINEPREFIX
}
has wine && wine_case

# Ratios to the default desktop's own CPU.
if [ -n "${own_cpu[desktop]:-}" ]; then
  for key in conky gkrellm floor no-shm no-slack before remote; do
    [ -n "${own_cpu[$key]:-}" ] || continue
    awk -v k="$key" -v o="${own_cpu[$key]}" -v d="${own_cpu[desktop]}" \
        'BEGIN { if (d > 0) printf "own CPU of %s / default desktop: %.2f\n", k, o / d }'
  done
fi
