#!/usr/bin/env python3
"""Checks the layout of src/: each layer includes only from itself and the layers below it
(base, then eval, then explain, then the programs' own folders, which know nothing of each
other but that the page's glue, web, is a client of the viewer), headers include no cycle, no
file is longer than 400 lines (nor one of the page's, in web/, nor of the benchmarks, in
bench/), and src/ itself holds only the programs' short mains. Also, anywhere in the sources,
tests, fuzzers and the page: no range of check numbers, because what a check means is said by
the table of checks (src/eval/checks.h) alone.
   layers.py SRC_DIR"""
import re
import sys
from pathlib import Path

# The explanation of a failure (explain) stands on the core beside the programs, which may all
# use it. Any other folder is a program's: base, eval and explain.
BELOW = {"base": set(), "eval": {"base"}, "explain": {"base", "eval"},
         "web": {"base", "eval", "explain", "view"}}
MOST_LINES = 400
MAIN_LINES = 30
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
# A check number (61 to 204) or a named check compared by order: a range of checks.
CHECK_NUMBER = r"(?:6[1-9]|[7-9]\d|1\d\d|20[0-4])\b"
CHECK_RANGE = re.compile(
    r"[<>]=?\s*check::k\w+|check::k\w+\s*[<>]"
    r"|\bcheck\w*\s*[<>]=?\s*" + CHECK_NUMBER +
    r"|\b" + CHECK_NUMBER + r"\s*[<>]=?\s*\w*check", re.I)
# Where the table itself stands, and the folders searched for ranges.
TABLE_FILES = {"src/eval/checks.h", "tests/check_table.py"}
RANGE_FOLDERS = ("src", "tests", "fuzz", "web", "bench")


def layer_of(path, src):
    parts = path.relative_to(src).parts
    return parts[0] if len(parts) > 1 else None


def main():
    src = Path(sys.argv[1]).resolve()
    faults = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    graph = {}
    for path in files:
        text = path.read_text(encoding="utf-8")
        name = path.relative_to(src).as_posix()
        lines = text.count("\n")
        layer = layer_of(path, src)
        if layer is None:
            if path.suffix != ".cpp" or "int main(" not in text or lines > MAIN_LINES:
                faults.append(f"{name}: only the programs' short mains stand in src/ itself")
        elif lines > MOST_LINES:
            faults.append(f"{name}: {lines} lines, more than {MOST_LINES}")
        allowed = ({layer} | BELOW.get(layer, {"base", "eval", "explain"}) if layer
                   else {"base", "eval", None})
        graph[name] = []
        for included in INCLUDE.findall(text):
            target = included.split("/")[0] if "/" in included else None
            if target is None or not (src / included).is_file():
                faults.append(f"{name}: includes \"{included}\", which is not a file of src/")
                continue
            if layer is not None and target not in allowed:
                faults.append(f"{name}: the {layer} layer includes {included}")
            graph[name].append(included)
    faults += cycles(graph)
    faults += check_ranges(src.parent)
    faults += long_files(src.parent / "web")
    faults += long_files(src.parent / "bench")
    for fault in faults:
        print(fault)
    print(f"{len(files)} files, {len(faults)} faults")
    return 1 if faults else 0


def long_files(folder):
    """One line for each file of `folder` longer than MOST_LINES."""
    found = []
    for path in sorted(p for p in folder.rglob("*") if p.is_file()):
        lines = path.read_text(encoding="utf-8").count("\n")
        if lines > MOST_LINES:
            found.append(f"{folder.name}/{path.relative_to(folder).as_posix()}: {lines} lines, "
                         f"more than {MOST_LINES}")
    return found


def check_ranges(root):
    """One line for each comparison of check numbers by order outside the table of checks."""
    found = []
    for folder in RANGE_FOLDERS:
        for path in sorted((root / folder).rglob("*")):
            name = path.relative_to(root).as_posix()
            if path.suffix not in (".h", ".cpp", ".py", ".js") or name in TABLE_FILES:
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                if CHECK_RANGE.search(line):
                    found.append(f"{name}:{number}: a range of check numbers; ask the table "
                                 f"of checks instead: {line.strip()}")
    return found


def cycles(graph):
    """One line for each include cycle found by a depth-first walk."""
    state = {}
    found = []

    def walk(node, trail):
        state[node] = "open"
        for nxt in graph.get(node, []):
            if state.get(nxt) == "open":
                found.append("include cycle: " + " -> ".join(trail[trail.index(nxt):] + [nxt]))
            elif nxt not in state:
                walk(nxt, trail + [nxt])
        state[node] = "done"

    for node in graph:
        if node not in state:
            walk(node, [node])
    return found


if __name__ == "__main__":
    sys.exit(main())
