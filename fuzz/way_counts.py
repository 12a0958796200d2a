#!/usr/bin/env python3
"""How often a corpus of the structure-aware harness reaches each way of deciding a block and
each way of checking white cells (check 148), from clang's coverage counters: the harness built
with them (make fuzz-ways) runs every input of the corpus once, and each way is counted at the
line that starts it.
   way_counts.py BUILD_DIR CORPUS_DIR
Exits 1 when a way is never reached, or when the code no longer holds a line this script looks
for (then the table below must follow the code)."""
import json
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# (what is counted, file, a pattern of a line, whether the count is that of the line after it)
COVERAGE = "src/eval/coverage/coverage.cpp"
WHITE_CELLS = "src/eval/white_cells.cpp"
WAYS = [
    ("settled: one rectangle as large as the black area", COVERAGE, r"^\s*if \(settled_\) \{", True),
    ("the canvas, compared with the picture", COVERAGE,
     r"^\s*if \(canvas_\.Steps\(\) >= words\) \{", True),
    ("the canvas, counted while cleared", COVERAGE, r"^\s*if \(canvas_\.CountAndClear\(", False),
    ("few boxes", COVERAGE, r"^\s*if \(boxCount_ <= kFewBoxesAlways\) \{", True),
    ("one axis", COVERAGE, r"= oneAxis_\(.*area >= 0\) \{", True),
    ("less area than black cells", COVERAGE, r"^\s*if \(boxesArea_ < black\) \{", True),
    ("the tiles: covered", COVERAGE, r"^\s*case TileCover::Outcome::kCovered:", True),
    ("the tiles: a black cell missed", COVERAGE, r"^\s*case TileCover::Outcome::kMissed:", True),
    ("the tiles: too open, gave up", COVERAGE, r"^\s*case TileCover::Outcome::kTooOpen:", True),
    ("the tiles: a large box over a white cell", COVERAGE,
     r"^\s*case TileCover::Outcome::kCoversWhite:", True),
    ("the tiles, checking white cells too, decide", COVERAGE,
     r"^\s*if \(DecidedByTiles\(true, ", True),
    ("the cross-sections decide", COVERAGE,
     r"^\s*if \(BySections\(estimate\) < BySweep\(estimate\)\) \{", True),
    ("the banded sweep", COVERAGE, r"^\s*return MismatchIf\(sweep_\(", False),
    ("a missed cell named by the cross-sections", COVERAGE,
     r"^\s*if \(BySections\(estimate\) < byPainter\) \{", True),
    ("a missed cell named by the painter", COVERAGE, r"^\s*return PaintAndCompare\(mismatch\);", False),
    ("check 148: painted as it comes", COVERAGE, r"^\s*if \(!canvas_\.PaintChecked\(rect, white\)\)", False),
    ("check 148: looked up as it comes", COVERAGE, r"else if \(whiteCells_\.Find\(rect, white\)\)", False),
    ("check 148: left to the tiles", COVERAGE, r"^\s*deferred_\.push_back\(", False),
    ("check 148: left to the tiles, then one by one", COVERAGE,
     r"^\s*if \(whiteCells_\.Find\(deferred\.rect, white\)\) \{", False),
    ("check 148: searched row by row", WHITE_CELLS, r"^\s*if \(spent < budget", True),
    ("check 148: the white-cell index built", WHITE_CELLS, r"make_unique<WhiteIndex>", False),
    ("check 148: the white-cell index asked", WHITE_CELLS, r"^\s*return index_->AnyWhite\(", False),
]


def line_counts(segments):
    """Execution count of each line, as llvm-cov shows it: the largest count of a region that
    starts on the line, or else that of the region the line lies in."""
    counts = {}
    current = 0
    by_line = {}
    for line, _column, count, has_count, is_entry, *rest in segments:
        gap = rest[0] if rest else False
        if has_count and is_entry and not gap:
            by_line[line] = max(by_line.get(line, 0), count)
    last_line = max((s[0] for s in segments), default=0)
    index = 0
    for line in range(1, last_line + 1):
        while index < len(segments) and segments[index][0] < line:
            if segments[index][3]:
                current = segments[index][2]
            index += 1
        counts[line] = by_line.get(line, current)
    return counts


def main():
    build, corpus = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    harness = build / "fuzz" / "fuzz_cover"
    with tempfile.TemporaryDirectory() as work:
        raw = Path(work) / "cover.profraw"
        data = Path(work) / "cover.profdata"
        # In the scratch folder, where libFuzzer leaves what it writes (a slow input, say).
        subprocess.run([str(harness), "-runs=0", "-rss_limit_mb=4096", str(corpus)], check=True,
                       cwd=work, env={**os.environ, "LLVM_PROFILE_FILE": str(raw)},
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["llvm-profdata", "merge", "-o", str(data), str(raw)], check=True)
        export = json.loads(subprocess.run(
            ["llvm-cov", "export", str(harness), f"-instr-profile={data}"], check=True,
            capture_output=True, text=True).stdout)
    files = {str(Path(f["filename"]).resolve()): f for f in export["data"][0]["files"]}
    inputs = sum(1 for p in corpus.iterdir() if p.is_file())
    print(f"{inputs} inputs of {corpus}:")
    faults = 0
    for label, name, pattern, after in WAYS:
        path = ROOT / name
        lines = path.read_text(encoding="utf-8").split("\n")
        found = [n for n, text in enumerate(lines, start=1) if re.search(pattern, text)]
        if len(found) != 1 or str(path) not in files:
            print(f"  {label}: no single line matches /{pattern}/ in {name}")
            faults += 1
            continue
        count = line_counts(files[str(path)]["segments"]).get(found[0] + (1 if after else 0), 0)
        print(f"  {count:>9}  {label}")
        faults += count == 0
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
