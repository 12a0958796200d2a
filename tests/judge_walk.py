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
import judge_readers

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


LINE_CAP = 1000
CUT = b"..."
CAPS = {"judgemessage": 50000, "teammessage": 2000, "cms": 2 * (LINE_CAP + 1), "testlib": 32000}


def feedback(lines, cap, end):
    """The lines as the judge writes them for a judge system: each byte outside printable ASCII
    as \\xHH, each line cut at LINE_CAP bytes, the whole at `cap`, both with "..." where cut."""
    out, room = [], [cap - len(CUT) - len(end)]

    def put(piece):
        if len(piece) > room[0]:
            out.append(CUT + end)
            return False
        out.append(piece)
        room[0] -= len(piece)
        return True

    for line in lines:
        used = 0
        for byte in line:
            piece = bytes([byte]) if 0x20 <= byte <= 0x7E else b"\\x%02X" % byte
            if used + len(piece) + len(CUT) > LINE_CAP:
                if not put(CUT):
                    return b"".join(out)
                break
            if not put(piece):
                return b"".join(out)
            used += len(piece)
        if not put(end):
            return b"".join(out)
    return b"".join(out)


def test_count(input_path):
    """The number of tests of a valid task input: its second line, read as %d reads it."""
    with open(input_path, "rb") as file:
        second = file.read(1 << 16).split(b"\n")[1]
    return int(re.match(rb"\s*([+-]?\d+)", second).group(1))


def fraction_text(answered, tests):
    if answered == tests:
        return b"1.0"
    if answered == 0:
        return b"0.0"
    millionths = min(max(int(answered / tests * 1e6 + 0.5), 1), 999999)
    return ("0.%06d" % millionths).rstrip("0").encode()


def expectations(case, mode):
    """What the judge must say on the case, with no answer: the judge test stands for every test
    of the task input."""
    report_lines = case.report.split(b"\n")[:-1]
    verdict = verdict_of(case.report)
    expected = {"verdict": verdict, "reason": [], "lines": report_lines}
    if verdict != "ok":
        expected["team"] = report_lines[0]
        if verdict in ("setup-error", "internal-error"):
            expected["reason"] = [REASON]  # its words are checked by their start
        return expected
    tests = test_count(case.input)
    answered = sorted({block["test"] for block in ok_blocks(case.report)})
    missing = [test for test in range(1, tests + 1) if test not in answered][:20]
    expected["score"] = fraction_text(len(answered), tests)
    expected.update(tests=tests, answered=len(answered))
    expected["team"] = report_lines[0]
    if missing:
        expected["verdict"] = "missing" if mode != "json" else "ok"
        words = b"Oddaja nima blokov za teste " if tests - len(answered) > 1 \
            else b"Oddaja nima bloka za test "
        expected["team"] = words + b", ".join(b"%d" % test for test in missing) + \
            (b", ..." if tests - len(answered) > len(missing) else b"")
    return expected


