#!/usr/bin/env python3
"""Mutation testing of the core: how many one-token faults in src/base and src/eval the unit
tests and the golden cases catch.

Each mutant changes one operator or one constant of one line (a comparison turned or made
strict, + for -, && for ||, & for |, ++ for --, a ! dropped, a number one larger or zero,
true for false). A sample of them, spread over the files and drawn with a seed, is built one
at a time in a copy of the tree (only the touched objects and the test programs are rebuilt)
and run against the unit tests of the layers it can change and the golden cases; a mutant is
killed when a test fails, survives when all pass, times out apart, and is not counted when it
does not build.

   mutants.py [--sample N] [--seed S] [--build DIR] [--only PATH...] [--list] [--survivors]

Results are appended to DIR/results.tsv as they come, and a run with the same sample and seed
takes up where one stopped; with --survivors, the mutants recorded there (whatever sample they
came from) are scored: those that survived are tried again, once tests for them are written,
and the others taken as they were; a survivor whose line has changed since is counted apart
(moved), to be tried by hand. The survivors are printed at the
end, each as a one-line diff."""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LAYERS = ("src/base", "src/eval")

# Operators as clang-format writes them between operands, with a blank on each side, so that
# template brackets, pointers, references and member arrows are never taken for them.
BINARY = {
    "<": ["<=", ">"], "<=": ["<", ">"], ">": [">=", "<"], ">=": [">", "<"],
    "==": ["!="], "!=": ["=="], "&&": ["||"], "||": ["&&"],
    "+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["/"],
    "<<": [">>"], ">>": ["<<"], "&": ["|"], "|": ["&"], "^": ["|"],
    "+=": ["-="], "-=": ["+="], "|=": ["&="], "&=": ["|="], "<<=": [">>="], ">>=": ["<<="],
}
BINARY_RE = re.compile(r"(?<= )(" + "|".join(
    re.escape(op) for op in sorted(BINARY, key=len, reverse=True)) + r")(?= )")
STEP_RE = re.compile(r"\+\+|--")
NOT_RE = re.compile(r"(?<![\w)\]!])!(?!=)")
NUMBER_RE = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])")
BOOL_RE = re.compile(r"\b(true|false)\b")
STRING_RE = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'')
# Lines that hold no code a mutant could change the behaviour of.
SKIP_RE = re.compile(r"^\s*(#|//|static_assert|template\s*<|\*)|\bvirtual\b.*= 0;")
# A precondition, up to the line that ends its statement: the mutants' build leaves it out
# (base/expect.h), so a mutant of it would survive whatever the tests.
EXPECT_RE = re.compile(r"^\s*ZEL_EXPECT\(")


def code_part(line):
    """The line without its comment, strings and characters blanked out (same length)."""
    blanked = STRING_RE.sub(lambda m: " " * len(m.group(0)), line)
    cut = blanked.find("//")
    return blanked if cut < 0 else blanked[:cut] + " " * (len(blanked) - cut)


def number_mutations(text):
    value = int(text, 16) if text.lower().startswith("0x") else int(text)
    spell = (lambda v: hex(v)) if text.lower().startswith("0x") else str
    out = [spell(value + 1)]
    if value > 1:
        out.append(spell(value - 1))
    if value != 0:
        out.append("0")
    return out


def sites(text):
    """Every mutant of one file: (line number from 1, column, original, replacement)."""
    found = []
    in_comment = False
    in_expect = False
    for number, line in enumerate(text.split("\n"), start=1):
        stripped = line.strip()
        if in_comment:
            in_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if in_expect or EXPECT_RE.search(line):
            in_expect = not code_part(line).rstrip().endswith(";")
            continue
        if SKIP_RE.search(line):
            continue
        code = code_part(line)
        for match in BINARY_RE.finditer(code):
            for other in BINARY[match.group(1)]:
                found.append((number, match.start(1), match.group(1), other))
        for match in STEP_RE.finditer(code):
            found.append((number, match.start(), match.group(0),
                          "--" if match.group(0) == "++" else "++"))
        for match in NOT_RE.finditer(code):
            found.append((number, match.start(), "!", ""))
        for match in NUMBER_RE.finditer(code):
            for other in number_mutations(match.group(1)):
                found.append((number, match.start(1), match.group(1), other))
        for match in BOOL_RE.finditer(code):
            found.append((number, match.start(), match.group(1),
                          "false" if match.group(1) == "true" else "true"))
    return found


