#!/usr/bin/env bash
# Runs every fuzzing harness for SECONDS each (default 60), one after the other, and prints
# executions, coverage and findings. fuzz_eval and fuzz_submission start from the golden cases
# and fuzz/corpus/<harness>/ (what earlier runs found, minimised); fuzz_cover, whose input is
# no file but the choices that build one, from fuzz/corpus/cover/. A fault leaves its input in
# BUILD/artifacts/.
#   fuzz/run.sh BUILD_DIR [SECONDS] [HARNESS...]
set -euo pipefail
build=$1
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(eval submission cover)
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/corpus-eval" "$build/corpus-submission" "$build/corpus-cover" "$build/artifacts"
for case_dir in "$root"/tests/cases/*/; do
  name=$(basename "$case_dir")
  input=$case_dir/input.txt submission=$case_dir/submission.txt
  [ -f "$input" ] || input=/dev/null
  [ -f "$submission" ] || submission=/dev/null
  { cat "$input"; printf '\n@@@@\n'; cat "$submission"; } > "$build/corpus-eval/seed-$name"
  tail -n +3 "$submission" > "$build/corpus-submission/seed-$name"
done
status=0
for harness in "${harnesses[@]}"; do
  log=$build/fuzz-$harness.log
  seeds=()
  [ -d "$root/fuzz/corpus/$harness" ] && seeds=("$root/fuzz/corpus/$harness")
  options=(-max_total_time="$seconds" -rss_limit_mb=4096 -timeout=20
    -artifact_prefix="$build/artifacts/$harness-" -print_final_stats=1)
  if [ "$harness" = cover ]; then
    options+=(-max_len=4096)
  else
    options+=(-dict="$root/fuzz/zelmiranke.dict" -max_len=8192)
  fi
  if ! "$build/fuzz/fuzz_$harness" "$build/corpus-$harness" "${seeds[@]}" "${options[@]}" \
      > "$log" 2>&1; then
    status=1
    echo "fuzz_$harness FOUND A FAULT; see $log and $build/artifacts/"
    grep -E -A2 'ERROR|SUMMARY|breaks|two reports|viewer|picture|json|reference|verdict' "$log" | head -8
  fi
  runs=$(grep -E 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  cov=$(grep -E '^#[0-9]+.*cov:' "$log" | tail -1 | sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1 edges, \2 features/')
  echo "fuzz_$harness: ${runs:-?} executions in ${seconds} s, coverage ${cov:-?}"
done
exit $status
