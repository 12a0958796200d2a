#!/usr/bin/env python3
"""`zelmiranke-judge batch` as a program: the worked example of docs/contest.md gives the tables
of tests/batch-example/ byte for byte; a run cut short by Ctrl-C changes no table; the progress
line shows on a terminal and nowhere else; a table never replaces an input; a submission that
cannot be read has its own row, out of the points, and status 1. And the awk scorer of
docs/judges.md reads a report with LF and with CR LF line ends alike.

  batch_run.py JUDGE SOURCE_DIR WORK_DIR [lf|crlf]
EMULATOR, when set, runs the program (for example under wine); the parts that need signals or
a terminal are left out there.
"""
import os
import pty
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

EMULATOR = shlex.split(os.environ.get("EMULATOR", ""))
faults = []


def expect(condition, what):
    if not condition:
        faults.append(what)


def batch(judge, args, cwd=None, stderr=None):
    """The status and standard error (unless `stderr` is given). The outputs go to a file, not
    a pipe: a service that Wine starts on the first run inherits them and would hold a pipe
    open."""
    with tempfile.TemporaryFile() as err:
        status = subprocess.run(EMULATOR + [judge, "batch"] + args, cwd=cwd,
                                stdout=subprocess.DEVNULL, stderr=stderr or err).returncode
        err.seek(0)
        return subprocess.CompletedProcess(args, status, None, err.read())


def worked_example(judge, source, work, crlf):
    contest = os.path.join(source, "examples", "contest")
    expected = os.path.join(source, "tests", "batch-example")
    runs = {"ratio": ["--points", "10,20,30"],
            "thresholds": ["--points", "10,20,30", "--formula", "thresholds", "--reference",
                           "reference.txt", "--levels", "1,0.5"]}
    for name, options in runs.items():
        out = os.path.join(work, name)
        shutil.rmtree(out, ignore_errors=True)
        result = batch(judge, ["--out", out] + options + ["input.txt", "submissions"], contest)
        expect(result.returncode == 0, "%s: status %d" % (name, result.returncode))
        for table in sorted(os.listdir(os.path.join(expected, name))):
            with open(os.path.join(expected, name, table), "rb") as file:
                wanted = file.read()
            if crlf:  # Windows: its line ends and its folder separator
                wanted = wanted.replace(b"\n", b"\r\n")
                wanted = wanted.replace(b"submissions/", b"submissions\\\\" if table.endswith(
                    ".jsonl") else b"submissions\\")
            with open(os.path.join(out, table), "rb") as file:
                expect(file.read() == wanted, "%s: %s is not tests/batch-example's" % (name, table))


def many_copies(work, count):
    """A task input and `count` paths of one submission that takes a while to grade."""
    os.makedirs(work, exist_ok=True)
    task_input = os.path.join(work, "input.txt")
    with open(task_input, "w") as file:
        file.write("Zelmiranke\n1\n\n1 500 500 1 1\n" + ("#" * 500 + "\n") * 500)
    submission = os.path.join(work, "cells.txt")
    with open(submission, "w") as file:
        file.write("123456\nZelmiranke\n")
        for _ in range(4):
            file.write("1\n250000\n")
            file.writelines("%d %d 1 1\n" % (x, y) for y in range(500) for x in range(500))
    return task_input, [submission] * count


def tables_in(out):
    tables = {}
    for name in sorted(os.listdir(out)):
        with open(os.path.join(out, name), "rb") as file:
            tables[name] = file.read()
    return tables


