#!/usr/bin/env python3
"""Runs zelmiranke-judge in one mode on every golden case of the evaluator (tests/cases) that
evaluates two files, the way that mode's judge system runs it, and checks what it says against
the case's expected report: the verdict class of the report, the status, the messages and
feedback files, and for json the object field by field.

  judge_walk.py JUDGE CASES_DIR WORK_DIR MODE [lf|crlf]
MODE is kattis, domjudge, cms, testlib, ejudge or json. EMULATOR, when set, runs the program
(for example under wine).
"""
import os
import re
import shlex
import shutil
import subprocess
import sys

import check_table
import judge_json

UNEXPECTED_LINE = judge_json.UNEXPECTED_LINE.encode()
# Status for each verdict class: ok, rejected, and both kinds of judge error.
STATUSES = {
    "kattis": {"ok": 42, "rejected": 43, "setup-error": 1, "internal-error": 1},
    "cms": {"ok": 0, "rejected": 0, "setup-error": 1, "internal-error": 1},
    "testlib": {"ok": 0, "rejected": 1, "setup-error": 3, "internal-error": 3},
    "ejudge": {"ok": 0, "rejected": 5, "setup-error": 6, "internal-error": 6},
    "json": {"ok": 0, "rejected": 0, "setup-error": 0, "internal-error": 0},
}
STATUSES["domjudge"] = STATUSES["kattis"]
REASON = b"Sodniska napaka: "


def verdict_of(report):
    """The class of a report, from its first line alone."""
    first = report.split(b"\n")[0].rstrip(b"\r")
    if first == b"OK":
        return "ok"
    if first == UNEXPECTED_LINE:
        return "internal-error"
    check = int(re.match(rb"Napaka \[Ozi18Zelmiranke:(\d+)\]", first).group(1))
    return check_table.verdict(check)


def ok_blocks(report):
    lines = report.split()
    return [{"test": int(test), "rectangles": int(count)}
            for test, count in zip(lines[2::2], lines[3::2])]


class Case:
    def __init__(self, case_dir, work):
        self.name = os.path.basename(case_dir)
        self.work = work
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
        for name in ("input.txt", "submission.txt"):
            if os.path.exists(os.path.join(case_dir, name)):
                shutil.copy(os.path.join(case_dir, name), work)
        if os.path.exists(os.path.join(case_dir, "generate")):
            subprocess.run(["bash", os.path.join(case_dir, "generate"), work], check=True)
        words = ["eval", "{input}", "{submission}", "{report}"]
        if os.path.exists(os.path.join(case_dir, "args")):
            with open(os.path.join(case_dir, "args")) as file:
                words = file.read().split("\n")
        paths = {"{input}": os.path.join(work, "input.txt"),
                 "{submission}": os.path.join(work, "submission.txt"), "{casedir}": case_dir}

        def substitute(word):
            for key, value in paths.items():
                word = word.replace(key, value)
            return word
        self.input, self.submission = substitute(words[1]), substitute(words[2])
        expected = os.path.join(case_dir, "expected.txt")
        if not os.path.exists(expected):
            expected = os.path.join(work, "expected.txt")
        with open(expected, "rb") as file:
            self.report = file.read()


def run(command, stdin_path, work):
    """Status, standard output and standard error. The outputs go to files, not pipes: a
    service that Wine starts on the first run inherits them and would hold a pipe open."""
    emulator = shlex.split(os.environ.get("EMULATOR", ""))
    paths = [os.path.join(work, name) for name in ("stdout", "stderr")]
    with open(stdin_path, "rb") as stdin, open(paths[0], "wb") as out, open(paths[1], "wb") as err:
        status = subprocess.run(emulator + command, stdin=stdin, stdout=out, stderr=err).returncode
    outputs = []
    for path in paths:
        with open(path, "rb") as file:
            outputs.append(file.read())
    return status, outputs[0], outputs[1]


