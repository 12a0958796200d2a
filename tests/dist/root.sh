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

# Runs the judge adapter JUDGE (a path inside ROOT) on the bundled example in the folder DIR
# inside ROOT, as judge systems run it: kattis with the submission on standard input and a
# feedback folder (status 42, judgemessage.txt the example's report, teammessage.txt its first
# line), then json (the object docs/judges.md shows for the example).
#   run_judge_example ROOT JUDGE DIR
run_judge_example() {
  local root=$1 judge=$2 dir=$3 case_dir=$repo/tests/cases/worked-example status json expected
  rm -rf "$root$dir"
  mkdir -p "$root$dir/feedback"
  cp "$repo/examples/input.txt" "$repo/examples/submission.txt" "$root$dir/"
  enter_root "$root"
  status=0
  "${enter[@]}" "$judge" kattis "$dir/input.txt" "$dir/no-answer" "$dir/feedback" \
    < "$root$dir/submission.txt" || status=$?
  [ "$status" = 42 ] || fail "$judge kattis exited with status $status on the example, not 42"
  cmp -s "$case_dir/expected.txt" "$root$dir/feedback/judgemessage.txt" ||
    fail "$judge kattis: judgemessage.txt is not the example's report"
  [ "$(cat "$root$dir/feedback/teammessage.txt")" = OK ] ||
    fail "$judge kattis: teammessage.txt is not OK"
  echo "example: $judge kattis accepted it (42) with the report in the feedback folder"
  expected='{"verdict":"ok","message":"OK","report":"OK\n1\n1 2\n",'
  expected+='"blocks":[{"test":1,"rectangles":2}],"tests":1,"answered":1,"score":1.0}'
  json=$("${enter[@]}" "$judge" json "$dir/input.txt" "$dir/submission.txt") ||
    fail "$judge json exited with status $? on the example"
  [ "$json" = "$expected" ] || fail "$judge json printed another object for the example: $json"
  echo "example: $judge json printed the documented object"
  rm -rf "${root:?}$dir"
}

# Runs every golden case of CASES (default tests/cases) against PROGRAM (a path inside ROOT),
# each case's files in the folder DIR inside ROOT, and ends in a line counting the passed,
# failed and skipped cases. A case that reads /proc is skipped: a bare root has none mounted.
#   golden_in_root ROOT PROGRAM DIR [CASES]
golden_in_root() {
  local root=$1 program=$2 dir=$3 cases=${4:-$repo/tests/cases} passed=0 failed=0 skipped=0
  local case_dir
  enter_root "$root"
  for case_dir in "$cases"/*/; do
    case_dir=${case_dir%/}
    if grep -qs '^/proc/' "$case_dir/args"; then
      skipped=$((skipped + 1))
    elif ROOT=$root EMULATOR="${enter[*]}" bash "$repo/tests/run_case.sh" "$root$program" \
      "$case_dir" "$root$dir/${case_dir##*/}"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
    fi
  done
  rm -rf "${root:?}$dir"
  echo "golden cases of ${cases#"$repo"/} run by $program inside $root"
  echo "golden: $passed passed, $failed failed, $skipped skipped (they read /proc)"
  [ "$failed" = 0 ]
}