def interrupted(judge, work):
    """Ctrl-C while grading leaves the tables of the run before as they were, and nothing
    beside them."""
    task_input, paths = many_copies(os.path.join(work, "interrupt"), 400)
    out = os.path.join(work, "interrupt", "tables")
    shutil.rmtree(out, ignore_errors=True)
    expect(batch(judge, ["--out", out, task_input, paths[0]]).returncode == 0,
           "Ctrl-C: the run before failed")
    before = tables_in(out)
    process = subprocess.Popen([judge, "batch", "--jobs", "2", "--out", out, task_input] + paths,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    time.sleep(1.0)
    process.send_signal(signal.SIGINT)
    _, err = process.communicate(timeout=120)
    expect(process.returncode == 130, "Ctrl-C: status %d" % process.returncode)
    expect(b"prekinjeno: tabele niso zapisane" in err, "Ctrl-C: no line on standard error")
    expect(len(before) == 6 and tables_in(out) == before,
           "Ctrl-C: the folder holds %s, not the tables of the run before" % os.listdir(out))


def progress_on_a_terminal(judge, work):
    task_input, paths = many_copies(os.path.join(work, "progress"), 3)
    out = os.path.join(work, "progress", "tables")
    master, slave = pty.openpty()
    result = batch(judge, ["--out", out, task_input] + paths, stderr=slave)
    os.close(slave)
    shown = b""
    try:
        while True:
            shown += os.read(master, 4096)
    except OSError:
        pass
    os.close(master)
    expect(result.returncode == 0, "progress: status %d" % result.returncode)
    expect(re.search(rb"\rocenjenih: 3 od 3\r?\n", shown) is not None,
           "progress: the terminal shows %r" % shown[-200:])
    result = batch(judge, ["--out", out, task_input] + paths)
    expect(result.stderr == b"", "progress: standard error, not a terminal, holds %r"
           % result.stderr[:200])


def refusals(judge, source, work):
    contest = os.path.join(source, "examples", "contest")
    folder = os.path.join(work, "refusals")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    task_input = os.path.join(folder, "points.csv")
    shutil.copy(os.path.join(contest, "input.txt"), task_input)
    submission = os.path.join(contest, "submissions", "alice-1.txt")
    result = batch(judge, ["--out", folder, task_input, submission])
    expect(result.returncode == 2 and b"tabela bi prepisala vhodno datoteko" in result.stderr,
           "a table over the task input: status %d" % result.returncode)
    with open(task_input, "rb") as file, open(os.path.join(contest, "input.txt"), "rb") as again:
        expect(file.read() == again.read(), "the task input was changed")
    expect(sorted(os.listdir(folder)) == ["points.csv"], "tables written beside the task input")
    in_the_way = os.path.join(folder, "file")
    open(in_the_way, "w").close()
    result = batch(judge, ["--out", in_the_way, task_input, submission])
    expect(result.returncode == 2 and b"mape za tabele ni mogoce ustvariti" in result.stderr,
           "a file where the folder goes: status %d" % result.returncode)
    out = os.path.join(folder, "tables")
    gone = os.path.join(folder, "gone")
    result = batch(judge, ["--out", out, task_input, submission, gone])
    expect(result.returncode == 1 and b"ni bilo mogoce oceniti" in result.stderr,
           "an unreadable submission: status %d" % result.returncode)
    # Its own row, never the contestant's failure: the points are those of the readable one.
    tables = tables_in(out) if os.path.isdir(out) else {}
    rows = tables.get("submissions.csv", b"").splitlines()
    expect(len(rows) == 3 and rows[-1].endswith(b",,unreadable,,,,"),
           "an unreadable submission: its row is %r" % rows[-1:])
    points = [row.split(b",") for row in tables.get("points.csv", b"").splitlines()[1:]]
    expect([row[:3] + row[4:] for row in points] == [
        [b"1", b"000017", b"2", b"1", b"0", b"1", b"1", b"0"]],
        "an unreadable submission: the points are %r" % points)


def awk_scorer(source, work):
    """The scorer of docs/judges.md, on one report with either line end."""
    with open(os.path.join(source, "docs", "judges.md")) as file:
        page = file.read()
    program = re.search(r"```\n(awk '.*?' reference\.txt report\.txt)\n```", page, re.S)
    expect(program is not None, "docs/judges.md: the awk scorer is not found")
    if program is None or shutil.which("awk") is None:
        return
    folder = os.path.join(work, "awk")
    os.makedirs(folder, exist_ok=True)
    for end in (b"\n", b"\r\n"):
        with open(os.path.join(folder, "reference.txt"), "wb") as file:
            file.write(b"1 2 10" + end + b"2 3 20" + end)
        with open(os.path.join(folder, "report.txt"), "wb") as file:
            file.write(end.join([b"OK", b"3", b"1 4", b"2 3", b"1 2", b""]))
        score = subprocess.run(["sh", "-c", program.group(1)], cwd=folder,
                               stdout=subprocess.PIPE).stdout.strip()
        expect(score == b"30", "the awk scorer gives %r with %r line ends" % (score, end))


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    judge, source, work = (os.path.abspath(path) for path in sys.argv[1:4])
    crlf = len(sys.argv) > 4 and sys.argv[4] == "crlf"
    os.makedirs(work, exist_ok=True)
    worked_example(judge, source, work, crlf)
    refusals(judge, source, work)
    if not EMULATOR:
        interrupted(judge, work)
        progress_on_a_terminal(judge, work)
        awk_scorer(source, work)
    for fault in faults:
        print("FAIL " + fault)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
