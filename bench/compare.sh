#!/usr/bin/env bash
# Compares this tree's evaluator with the one of an earlier revision on the benchmark workloads,
# so that no change makes a workload slower unnoticed:
#   bench/compare.sh BUILD_DIR BASE [WORKLOAD...]
# BUILD_DIR holds this tree's release build and the benchmark tools (`make bench-compare` builds
# them). BASE (a branch, tag or commit) is checked out once per commit as a detached git
# worktree in build/bench-base/<sha>/tree and built there with its own CMake, Release, target
# Ozi18Zelmiranke only, in build/bench-base/<sha>/release; both are reused on the next run.
# `make clean` removes them; git forgets the worktree at the next `git worktree prune`.
#
# For every workload (default: the list of bench/workloads.sh) both evaluators run once and
# their reports must be byte for byte the same: a difference is marked DIFFERS and fails the
# run after the table. Then the two take turns, RUNS times each (default 7), and the table gives
# the median seconds of each, new / old, and SLOWER where the new one is more than 5 % slower,
# with the peak resident memory of each. Nothing else may be running for the figures to mean
# much; on a shared machine repeat a marked workload before believing it.
set -euo pipefail
source "$(dirname "$0")/workloads.sh"
build=$1
base=$2
shift 2
workloads=("$@")
[ ${#workloads[@]} -gt 0 ] || workloads=("${default_workloads[@]}")
runs=${RUNS:-7}

sha=$(git rev-parse --verify --quiet "$base^{commit}") || {
  echo "bench-compare: '$base' names no commit" >&2
  exit 1
}
root=$(git rev-parse --show-toplevel)/build/bench-base/$sha
if [ ! -e "$root/tree/.git" ]; then
  git worktree prune
  rm -rf "$root"
  mkdir -p "$root"
  git worktree add --quiet --detach "$root/tree" "$sha"
fi
# The revision's own build, whatever its folders: only the target name and the options below
# are taken for granted (the test suite stays off, it is not needed).
if ! {
  { [ -f "$root/release/CMakeCache.txt" ] ||
    cmake -S "$root/tree" -B "$root/release" \
      $(command -v ninja >/dev/null && echo "-G Ninja") \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DZEL_TESTS=OFF; } &&
    cmake --build "$root/release" -j "${JOBS:-2}" --target Ozi18Zelmiranke
} >"$root/build.log" 2>&1; then
  cat "$root/build.log" >&2
  echo "bench-compare: building $base ($sha) failed, see $root/build.log" >&2
  exit 1
fi
old=$(evaluator_in "$root/release")
new=$(evaluator_in "$build")
for evaluator in "$old" "$new"; do
  [ -x "$evaluator" ] || {
    echo "bench-compare: an evaluator is missing (old: '$old', new: '$new')" >&2
    exit 1
  }
done

echo "old: $base ($sha)"
echo "new: this tree ($(git describe --always --dirty)), $new"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc), runs: $runs"
printf '%-10s %9s %9s %7s %8s %8s\n' workload old_s new_s new/old old_MiB new_MiB
differ=()
for name in "${workloads[@]}"; do
  dir=$(workload_dir "$build" "$name")
  "$old" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report-old.txt" >/dev/null
  "$new" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report.txt" >/dev/null
  if ! difference=$(cmp "$dir/report-old.txt" "$dir/report.txt" 2>&1); then
    printf '%-10s DIFFERS: %s\n' "$name" "$difference"
    differ+=("$name")
    continue
  fi
  cat "$dir/input.txt" "$dir/submission.txt" >/dev/null  # both files in the page cache
  read -r old_s old_kib new_s new_kib _ < <("$build/bench/bench_measure" "$runs" \
    "$old" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report-old.txt" -- \
    "$new" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report.txt")
  awk -v n="$name" -v o="$old_s" -v s="$new_s" -v ok="$old_kib" -v nk="$new_kib" \
    'BEGIN { mark = s > 1.05 * o ? "  SLOWER" : ""
             printf "%-10s %9.4f %9.4f %7.2f %8.1f %8.1f%s\n", n, o, s, s / o, ok / 1024,
               nk / 1024, mark }'
done
if [ ${#differ[@]} -gt 0 ]; then
  echo "bench-compare: FAILED, the reports differ on: ${differ[*]}" >&2
  exit 1
fi