def all_mutants(tree, only):
    mutants = []
    for layer in LAYERS:
        for path in sorted((tree / layer).rglob("*")):
            relative = str(path.relative_to(tree))
            if path.suffix not in (".h", ".cpp") or (only and relative not in only):
                continue
            # The check numbers stand in the golden reports: changing one is no fault to find.
            if relative == "src/eval/checks.h":
                continue
            for site in sites(path.read_text(encoding="utf-8")):
                mutants.append((relative,) + site)
    return mutants


def sample(mutants, size, seed):
    """`size` mutants spread over the files: each file gets its share by its number of mutants,
    and at least a few."""
    rng = random.Random(seed)
    by_file = {}
    for mutant in mutants:
        by_file.setdefault(mutant[0], []).append(mutant)
    if size >= len(mutants):
        return random.Random(seed).sample(mutants, len(mutants))
    shares = {f: max(min(3, len(m)), round(size * len(m) / len(mutants)))
              for f, m in by_file.items()}
    chosen = []
    for path in sorted(by_file):
        chosen += rng.sample(by_file[path], min(shares[path], len(by_file[path])))
    rng.shuffle(chosen)
    # In an order drawn with the seed, not by file: a run cut short has still tried mutants
    # of every file.
    return chosen[:size]


def key_of(mutant):
    path, line, column, old, new = mutant
    return f"{path}:{line}:{column}:{old}:{new}"


def mutant_of(key):
    path, line, column, old, new = key.split(":")
    return (path, int(line), int(column), old, new)


