#!/usr/bin/env python3
"""The page against the native evaluator (make bench-web). For each workload, the native
evaluator and the page in headless Chromium take turns RUNS times on the same two files; the
page's time is the user's, from the click on Check to the report on the page (the worker's
share of it, reading and evaluating, apart, and the time until the page is ready after it),
and the most its renderer's memory grew above what it was before a check (the first check,
which also pays for what the page does once, apart). Then, on a 1000 x 1000 picture covered
by a million rectangles, how long the page takes to show the picture and to draw one frame at
three zooms. Times are medians in milliseconds; the page's
first run (the browser reads the files for the first time, and compiles the hot code) is
given apart.
   web.py WEB_DIR EVALUATOR WORK_DIR RUNS WORKLOAD_DIR..."""
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from browser import MemoryPeak  # noqa: E402
from page_test import FINISHED, PageRun  # noqa: E402

# One frame drawn, and the canvas made to finish it, in milliseconds.
FRAME = """(() => { const start = performance.now(); picture.draw();
  document.getElementById('canvas').getContext('2d').getImageData(0, 0, 1, 1);
  return performance.now() - start; })()"""
# The milliseconds from the check's start until the page has drawn what it got.
READY = ("new Promise((done) => requestAnimationFrame(() => setTimeout(() => "
         "done(performance.now() - page.started))))")


def native_ms(evaluator, folder, report):
    start = time.perf_counter()
    subprocess.run([evaluator, "eval", os.path.join(folder, "input.txt"),
                    os.path.join(folder, "submission.txt"), report], check=True)
    return (time.perf_counter() - start) * 1000


def page_ms(run, first):
    """The page's times of one check (the first one starts when the files are picked): to the
    report, in the worker, until ready; and its renderer's growth in MiB."""
    browser = run.browser
    peak = MemoryPeak(browser.renderers())
    if not first:
        browser.evaluate("document.getElementById('check').click()")
    state = browser.wait_for(FINISHED, 600)
    growth = peak.stop()
    assert state == "done", state
    data = browser.evaluate("({...document.body.dataset})")
    return int(data["evaluationMs"]), int(data["runMs"]), browser.evaluate(READY), growth


def compare(run, evaluator, folder, work, runs):
    run.load()
    run.browser.choose_file("#input-file", os.path.join(folder, "input.txt"))
    run.browser.choose_file("#submission-file", os.path.join(folder, "submission.txt"))
    first = page_ms(run, True)
    native, page = [], []
    for _ in range(runs):
        native.append(native_ms(evaluator, folder, os.path.join(work, "report.txt")))
        page.append(page_ms(run, False))
    size = sum(os.path.getsize(os.path.join(folder, name)) for name in ("input.txt", "submission.txt"))
    median = [statistics.median(times) for times in zip(*page)]
    print("workload %s, %d bytes, %d runs" % (os.path.basename(folder.rstrip("/")), size, runs))
    print("  native evaluator  %8.1f ms" % statistics.median(native))
    print("  page              %8.1f ms  (in the worker %.1f ms, ready after %.1f ms; first run %d ms,"
          " %d in the worker)" % (median[0], median[1], median[2], first[0], first[1]))
    print("  page / native     %8.2f" % (median[0] / statistics.median(native)))
    print("  renderer's memory %8d MiB above what it was before a check, at most (the first check: %d MiB)"
          % (max(p[3] for p in page), first[3]))


def million_rectangles(folder):
    """A 1000 x 1000 black picture, every cell its own rectangle."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "input.txt"), "w") as file:
        file.write("Zelmiranke\n1\n\n1 1000 1000 1 1\n" + ("#" * 1000 + "\n") * 1000)
    with open(os.path.join(folder, "submission.txt"), "w") as file:
        file.write("123456\nZelmiranke\n1\n1000000\n")
        file.writelines("%d %d 1 1\n" % (x, y) for y in range(1000) for x in range(1000))


def frames(run, folder, runs):
    browser = run.browser
    run.load()
    browser.choose_file("#input-file", os.path.join(folder, "input.txt"))
    start = time.perf_counter()
    browser.choose_file("#submission-file", os.path.join(folder, "submission.txt"))
    browser.wait_for("document.getElementById('legend').childElementCount > 0", 600)
    shown = (time.perf_counter() - start) * 1000
    browser.wait_for(FINISHED, 600)
    print("1000 x 1000 picture, 1000000 rectangles: shown %.0f ms after the files were picked" % shown)
    browser.evaluate("document.getElementById('canvas').scrollIntoView()")
    for name, setup in (("whole grid", "picture.fit()"),
                        ("cells of 8 pixels, outlines", "picture.fit(); picture.zoom(8 / picture.scale)"),
                        ("cells of 40 pixels", "picture.fit(); picture.zoom(40 / picture.scale)")):
        browser.evaluate(setup)
        times = [browser.evaluate(FRAME) for _ in range(runs)]
        print("  one frame, %-28s %6.1f ms" % (name, statistics.median(times)))


def main():
    web, evaluator, work, runs, *folders = sys.argv[1:]
    runs = int(runs)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    run = PageRun(web, work)
    try:
        for folder in folders:
            compare(run, evaluator, folder, work, runs)
        million = os.path.join(work, "million")
        million_rectangles(million)
        frames(run, million, runs)
    finally:
        run.close()
    print("cores: %d; load average: %.2f %.2f %.2f" % ((os.cpu_count(),) + os.getloadavg()))


if __name__ == "__main__":
    main()
