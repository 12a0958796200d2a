#!/usr/bin/env bash
# Generates the workloads (once) into BUILD_DIR/bench and prints one table: workload, bytes,
# evaluator time, floor time (bench_floor: the least any reader of the two files must do) over
# the same two files, their ratio, and peak memory against the bound 2 x input + submission / 4
# + 64 MiB. Times are medians of RUNS runs (default 7), the evaluator and the floor taking turns.
#   bench/run.sh BUILD_DIR [WORKLOAD...]
# Without workloads it runs the default list of bench/workloads.sh.
set -euo pipefail
source "$(dirname "$0")/workloads.sh"
build=$1
shift
workloads=("$@")
[ ${#workloads[@]} -gt 0 ] || workloads=("${default_workloads[@]}")
runs=${RUNS:-7}
evaluator=$(evaluator_in "$build")
[ -x "$evaluator" ] || { echo "bench: no Ozi18Zelmiranke in $build" >&2; exit 1; }

printf '%-10s %12s %9s %9s %6s %9s %9s\n' workload bytes eval_s floor_s ratio peak_MiB bound_MiB
for name in "${workloads[@]}"; do
  dir=$(workload_dir "$build" "$name")
  input_bytes=$(stat -c %s "$dir/input.txt")
  submission_bytes=$(stat -c %s "$dir/submission.txt")
  "$evaluator" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report.txt"
  case $name in
    hugeline) expect='Napaka [Ozi18Zelmiranke:190]' ;;  # the line is the contestant number
    *) expect=OK ;;
  esac
  head -c 100 "$dir/report.txt" | grep -qF "$expect" || { echo "$name: unexpected report"; head -c 300 "$dir/report.txt"; exit 1; }
  cat "$dir/input.txt" "$dir/submission.txt" > /dev/null  # both files in the page cache
  read -r eval_s peak_kib floor_s _ < <("$build/bench/bench_measure" "$runs" \
    "$evaluator" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report.txt" -- \
    "$build/bench/bench_floor" "$dir/input.txt" "$dir/submission.txt")
  bound_mib=$(( (2 * input_bytes + submission_bytes / 4) / 1048576 + 64 ))
  awk -v n="$name" -v b=$((input_bytes + submission_bytes)) -v e="$eval_s" -v f="$floor_s" \
    -v p="$peak_kib" -v m="$bound_mib" \
    'BEGIN { printf "%-10s %12d %9.4f %9.4f %6.2f %9.1f %9d\n", n, b, e, f, e / f, p / 1024, m }'
done
echo "cores: $(nproc)"
