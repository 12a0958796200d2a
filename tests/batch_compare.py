#!/usr/bin/env python3
"""Grades with `zelmiranke-judge batch` what the evaluator grades file by file, and checks that
every row of the batch says what the evaluator's report says: the verdict, the check, and for
an accepted submission the smallest count of each test it answers.

  batch_compare.py JUDGE EVALUATOR CASES_DIR WORK_DIR [GENERATED]

First the golden cases of the evaluator (CASES_DIR), in one batch for each task input they
share; a case whose task input is faulty must stop its batch with the report's first line and
no table. Then GENERATED submissions (default 500) made here from a fixed seed against one task
input of seven test cases: covers of each picture, most of them then changed in one way that
the evaluator may or may not accept (a rectangle moved, grown, left out or added; a count line,
a header line or a block number wrong; blank lines, CR LF, trailing text, a cut or a byte 0x1A
in the middle). They are graded as one folder with 1 job and with 3 jobs, which must write the
same tables byte for byte, and each row is compared with the evaluator's report of its file.
The CSV table must say what the JSON Lines table says. EMULATOR, when set, runs the programs.
"""
import csv
import hashlib
import io
import json
import os
import random
import shlex
import shutil
import subprocess
import sys
import tempfile

from batch_generate import Generator
from judge_walk import Case, verdict_of

EMULATOR = shlex.split(os.environ.get("EMULATOR", ""))


def run(command):
    """The status and standard error. The outputs go to a file, not a pipe: a service that Wine
    starts on the first run inherits them and would hold a pipe open."""
    with tempfile.TemporaryFile() as err:
        status = subprocess.run(EMULATOR + command, stdout=subprocess.DEVNULL,
                                stderr=err).returncode
        err.seek(0)
        return subprocess.CompletedProcess(command, status, None, err.read())


def evaluate(evaluator, task_input, submission, report):
    if os.path.exists(report):
        os.remove(report)
    run([evaluator, "eval", task_input, submission, report])
    with open(report, "rb") as file:
        return file.read().replace(b"\r\n", b"\n")


def expected_row(report, submission):
    """What the batch's row must say: (verdict, check, counts) from the evaluator's report."""
    if not os.path.isfile(submission) or not os.access(submission, os.R_OK):
        return ("unreadable", None, {})
    verdict = verdict_of(report)
    first = report.split(b"\n")[0]
    check = int(first.split(b":")[1].split(b"]")[0]) if first.startswith(b"Napaka") else None
    counts = {}
    if verdict == "ok":
        words = report.split()
        for test, count in zip(words[2::2], words[3::2]):
            counts[int(test)] = min(int(count), counts.get(int(test), int(count)))
    return (verdict, check, counts)


def read_rows(out):
    """The rows of submissions.jsonl, checked against submissions.csv."""
    with open(os.path.join(out, "submissions.jsonl"), "rb") as file:
        rows = [json.loads(line.decode("latin-1")) for line in file.read().splitlines()]
    with open(os.path.join(out, "submissions.csv"), "rb") as file:
        table = list(csv.reader(io.StringIO(file.read().decode("latin-1"), newline="")))
    assert len(table) == len(rows) + 1, "the CSV and JSON Lines tables differ in length"
    for row, cells in zip(rows, table[1:]):
        again = [row["path"], row["contestant"] or "", row["verdict"],
                 "" if row["check"] is None else str(row["check"])]
        again += ["" if count is None else str(count) for count in row["counts"]]
        assert cells == again, "the CSV row %s is not the JSON row %s" % (cells, again)
    return rows


def row_says(row):
    counts = {test + 1: count for test, count in enumerate(row["counts"]) if count is not None}
    return (row["verdict"], row["check"], counts)


def batch(judge, out, jobs, task_input, paths):
    shutil.rmtree(out, ignore_errors=True)
    return run([judge, "batch", "--jobs", str(jobs), "--out", out, task_input] + paths)


