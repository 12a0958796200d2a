#!/usr/bin/env bash
# Proof that the shipped Linux programs need nothing from the system: each is copied alone into
# an empty folder used as the root of the file system (no loader, no libraries, no /dev, /proc
# or /etc) and run there. The evaluator must write the example's report and pass every golden
# case; any other program must at least start and end on its own (status below 126: not
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

# The other programs take the shape PROGRAM input.txt submission.txt output.
for program in "$dist"/*; do
  name=${program##*/}
  [ "$name" != Ozi18Zelmiranke ] && [ -x "$program" ] && [[ $name != *.* ]] || continue
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
