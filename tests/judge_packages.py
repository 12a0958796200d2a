#!/usr/bin/env python3
"""Runs the packages of examples/ the way each judge system runs them, with zelmiranke-judge put
where each package's README says:

- kattis: the package as problemtools checks it (each .in through the input validator, each .ans
  and junk through the output validator, the submissions compiled and judged on every test case)
  and as DOMjudge imports it (the validator's files in one folder, executable only build and run);
- cms: the program copied as `checker` into a folder of its own with input.txt,
  correct_output.txt and user_output.txt, run as ./checker with no mode, read by CMS's rules;
- polygon: check input output answer [result [-appes]], --testset and --group anywhere;
- ejudge: check input output [answer], standard error into standard output.

  judge_packages.py JUDGE EXAMPLES_DIR WORK_DIR
"""
import os
import shutil
import subprocess
import sys

import judge_readers

PROBLEMS = []


def fail(what):
    PROBLEMS.append(what)
    print("FAIL " + what)


def run(command, cwd=None, stdin=None, merge=False):
    with open(stdin or os.devnull, "rb") as source:
        done = subprocess.run(command, cwd=cwd, stdin=source, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT if merge else subprocess.PIPE)
    return done.returncode, done.stdout, done.stderr or b""


def place_judge(judge, folder, name="zelmiranke-judge", mode=0o644):
    path = os.path.join(folder, name)
    shutil.copy(judge, path)
    os.chmod(path, mode)


def validate(run_script, test_in, answer, output, work, *flags):
    """Status and the feedback files of one output validation, as problemtools runs it."""
    feedback = os.path.join(work, "feedback")
    shutil.rmtree(feedback, ignore_errors=True)
    os.makedirs(feedback)
    status, out, err = run([run_script, test_in, answer, feedback + os.sep, *flags], stdin=output)
    files = {}
    for name in os.listdir(feedback):
        with open(os.path.join(feedback, name), "rb") as file:
            files[name] = file.read()
    if out or err:
        fail("the validator writes on standard output or error: %r" % (out + err)[:200])
    try:
        judge_readers.domjudge_read(files.get("judgemessage.txt", b""), files.get("teammessage.txt"))
    except ValueError as error:
        fail("DOMjudge cannot keep the feedback of %s: %s" % (output, error))
    return status, files


def kattis(judge, examples, work):
    package = os.path.join(work, "kattis", "zelmiranke")
    shutil.copytree(os.path.join(examples, "kattis", "zelmiranke"), package)
    validators = {}
    for kind in ("input_validators", "output_validators"):
        folder = os.path.join(package, kind, "zelmiranke")
        place_judge(judge, folder)
        if run(["./build"], cwd=folder)[0] != 0:
            fail("%s: build fails" % kind)
        validators[kind] = os.path.join(folder, "run")
    data = os.path.join(package, "data")
    cases = sorted(os.path.join(root, name[:-3]) for root, _, names in os.walk(data)
                   for name in names if name.endswith(".in"))
    for case in cases:
        if run([validators["input_validators"]], stdin=case + ".in")[0] != 42:
            fail("%s.in: the input validator does not accept it" % case)
        if validate(validators["output_validators"], case + ".in", case + ".ans", case + ".ans",
                    work)[0] != 42:
            fail("%s.ans: not accepted as a submission, as problemtools checks it" % case)
        status, files = validate(validators["output_validators"], case + ".in", case + ".ans",
                                 case + ".ans", work, "--score")
        if status != 42 or files.get("score.txt") != b"1.0\n":
            fail("%s.ans: score.txt %r" % (case, files.get("score.txt")))
    junk = os.path.join(work, "junk")
    for content in (b"", bytes(range(256)) * 4, b"Zelmiranke\n1\n"):
        with open(junk, "wb") as file:
            file.write(content)
        if run([validators["input_validators"]], stdin=junk)[0] != 43:
            fail("the input validator accepts junk %r" % content[:20])
        if validate(validators["output_validators"], cases[0] + ".in", cases[0] + ".ans", junk,
                    work)[0] != 43:
            fail("junk %r as output is not rejected" % content[:20])
    broken = os.path.join(work, "broken.in")
    with open(cases[0] + ".in", "rb") as source, open(broken, "wb") as file:
        file.write(source.read().replace(b"#", b"x", 1))
    if run([validators["input_validators"]], stdin=broken)[0] != 43:
        fail("the input validator accepts a broken task input")
    if validate(validators["output_validators"], broken, cases[0] + ".ans", cases[0] + ".ans",
                work)[0] != 1:
        fail("a broken task input is not a judge error")
    kattis_submissions(package, validators["output_validators"], cases, work)
    domjudge_import(judge, package, cases[0], work)


def kattis_submissions(package, validator, cases, work):
    compiler = shutil.which("gcc")
    if compiler is None:
        print("SKIPPED: the package's submissions: gcc is not installed")
        return
    for kind in ("accepted", "wrong_answer"):
        folder = os.path.join(package, "submissions", kind)
        for name in sorted(os.listdir(folder)):
            program = os.path.join(work, name + ".bin")
            if run([compiler, "-O2", "-std=gnu17", "-o", program, os.path.join(folder, name)])[0]:
                fail("%s does not compile" % name)
                continue
            statuses = []
            for case in cases:
                output = os.path.join(work, "output")
                with open(case + ".in", "rb") as source, open(output, "wb") as out:
                    subprocess.run([program], stdin=source, stdout=out, check=True)
                statuses.append(validate(validator, case + ".in", case + ".ans", output, work)[0])
            right = (all(s == 42 for s in statuses) if kind == "accepted"
                     else 43 in statuses and set(statuses) <= {42, 43})
            if not right:
                fail("%s/%s: %s" % (kind, name, statuses))


