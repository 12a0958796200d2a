#!/usr/bin/env bash
# zelmiranke-judge batch against a shell loop over the evaluator, on COUNT submissions of the
# realistic workload (default 200), taking turns RUNS times (default 5):
#   bench/batch.sh BUILD_DIR [COUNT]
# The submissions are the workload's one submission, each with a contestant number of its own
# (so that the points table has COUNT rows), kept in BUILD_DIR/bench/batch-COUNT. Prints the
# median seconds of the batch with 1 and 2 jobs and of the loop, each as a share of the loop's,
# and the peak resident memory of each (for the loop, of its largest evaluator).
set -euo pipefail
source "$(dirname "$0")/workloads.sh"
build=$1
count=${2:-200}
runs=${RUNS:-5}
dir=$(workload_dir "$build" realistic)
subs=$build/bench/batch-$count
if [ ! -d "$subs" ]; then
  rm -rf "$subs.part" && mkdir -p "$subs.part"
  for i in $(seq 1 "$count"); do
    { printf '%06d\n' "$i"; tail -n +2 "$dir/submission.txt"; } > "$subs.part/$(printf %04d "$i").txt"
  done
  mv "$subs.part" "$subs"
fi
judge=$build/zelmiranke-judge
evaluator=$(evaluator_in "$build")
out=$build/bench/batch-tables
loop='for f in "$2"/*; do "$0" eval "$1" "$f" "$3" || exit 1; done'

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc), runs: $runs"
read -r -a figures < <("$build/bench/bench_measure" "$runs" \
  "$judge" batch --jobs 1 --out "$out" "$dir/input.txt" "$subs" -- \
  "$judge" batch --jobs 2 --out "$out" "$dir/input.txt" "$subs" -- \
  sh -c "$loop" "$evaluator" "$dir/input.txt" "$subs" "$build/bench/batch-loop-report.txt")
printf '%-24s %8s %8s %9s\n' "$count submissions" seconds "/ loop" "peak MiB"
names=("batch --jobs 1" "batch --jobs 2" "shell loop")
for i in 0 1 2; do
  awk -v name="${names[$i]}" -v s="${figures[$((2 * i))]}" -v kib="${figures[$((2 * i + 1))]}" \
    -v loop="${figures[4]}" 'BEGIN { printf "%-24s %8.3f %8.2f %9.1f\n", name, s, s / loop, kib / 1024 }'
done
