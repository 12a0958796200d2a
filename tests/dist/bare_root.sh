#!/usr/bin/env bash
# Proof that the shipped Linux programs need nothing from the system: each is copied alone into
# an empty folder used as the root of the file system (no loader, no libraries, no /dev, /proc
# or /etc) and run there. The evaluator must write the example's report and pass every golden
# case; the judge adapter must judge the example as Kattis and as JSON and pass its own golden
# cases; any other program must at least start and end on its own (status below 126: not
# "cannot run", not killed by a signal).
#   tests/dist/bare_root.sh DIST_DIR WORK_DIR
set -euo pipefail
source "$(dirname "$0")/root.sh"
dist=$1 work=$2
[ -x "$dist/Ozi18Zelmiranke" ] || fail "$dist/Ozi18Zelmiranke is missing: run make dist first"
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

root=$work/Ozi18Zelmiranke
mkdir "$root"
cp "$dist/Ozi18Zelmiranke" "$root/"
run_example "$root" /Ozi18Zelmiranke ""
golden_in_root "$root" /Ozi18Zelmiranke /cases

[ -x "$dist/zelmiranke-judge" ] || fail "$dist/zelmiranke-judge is missing: run make dist first"
root=$work/zelmiranke-judge
mkdir "$root"
cp "$dist/zelmiranke-judge" "$root/"
run_judge_example "$root" /zelmiranke-judge /example
golden_in_root "$root" /zelmiranke-judge /cases "$repo/tests/judge-cases"

# The other programs take the shape PROGRAM input.txt submission.txt output.
for program in "$dist"/*; do
  name=${program##*/}
  case $name in Ozi18Zelmiranke | zelmiranke-judge | *.*) continue ;; esac
  [ -x "$program" ] || continue
  root=$work/$name
  mkdir "$root"
  cp "$program" "$repo/examples/input.txt" "$repo/examples/submission.txt" "$root/"
  enter_root "$root"
  status=0
  "${enter[@]}" "/$name" /input.txt /submission.txt /output >/dev/null 2>&1 || status=$?
  [ "$status" -lt 126 ] || fail "$name could not run in an empty root (status $status)"
  echo "$name: ran in an empty root (status $status)"
done
rm -rf "$work"