def run(command, cwd, timeout):
    """'passed', 'failed' or 'timeout'. A command that runs too long is ended with all it
    started (a mutant may loop for ever)."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        status = process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return "timeout"
    return "passed" if status == 0 else "failed"


class Runner:
    def __init__(self, build, jobs):
        self.tree = build / "tree"
        self.binary = build / "build"
        self.jobs = jobs
        self.limits = {}

    def prepare(self):
        files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT,
                               check=True, capture_output=True, text=True).stdout.split("\n")
        # Only the files that differ are written, with the time of now: a run stopped in the
        # middle of a mutant leaves it in the tree, and its object must then be rebuilt (a copy
        # keeping the source's older time would leave the mutant's object in place).
        wanted = set()
        for name in filter(None, files):
            source = ROOT / name
            if source.is_file():
                target = self.tree / name
                wanted.add(target)
                data = source.read_bytes()
                if not target.is_file() or target.read_bytes() != data:
                    target.parent.mkdir(parents=True, exist_ok=True)
                    target.write_bytes(data)
                    shutil.copymode(source, target)
        if self.tree.exists():
            for path in self.tree.rglob("*"):
                if path.is_file() and path not in wanted:
                    path.unlink()
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        subprocess.run(["cmake", "-S", str(self.tree), "-B", str(self.binary), *generator,
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DCMAKE_CXX_COMPILER=g++",
                        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DNDEBUG", "-DZEL_WERROR=OFF",
                        "-DZEL_UNIT_TESTS=ON"], check=True, stdout=subprocess.DEVNULL)

    def build(self, targets):
        return subprocess.run(["cmake", "--build", str(self.binary), "-j", str(self.jobs),
                               "--target", *targets], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def suites(self, path):
        unit = ["base_tests", "eval_tests"] if path.startswith("src/base") else ["eval_tests"]
        tests = self.binary / "tests"
        commands = [(name, [str(tests / name), "--gtest_fail_fast", "--gtest_brief=1"], None)
                    for name in unit]
        commands.append(("golden", ["ctest", "-R", "^golden/", "-j", str(self.jobs),
                                    "--stop-on-failure"], self.binary))
        return ["Ozi18Zelmiranke"] + unit, commands

    def measure(self):
        """Builds the tree as it stands and times each suite; every suite must pass."""
        targets, commands = self.suites("src/base")
        if not self.build(targets):
            sys.exit("mutants.py: the tree does not build")
        for name, command, cwd in commands:
            start = time.monotonic()
            if run(command, cwd or self.binary, 3600) != "passed":
                sys.exit(f"mutants.py: {name} fails without any mutant")
            self.limits[name] = 10 + 5 * (time.monotonic() - start)

    def outcome(self, mutant):
        path, line, column, old, new = mutant
        source = self.tree / path
        original = source.read_text(encoding="utf-8")
        lines = original.split("\n")
        text = lines[line - 1] if line <= len(lines) else ""
        if text[column:column + len(old)] != old:
            return "moved"  # the source changed since it was recorded: to be tried by hand
        lines[line - 1] = text[:column] + new + text[column + len(old):]
        source.write_text("\n".join(lines), encoding="utf-8")
        try:
            targets, commands = self.suites(path)
            if not self.build(targets):
                return "unbuilt"
            for name, command, cwd in commands:
                result = run(command, cwd or self.binary, self.limits[name])
                if result != "passed":
                    return "killed" if result == "failed" else "timeout"
            return "survived"
        finally:
            source.write_text(original, encoding="utf-8")


def show(mutant, tree):
    path, line, column, old, new = mutant
    lines = (tree / path).read_text(encoding="utf-8").split("\n")
    text = lines[line - 1] if line <= len(lines) else ""
    return f"{path}:{line}: {text.strip()}  [{old} -> {new or '(removed)'}]"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sample", type=int, default=400)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--build", type=Path, default=ROOT / "build" / "mutants")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--only", nargs="*", default=[], help="files, as src/eval/...")
    parser.add_argument("--list", action="store_true", help="only list the sample")
    parser.add_argument("--survivors", action="store_true",
                        help="score the recorded mutants, trying the survivors again")
    args = parser.parse_args()
    build = args.build.resolve()
    mutants = sample(all_mutants(ROOT, set(args.only)), args.sample, args.seed)
    if args.list:
        for mutant in mutants:
            print(show(mutant, ROOT))
        print(f"{len(mutants)} mutants")
        return
    runner = Runner(build, args.jobs)
    results_path = build / "results.tsv"
    done = {}
    if results_path.exists():
        for row in results_path.read_text().splitlines():
            key, result = row.split("\t")
            done[key] = result  # a later row, from a run with --survivors, wins
    if args.survivors:
        mutants = [mutant_of(key) for key in done]
        done = {key: result for key, result in done.items() if result != "survived"}
    build.mkdir(parents=True, exist_ok=True)
    runner.prepare()
    runner.measure()
    counts = {}
    survivors = []
    with results_path.open("a") as results:
        for index, mutant in enumerate(mutants, start=1):
            key = key_of(mutant)
            start = time.monotonic()
            result = done.get(key) or runner.outcome(mutant)
            if key not in done and result != "moved":
                results.write(f"{key}\t{result}\n")
                results.flush()
            counts[result] = counts.get(result, 0) + 1
            if result == "survived":
                survivors.append(mutant)
            print(f"[{index}/{len(mutants)}] {result:8} {time.monotonic() - start:5.1f} s  "
                  f"{show(mutant, runner.tree)}", flush=True)
    killed = counts.get("killed", 0)
    survived = counts.get("survived", 0)
    print(f"\nsurvivors ({survived}):")
    for mutant in survivors:
        print("  " + show(mutant, runner.tree))
    print(f"\n{len(mutants)} mutants: {killed} killed, {survived} not killed, "
          f"{counts.get('timeout', 0)} timed out, {counts.get('unbuilt', 0)} did not build"
          + (f", {counts['moved']} no longer where recorded" if counts.get("moved") else ""))
    if killed + survived:
        print(f"score: {100 * killed / (killed + survived):.1f} % killed of those that ran "
              f"to the end (timeouts apart)")


if __name__ == "__main__":
    main()
