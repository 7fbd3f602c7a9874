#!/usr/bin/env bash
# Runs each fuzz target of BUILD (made with VELMORA_FUZZ) for SECONDS on its
# checked-in corpus, fuzz/corpus/<target>/. What a run adds to the corpus
# stays in BUILD/corpus/<target>/; an input that breaks a target is kept in
# BUILD/crashes/<target>/, to be added to fuzz/corpus once it is fixed.
set -uo pipefail

build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")/.." && pwd)"
failed=()
for program in "$build"/fuzz/fuzz_*; do
  [ -x "$program" ] || continue
  target="${program##*/fuzz_}"
  mkdir -p "$build/corpus/$target" "$build/crashes/$target"
  echo "== $target: $seconds s"
  # The bounds are the program's own: inputs of a few kilobytes, no single
  # allocation near 512 MiB, no input taking 10 s.
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
       -print_final_stats=1 -artifact_prefix="$build/crashes/$target/" \
       "$build/corpus/$target" "$here/fuzz/corpus/$target" 2>"$build/crashes/$target.log"; then
    failed+=("$target")
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^(==[0-9]+==)?ERROR|^SUMMARY|^velmora fuzz' \
    "$build/crashes/$target.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: ${failed[*]} broke; the inputs are in $build/crashes/, the logs beside them"
  exit 1
fi
echo "fuzz: no target broke"
