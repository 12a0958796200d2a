#!/usr/bin/env bash
# Runs the evaluator (or the viewer) on one golden case and compares what it did with what the
# case expects.
#   run_case.sh PROGRAM CASE_DIR WORK_DIR [lf|crlf] [DEFAULT_ARGS]
# A case folder holds input.txt, submission.txt and expected.txt (the exact report; without
# it, no report may be created). Optional: args (one argument a line, with {input},
# {submission}, {report} and {casedir} standing for the paths), status (the exit status,
# default 0), stdout.txt (the exact standard output, default nothing) and generate (a bash
# script run as `generate WORK_DIR` that writes large input.txt, submission.txt or
# expected.txt there, for files too large to keep). A picture ({picture} in the command line)
# is checked against expected.svg (the exact picture) and elements.txt and absent.txt (lines
# that must and must not stand in it); it must be well-formed XML within the picture bound;
# without expected.svg or elements.txt, no picture may be created. DEFAULT_ARGS is the command
# line of a case without args (default: "eval {input} {submission} {report}"). EMULATOR, when
# set, runs the program (for example under wine). ROOT, when set, is a folder the program sees
# as the root of the file system (EMULATOR is then for example `chroot ROOT`): the program and
# WORK_DIR lie inside it, are named to the program without that prefix, and {casedir} stands
# for a copy of the case folder in WORK_DIR.
# For programs run the way judge systems run checkers: stdin (the name of the file in WORK_DIR
# that feeds standard input), {feedback} (an empty folder made for the run; the files it must
# hold afterwards, and no others, stand in the case's folder feedback/; the files of
# feedback-before/ are put into it before the run, as an earlier run left them), stderr.txt (the exact
# standard error, with the paths of args; without it, nothing may be written there unless the
# status is 2) and
# stdout.json (standard output must be this JSON object on one line; where the platform's line
# end is CR LF, so is each LF in its strings).
set -u
evaluator=$1 case_dir=$2 work=$3 line_end=${4:-lf}
default_args=${5:-eval {input\} {submission\} {report\}}
picture=$work/picture.svg
root=${ROOT:-}
export LC_ALL=C

fail() { echo "FAIL ${case_dir##*/}: $*"; exit 1; }

rm -rf "$work" && mkdir -p "$work" || fail "cannot prepare $work"
for name in input.txt submission.txt; do
  [ -e "$case_dir/$name" ] && cp "$case_dir/$name" "$work/$name"
done
if [ -f "$case_dir/generate" ]; then
  bash "$case_dir/generate" "$work" || fail "generate failed"
fi
expected=$case_dir/expected.txt
[ -f "$expected" ] || expected=$work/expected.txt

# A path as the evaluator sees it.
seen() { printf '%s' "${1#"$root"}"; }
seen_case_dir=$case_dir
if [ -n "$root" ]; then
  cp -R "$case_dir" "$work/case" || fail "cannot copy the case into $work"
  seen_case_dir=$(seen "$work/case")
fi
seen_work=$(seen "$work")