def domjudge_import(judge, package, case, work):
    """DOMjudge takes the validator's files into one folder and sets the execute bit on build and
    run alone; its judgehost runs build, then run."""
    folder = os.path.join(work, "domjudge")
    os.makedirs(folder)
    source = os.path.join(package, "output_validators", "zelmiranke")
    for name in os.listdir(source):
        shutil.copy(os.path.join(source, name), folder)
        os.chmod(os.path.join(folder, name), 0o755 if name in ("build", "run") else 0o644)
    if run(["./build"], cwd=folder)[0] != 0:
        fail("domjudge: build fails")
    if validate(os.path.join(folder, "run"), case + ".in", case + ".ans", case + ".ans",
                work)[0] != 42:
        fail("domjudge: the imported validator does not accept the answer")


# The contestant files of examples/cms/contestant and the outcome each earns.
CMS_OUTCOMES = {"000": 1.0, "001": 0.75, "002": 0.0}


def cms(judge, examples, work):
    task = os.path.join(examples, "cms", "zelmiranke")
    for codename, expected in CMS_OUTCOMES.items():
        number = int(codename)
        sandbox = os.path.join(work, "cms", codename)
        os.makedirs(sandbox)
        place_judge(judge, sandbox, "checker", 0o755)
        shutil.copy(os.path.join(task, "input", "input%d.txt" % number),
                    os.path.join(sandbox, "input.txt"))
        shutil.copy(os.path.join(task, "output", "output%d.txt" % number),
                    os.path.join(sandbox, "correct_output.txt"))
        shutil.copy(os.path.join(examples, "cms", "contestant", "output_%s.txt" % codename),
                    os.path.join(sandbox, "user_output.txt"))
        status, out, err = run(["./checker", "input.txt", "correct_output.txt",
                                "user_output.txt"], cwd=sandbox)
        try:
            outcome, message, admin = judge_readers.cms_read(out, err)
            if status != 0 or outcome != expected or admin:
                fail("cms %s: status %d, outcome %s, admin %r" % (codename, status, outcome, admin))
        except ValueError as error:
            fail("cms %s: %s" % (codename, error))


def polygon(judge, examples, work):
    problem = os.path.join(work, "polygon")
    shutil.copytree(os.path.join(examples, "polygon", "zelmiranke"), problem)
    place_judge(judge, problem, mode=0o755)
    check = os.path.join(problem, "check")
    kattis_data = os.path.join(examples, "kattis", "zelmiranke", "data")
    outputs = {"01": os.path.join(kattis_data, "sample", "1.ans"),
               "02": os.path.join(kattis_data, "secret", "01.ans")}
    for test, output in outputs.items():
        test_in = os.path.join(problem, "tests", test)
        result = os.path.join(work, "result.xml")
        status, _, err = run([check, "--testset", "tests", test_in, output, test_in + ".a",
                              "--group", "1", result, "-appes"])
        with open(result, "rb") as file:
            xml = file.read()
        if status != 0 or b'outcome = "accepted"' not in xml:
            fail("polygon %s: status %d, result %r" % (test, status, xml[:200]))
        judge_readers.testlib_read(err, "ok")
    header_only = os.path.join(work, "header-only")
    with open(header_only, "wb") as file:
        file.write(b"000000\nZelmiranke\n")
    test_in = os.path.join(problem, "tests", "02")
    status, _, err = run([check, test_in, header_only, test_in + ".a"])
    if status != 1 or judge_readers.testlib_read(err, "rejected")[0] != \
            b"Oddaja nima blokov za teste 1, 2, 3":
        fail("polygon: a header alone: status %d, %r" % (status, err))


def ejudge(judge, examples, work):
    problem = os.path.join(work, "ejudge")
    shutil.copytree(os.path.join(examples, "ejudge", "zelmiranke"), problem)
    place_judge(judge, problem, mode=0o755)
    test = os.path.join(problem, "tests", "001")
    output = os.path.join(examples, "kattis", "zelmiranke", "data", "secret", "01.ans")
    for corr in ([], [test + ".ans"]):
        status, merged, _ = run(["./check", test + ".dat", output] + corr, cwd=problem,
                                merge=True)
        if status != 0:
            fail("ejudge with %d paths: status %d %r" % (2 + len(corr), status, merged))
        judge_readers.testlib_read(merged, "ok")
    status, merged, _ = run(["./check", test + ".dat", test + ".ans"], cwd=problem, merge=True)
    if status != 5:
        fail("ejudge: an empty output: status %d" % status)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    judge, examples, work = (os.path.abspath(arg) for arg in sys.argv[1:])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for part in (kattis, cms, polygon, ejudge):
        try:
            part(judge, examples, work)
        except (OSError, ValueError, subprocess.CalledProcessError) as error:
            fail("%s: %s" % (part.__name__, error))
    print("%d problems" % len(PROBLEMS))
    sys.exit(1 if PROBLEMS else 0)


if __name__ == "__main__":
    main()