def check_mode(judge, mode, case, end):
    expected = expectations(case, mode)
    verdict = expected["verdict"]
    judge_error = verdict in ("setup-error", "internal-error")
    status_class = "rejected" if verdict == "missing" else verdict
    feedback_dir = os.path.join(case.work, "feedback")
    answer = os.path.join(case.work, "answer-is-missing")
    # A missing submission or a folder reads as an empty file on standard input.
    stdin = case.submission
    if not os.path.isfile(stdin):
        stdin = os.path.join(case.work, "empty")
        open(stdin, "wb").close()
    if mode in ("kattis", "domjudge"):
        shutil.rmtree(feedback_dir, ignore_errors=True)
        os.makedirs(feedback_dir)
        command = [judge, mode, case.input, answer, feedback_dir]
    elif mode == "cms":
        command = [judge, mode, case.input, answer, case.submission]
    elif mode == "testlib":
        command = [judge, mode, case.input, case.submission, answer]
    elif mode == "ejudge":
        command = [judge, "testlib", "--ejudge", case.input, case.submission]
    else:
        command = [judge, mode, case.input, case.submission]
    status, out, err = run(command, stdin, case.work)
    problems = []

    def expect(condition, what):
        if not condition:
            problems.append(what)

    if not os.path.isfile(case.submission) and mode not in ("kattis", "domjudge"):
        # A submission that cannot be opened is the grading's fault, never the contestant's.
        expect(status == STATUSES[mode]["setup-error"], "status %d for an unopenable submission"
               % status)
        if mode == "json":
            try:
                obj = judge_json.parse_output(out, "crlf" if end == b"\r\n" else "lf")
                judge_json.check_schema(obj, "crlf" if end == b"\r\n" else "lf")
                expect(obj["verdict"] == "setup-error", "json: not a setup error")
            except (AssertionError, ValueError) as error:
                problems.append("json: %s" % error)
        return problems
    expect(status == STATUSES[mode][status_class], "status %d for %s" % (status, verdict))
    missing_line = [expected["team"]] if verdict == "missing" else []
    try:
        if mode in ("kattis", "domjudge"):
            expect(out == b"" and err == b"", "standard output or error not empty")
            names = sorted(os.listdir(feedback_dir))
            with open(os.path.join(feedback_dir, "judgemessage.txt"), "rb") as file:
                judgemessage = file.read()
            teammessage = None
            if "teammessage.txt" in names:
                with open(os.path.join(feedback_dir, "teammessage.txt"), "rb") as file:
                    teammessage = file.read()
            judge_lines, _ = judge_readers.domjudge_read(judgemessage, teammessage, end)
            # The report comes first, then the English help: the lines of the explanation,
            # which the help's own tests check.
            help_lines = judge_lines[len(missing_line) + len(expected["lines"]):]
            expect(verdict == "ok" or help_lines or judgemessage.endswith(CUT + end),
                   "no help after the report")
            if judge_error:
                expect(names == ["judgemessage.txt"], "feedback files on a judge error")
                expect(judge_lines[0].startswith(REASON) and judgemessage.partition(end)[2]
                       .startswith(feedback(expected["lines"], CAPS["judgemessage"] -
                                            len(judge_lines[0]) - len(end), end)),
                       "judgemessage.txt")
            else:
                expect(names == ["judgemessage.txt", "teammessage.txt"], "feedback files")
                expect(judgemessage.startswith(feedback(missing_line + expected["lines"],
                                                        CAPS["judgemessage"], end)),
                       "judgemessage.txt")
                expect(teammessage == feedback([expected["team"]], CAPS["teammessage"], end),
                       "teammessage.txt")
        elif mode in ("cms", "testlib", "ejudge"):
            if mode == "cms":
                word = b""
                if not judge_error:
                    outcome, message, _ = judge_readers.cms_read(out, err)
                    expect(outcome == float(expected.get("score", b"0.0")), "the outcome")
                expect(out == (expected.get("score", b"0.0") + end if not judge_error else b""),
                       "standard output")
            else:
                word = judge_readers.TESTLIB_WORDS["judge-error" if judge_error else status_class]
                judge_readers.testlib_read(err, "judge-error" if judge_error else status_class, end)
                expect(out == b"", "standard output")
            cap = CAPS["cms" if mode == "cms" else "testlib"]
            if judge_error:
                reason, _, rest = err[len(word):].partition(end)
                expect(reason.startswith(REASON) and
                       rest == feedback([expected["lines"][0]], cap - len(reason) - len(end), end),
                       "standard error")
            else:
                expect(err == word + feedback([expected["team"]], cap, end), "standard error")
        else:
            expect(err == b"", "standard error not empty")
            obj = judge_json.parse_output(out, "crlf" if end == b"\r\n" else "lf")
            judge_json.check_schema(obj, "crlf" if end == b"\r\n" else "lf")
            judge_json.check_agrees_with_message(obj)
            expect(obj["verdict"] == verdict, "verdict %s" % obj["verdict"])
            expect(obj["report"].encode("latin-1") == case.report.replace(b"\n", end), "report")
            if verdict == "ok":
                expect(obj["blocks"] == ok_blocks(case.report), "blocks")
                expect((obj["tests"], obj["answered"], obj["score"]) ==
                       (expected["tests"], expected["answered"], float(expected["score"])),
                       "tests, answered and score")
    except (AssertionError, ValueError) as error:
        problems.append("%s: %s" % (mode, error))
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
