# Shared by the tests that run the shipped programs inside a folder used as the root of the file
# system (sourced, not run). A program there sees only what the test put into that folder.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

fail() {
  echo "FAIL: $*"
  exit 1
}

# Sets enter to the command that runs a program with $1 as its root: chroot for root, else a
# user namespace of one's own.
enter_root() {
  if [ "$(id -u)" = 0 ]; then
    enter=(chroot "$1")
  elif unshare -r true 2>/dev/null; then
    enter=(unshare -r -R "$1")
  else
    fail "neither chroot (needs root) nor unshare -r (needs user namespaces) can enter $1"
  fi
}

# Evaluates the bundled example with PROGRAM (a path inside ROOT) in the folder DIR inside ROOT
# and compares the report with the one the golden case of that example expects.
#   run_example ROOT PROGRAM DIR
run_example() {
  local root=$1 program=$2 dir=$3 case_dir=$repo/tests/cases/worked-example status
  cmp -s "$repo/examples/input.txt" "$case_dir/input.txt" &&
    cmp -s "$repo/examples/submission.txt" "$case_dir/submission.txt" ||
    fail "examples/ and tests/cases/worked-example/ no longer hold the same files"
  mkdir -p "$root$dir"
  cp "$repo/examples/input.txt" "$repo/examples/submission.txt" "$root$dir/"
  enter_root "$root"
  status=0
  "${enter[@]}" "$program" eval "$dir/input.txt" "$dir/submission.txt" "$dir/report.txt" ||
    status=$?
  [ "$status" = 0 ] || fail "$program exited with status $status on the example"
  cmp -s "$case_dir/expected.txt" "$root$dir/report.txt" ||
    fail "$program wrote another report for the example: $(head -c 300 "$root$dir/report.txt")"
  echo "example: $program wrote the expected report"
}

# Runs every golden case against EVALUATOR (a path inside ROOT), each case's files in the folder
# DIR inside ROOT, and ends in a line counting the passed and failed cases.
#   golden_in_root ROOT EVALUATOR DIR
golden_in_root() {
  local root=$1 evaluator=$2 dir=$3 passed=0 failed=0 case_dir
  enter_root "$root"
  for case_dir in "$repo"/tests/cases/*/; do
    case_dir=${case_dir%/}
    if ROOT=$root EMULATOR="${enter[*]}" bash "$repo/tests/run_case.sh" "$root$evaluator" \
      "$case_dir" "$root$dir/${case_dir##*/}"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
    fi
  done
  rm -rf "${root:?}$dir"
  echo "golden cases run by $evaluator inside $root"
  echo "golden: $passed passed, $failed failed"
  [ "$failed" = 0 ]
}