def check_mode(judge, mode, case, end):
    report = case.report.replace(b"\n", end)
    first = report.split(end)[0]
    verdict = verdict_of(case.report)
    judge_error = verdict in ("setup-error", "internal-error")
    feedback = os.path.join(case.work, "feedback")
    answer = os.path.join(case.work, "answer-is-not-read")
    # A missing submission or a folder reads as an empty file; on standard input it is one.
    stdin = case.submission
    if not os.path.isfile(stdin):
        stdin = os.path.join(case.work, "empty")
        open(stdin, "wb").close()
    if mode in ("kattis", "domjudge"):
        shutil.rmtree(feedback, ignore_errors=True)
        os.makedirs(feedback)
        command = [judge, mode, case.input, answer, feedback]
    elif mode == "cms":
        command = [judge, mode, case.input, answer, case.submission]
    elif mode == "testlib":
        command = [judge, mode, case.input, case.submission, answer]
    elif mode == "ejudge":
        command = [judge, "testlib", "--ejudge", case.input, case.submission, answer]
    else:
        command = [judge, mode, case.input, case.submission]
    status, out, err = run(command, stdin, case.work)
    problems = []

    def expect(condition, what):
        if not condition:
            problems.append(what)

    expect(status == STATUSES[mode][verdict], "status %d for %s" % (status, verdict))
    message = (REASON if judge_error else b"") + first + end
    if mode in ("kattis", "domjudge"):
        expect(out == b"" and err == b"", "standard output or error not empty")
        with open(os.path.join(feedback, "judgemessage.txt"), "rb") as file:
            judgemessage = file.read()
        if judge_error:
            reason, _, rest = judgemessage.partition(end)
            expect(reason.startswith(REASON) and rest == report, "judgemessage.txt")
            expect(os.listdir(feedback) == ["judgemessage.txt"], "teammessage.txt on a judge error")
        else:
            expect(judgemessage == report, "judgemessage.txt is not the report")
            with open(os.path.join(feedback, "teammessage.txt"), "rb") as file:
                expect(file.read() == first + end, "teammessage.txt is not the first line")
    elif mode in ("cms", "testlib", "ejudge"):
        if judge_error:
            reason, _, rest = err.partition(end)
            expect(reason.startswith(REASON) and rest == first + end, "standard error")
        else:
            expect(err == first + end, "standard error is not the first line")
        outcome = {"ok": b"1.0", "rejected": b"0.0"}.get(verdict, b"")
        expect(out == (outcome + end if mode == "cms" and outcome else b""), "standard output")
    else:
        expect(err == b"", "standard error not empty")
        try:
            obj = judge_json.parse_output(out, "crlf" if end == b"\r\n" else "lf")
            judge_json.check_schema(obj, "crlf" if end == b"\r\n" else "lf")
            judge_json.check_agrees_with_message(obj)
            expect(obj["verdict"] == verdict, "verdict %s" % obj["verdict"])
            expect(obj["report"].encode("latin-1") == report, "report")
            if verdict == "ok":
                expect(obj["blocks"] == ok_blocks(case.report), "blocks")
        except (AssertionError, ValueError) as error:
            problems.append("json: %s" % error)
    return problems


def main():
    if len(sys.argv) < 5 or sys.argv[4] not in STATUSES:
        sys.exit(__doc__)
    judge, cases_dir, work_dir, mode = sys.argv[1:5]
    end = b"\r\n" if len(sys.argv) > 5 and sys.argv[5] == "crlf" else b"\n"
    failed = walked = 0
    for name in sorted(os.listdir(cases_dir)):
        case_dir = os.path.join(cases_dir, name)
        # Cases with a status of their own are about the evaluator's command line.
        if not os.path.isdir(case_dir) or os.path.exists(os.path.join(case_dir, "status")):
            continue
        case = Case(case_dir, os.path.join(work_dir, name))
        walked += 1
        problems = check_mode(judge, mode, case, end)
        if problems and os.environ.get("EMULATOR"):
            # Wine, loaded by a parallel test run, now and then fails to start a program: a
            # case is run once more there, and a fault that stays shows the second time too.
            print("again under the emulator, %s %s: %s" % (mode, name, "; ".join(problems)))
            problems = check_mode(judge, mode, case, end)
        if problems:
            failed += 1
            print("FAIL %s %s: %s" % (mode, name, "; ".join(problems)))
        shutil.rmtree(case.work, ignore_errors=True)
    print("%s: %d golden cases, %d wrong" % (mode, walked, failed))
    sys.exit(1 if failed or walked == 0 else 0)


if __name__ == "__main__":
    main()
