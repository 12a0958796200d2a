# Sourced by bench/run.sh and bench/compare.sh: the default workloads and where they are kept.

# The workloads of the performance table, in its order; `hugeline` and `hugeinput` (three
# gigabytes on disk, `make bench-bounds`) measure the resource bounds and are not among them.
default_workloads=(realistic overlap blocks large cells long tall wide mixed rows columns halves random
  unions fewboxes copies fewlarge whiterows tiny)

# Prints the folder of workload NAME under BUILD_DIR/bench, generating it first unless it is
# there. A workload is generated once and reused: several gigabytes in all, and deterministic.
# It is written beside its folder and moved in when complete, so that an interrupted run never
# leaves half a workload to be reused; delete the folder to generate it again.
#   workload_dir BUILD_DIR NAME
workload_dir() {
  local build=$1 name=$2
  local dir=$build/bench/$name
  [ -n "$name" ] || return 1
  # Called as $(...), where `set -e` does not reach: every step is chained.
  if [ ! -f "$dir/submission.txt" ]; then
    rm -rf "$dir" "$dir.part" &&
      mkdir -p "$dir.part" &&
      "$build/bench/bench_generate" "$name" "$dir.part" >&2 &&
      mv "$dir.part" "$dir" || return 1
  fi
  echo "$dir"
}

# Prints the evaluator built in BUILD_DIR, wherever the build put it; the newest one when an
# earlier layout of the sources left another behind.
#   evaluator_in BUILD_DIR
evaluator_in() {
  find "$1" -name CMakeFiles -prune -o -name bench-base -prune -o -type f -name Ozi18Zelmiranke \
    -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2-
}
