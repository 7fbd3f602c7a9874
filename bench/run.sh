#!/usr/bin/env bash
# The benchmarks: Google Benchmark micro-benchmarks, then the whole-process
# overhead runs.  run.sh BUILD-DIR
set -uo pipefail
build=${1:-build}
"$build/velmora_bench" --benchmark_min_time=0.2
"$(dirname "$0")/overhead.sh" "$build" "${OVERHEAD_SECONDS:-60}"