def compare_golden(judge, evaluator, cases_dir, work):
    cases = []
    for name in sorted(os.listdir(cases_dir)):
        case_dir = os.path.join(cases_dir, name)
        # Cases with a status of their own are about the evaluator's command line.
        if os.path.isdir(case_dir) and not os.path.exists(os.path.join(case_dir, "status")):
            case = Case(case_dir, os.path.join(work, "cases", name))
            # A folder given to the batch is a folder of submissions, not one that reads empty.
            if not os.path.isdir(case.submission):
                cases.append(case)
    groups = {}
    for case in cases:
        key = "path " + case.input
        if os.path.isfile(case.input):
            with open(case.input, "rb") as file:
                key = hashlib.sha256(file.read()).hexdigest()
        groups.setdefault(key, []).append(case)
    faults = []
    for number, group in enumerate(groups.values()):
        reports = [evaluate(evaluator, c.input, c.submission, os.path.join(c.work, "report"))
                   for c in group]
        out = os.path.join(work, "golden-%d" % number)
        result = batch(judge, out, 2, group[0].input, [c.submission for c in group])
        if verdict_of(reports[0]) == "setup-error":
            # The line as judge systems are shown it: bytes outside printable ASCII as \xHH.
            first = b"".join(bytes([c]) if 0x20 <= c < 0x7F else b"\\x%02X" % c
                             for c in reports[0].split(b"\n")[0])[:200]
            if result.returncode != 2 or first not in result.stderr or os.path.exists(out):
                faults.append("%s: the faulty task input did not stop the batch (status %d)"
                              % (group[0].name, result.returncode))
            continue
        if result.returncode not in (0, 1):
            faults.append("%s: status %d: %s" % (group[0].name, result.returncode,
                                                 result.stderr[:300]))
            continue
        rows = read_rows(out)
        for case, report, row in zip(group, reports, rows):
            if row_says(row) != expected_row(report, case.submission):
                faults.append("%s: the batch says %s, the evaluator %s" % (
                    case.name, row_says(row), expected_row(report, case.submission)))
    return len(cases), faults


def compare_generated(judge, evaluator, work, count):
    folder = os.path.join(work, "generated")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "subs"))
    task_input = os.path.join(folder, "input.txt")
    generator = Generator(random.Random(24))
    with open(task_input, "wb") as file:
        file.write(generator.task_input())
    paths = []
    for number in range(count):
        paths.append(os.path.join(folder, "subs", "%03d.txt" % number))
        with open(paths[-1], "wb") as file:
            file.write(generator.submission())
    faults = []
    tables = []
    for jobs in (1, 3):
        out = os.path.join(folder, "tables-%d" % jobs)
        result = batch(judge, out, jobs, task_input, [os.path.join(folder, "subs")])
        if result.returncode != 0:
            return count, ["the batch of %d jobs: status %d: %s" % (
                jobs, result.returncode, result.stderr[:300])]
        tables.append({name: open(os.path.join(out, name), "rb").read()
                       for name in sorted(os.listdir(out))})
    if tables[0] != tables[1]:
        faults.append("1 job and 3 jobs wrote different tables")
    rows = read_rows(os.path.join(folder, "tables-3"))
    # A folder's files are named with the platform's separator.
    if [row["path"].replace("\\", "/") for row in rows] != paths:
        return count, faults + ["the rows are not the submissions in the order of their names"]
    says = {}
    for path, row in zip(paths, rows):
        report = evaluate(evaluator, task_input, path, os.path.join(folder, "report"))
        if row_says(row) != expected_row(report, path):
            faults.append("%s: the batch says %s, the evaluator %s" % (
                os.path.basename(path), row_says(row), expected_row(report, path)))
        key = row["verdict"] + ("" if row["check"] is None else " %d" % row["check"])
        says[key] = says.get(key, 0) + 1
    print("generated: " + ", ".join("%s: %d" % item for item in sorted(says.items())))
    if says.get("ok", 0) < count // 5 or len(says) < (12 if count >= 500 else 6):
        faults.append("the generated submissions reach too few outcomes")
    return count, faults


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    judge, evaluator, cases_dir, work = sys.argv[1:5]
    count = int(sys.argv[5]) if len(sys.argv) > 5 else 500
    golden, faults = compare_golden(judge, evaluator, cases_dir, work)
    generated, more = compare_generated(judge, evaluator, work, count)
    faults += more
    for fault in faults:
        print("FAIL " + fault)
    print("%d golden cases and %d generated submissions, %d faults" % (golden, generated,
                                                                      len(faults)))
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