substitute() {
  local word=$1
  word=${word//\{input\}/$seen_work/input.txt}
  word=${word//\{submission\}/$seen_work/submission.txt}
  word=${word//\{report\}/$seen_work/report.txt}
  word=${word//\{casedir\}/$seen_case_dir}
  word=${word//\{picture\}/$seen_work/picture.svg}
  word=${word//\{feedback\}/$seen_work/feedback}
  printf '%s' "$word"
}
args=()
if [ -f "$case_dir/args" ]; then
  while IFS= read -r word || [ -n "$word" ]; do
    args+=("$(substitute "$word")")
  done < "$case_dir/args"
else
  for word in $default_args; do
    args+=("$(substitute "$word")")
  done
fi

mkdir "$work/feedback" || fail "cannot make the feedback folder"
fill_feedback() {
  [ -d "$case_dir/feedback-before" ] && cp "$case_dir/feedback-before"/* "$work/feedback/"
  return 0
}
fill_feedback
run_program() {
  # shellcheck disable=SC2086 # EMULATOR may be a command with its own arguments
  ${EMULATOR:-} "$(seen "$evaluator")" "${args[@]}" > "$work/stdout" 2> "$work/stderr"
}
run_case() {
  if [ -f "$case_dir/stdin" ]; then
    run_program < "$work/$(tr -d '\r\n' < "$case_dir/stdin")"
  else
    run_program
  fi
}
run_case
status=$?

expected_status=0
[ -f "$case_dir/status" ] && expected_status=$(tr -d ' \r\n' < "$case_dir/status")
# Wine, started by many cases at once, now and then fails to start a program at all: once more,
# saying so, and a program that really fails fails again.
if [ "$status" != "$expected_status" ] && [ -n "${EMULATOR:-}" ]; then
  echo "again under the emulator: exit status $status, standard error: $(head -c 300 "$work/stderr")"
  rm -rf "$work/feedback" "$work/report.txt" "$picture" && mkdir "$work/feedback" && fill_feedback
  run_case
  status=$?
fi
[ "$status" = "$expected_status" ] || fail "exit status $status, expected $expected_status"

# Under an emulator the output text is the same but for its line ends: each LF is CR LF there
# (a last line without a line end stays without one).
to_line_end() { if [ "$line_end" = crlf ]; then perl -pe 's/\n/\r\n/' "$1"; else cat "$1"; fi; }

# Compares a file the program wrote with the expected one in the case.
same_text() {
  if ! cmp -s <(to_line_end "$1") "$2"; then
    echo "--- expected"; to_line_end "$1" | head -c 2000 | cat -A
    echo "--- got"; head -c 2000 "$2" | cat -A
    fail "$3 differs"
  fi
}

if [ -f "$case_dir/stdout.txt" ]; then
  same_text "$case_dir/stdout.txt" "$work/stdout" "standard output"
elif [ -f "$case_dir/stdout.json" ]; then
  python3 "$(dirname "$0")/judge_json.py" compare "$case_dir/stdout.json" "$work/stdout" "$line_end" ||
    fail "standard output is not the expected JSON object"
else
  [ -s "$work/stdout" ] && fail "unexpected standard output: $(head -c 200 "$work/stdout")"
fi
if [ -f "$case_dir/stderr.txt" ]; then
  while IFS= read -r line; do substitute "$line" && echo; done < "$case_dir/stderr.txt" > "$work/stderr.txt"
  same_text "$work/stderr.txt" "$work/stderr" "standard error"
elif [ "$expected_status" = 2 ]; then
  [ "$(wc -l < "$work/stderr")" -ge 1 ] || fail "no line on standard error"
else
  [ -s "$work/stderr" ] && fail "unexpected standard error: $(head -c 200 "$work/stderr")"
fi
for file in "$work/feedback"/*; do
  [ -e "$file" ] || continue
  [ -f "$case_dir/feedback/${file##*/}" ] || fail "unexpected feedback file ${file##*/}"
done
for file in "$case_dir/feedback"/*; do
  [ -e "$file" ] || continue
  [ -f "$work/feedback/${file##*/}" ] || fail "no feedback file ${file##*/}"
  same_text "$file" "$work/feedback/${file##*/}" "feedback file ${file##*/}"
done

if [ -f "$expected" ]; then
  [ -f "$work/report.txt" ] || fail "no report written"
  same_text "$expected" "$work/report.txt" "report"
elif [ -e "$work/report.txt" ]; then
  fail "a report was created"
fi

if [ -f "$case_dir/expected.svg" ] || [ -f "$case_dir/elements.txt" ]; then
  [ -f "$picture" ] || fail "no picture written"
  [ "$(wc -c < "$picture")" -le 20000000 ] || fail "the picture is larger than its bound"
  python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$picture" ||
    fail "the picture is not well-formed XML"
  if [ -f "$case_dir/expected.svg" ] && ! cmp -s "$case_dir/expected.svg" "$picture"; then
    diff "$case_dir/expected.svg" "$picture" | head -40
    fail "picture differs"
  fi
  for list in elements absent; do
    [ -f "$case_dir/$list.txt" ] || continue
    while IFS= read -r element || [ -n "$element" ]; do
      if grep -qF -- "$element" "$picture"; then found=elements; else found=absent; fi
      [ "$found" = "$list" ] || fail "picture: $list.txt: $element"
    done < "$case_dir/$list.txt"
  done
elif [ -e "$picture" ]; then
  fail "a picture was created"
fi

for name in input.txt submission.txt; do
  if [ -e "$case_dir/$name" ]; then
    cmp -s "$case_dir/$name" "$work/$name" || fail "$name was changed"
  fi
done
exit 0
