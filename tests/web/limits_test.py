#!/usr/bin/env python3
"""What no file may do to the page, in headless Chromium: a quoted line of 10 MB (check 202),
a report of a million blocks and a picture of a million rectangles keep every task of the page
under 200 ms and every text it shows short; the status's time counts until the page is ready;
and checking a submission of half a gigabyte, the browser's first check, passing or failing at
its end, leaves the browser's memory within 64 MiB of what it was before the check.
Skips (exit status 77) when Chromium is not installed.
    limits_test.py WEB_DIR WORK_DIR"""
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import MemoryPeak, find_chromium  # noqa: E402
from page_test import FINISHED, Failure, PageRun, check  # noqa: E402

LONGEST_TASK_MS = 200
MOST_GROWTH_MIB = 64
# The tallest the verdict may stand, in pixels, whatever the message quotes.
TALLEST_VERDICT = 1500
ONE_CELL = b"Zelmiranke\n1\n\n1 1 1 1 1\n#\n"


def write(path, head, body=b"", repeat=1, tail=b""):
    """Writes `head`, then `body` `repeat` times, then `tail`."""
    with open(path, "wb") as file:
        file.write(head)
        for _ in range(repeat):
            file.write(body)
        file.write(tail)
    return path


class Limits:
    def __init__(self, web, work):
        self.work = work
        self.run = PageRun(web, work)
        self.browser = self.run.browser
        self.browser.watch_long_tasks()
        self.input = write(os.path.join(work, "input.txt"), ONE_CELL)

    def pick(self, submission):
        """Picks the task input, then `submission`, which starts the check."""
        self.run.load()
        self.browser.choose_file("#input-file", self.input)
        self.browser.wait_for("document.getElementById('input-name').textContent.includes(%r)"
                              % os.path.basename(self.input))
        self.browser.evaluate("window.longTasks.length = 0")
        self.browser.choose_file("#submission-file", submission)
        self.browser.wait_for("document.body.dataset.state === 'running'")

    def check_file(self, submission):
        """Checks `submission` and returns the state, the seconds the status gives and the
        milliseconds from the check's start until the page had drawn everything."""
        browser = self.browser
        self.pick(submission)
        state = browser.wait_for(FINISHED, 300)
        ready = browser.evaluate("new Promise((done) => requestAnimationFrame(() => setTimeout(() => "
                                 "done(performance.now() - page.started))))")
        status = browser.evaluate("document.getElementById('state').textContent")
        shown = re.search(r"Done in ([\d.]+) s", status)
        return state, float(shown.group(1)) if shown else None, ready

    def check_quick(self, what):
        tasks = self.browser.evaluate("window.longTasks")
        check(max(tasks, default=0) <= LONGEST_TASK_MS, "%s kept the page busy: tasks of %s ms" % (what, tasks))
        return tasks

    def quoted_line(self):
        """Check 202 quotes a line of 10 MB."""
        submission = write(os.path.join(self.work, "long-line.txt"), b"123456\nZelmiranke\n" + b"x" * (10 << 20))
        state, _, _ = self.check_file(submission)
        check(state == "done", "the check ended as " + state)
        tasks = self.check_quick("a quoted line of 10 MB")
        title = self.browser.evaluate("document.getElementById('verdict-title').textContent")
        check(title == "Check 202 failed", "the verdict says " + title)
        height = self.browser.evaluate("document.getElementById('verdict').getBoundingClientRect().height")
        check(height <= TALLEST_VERDICT, "the verdict stands %d px tall" % height)
        shown = self.browser.evaluate("document.getElementById('report').textContent.length")
        check(shown <= (16 << 10) + 1, "the report shows %d characters" % shown)
        return "long tasks %s ms" % tasks

    def million_blocks(self):
        """A report of a million blocks: the status's time counts until the page is drawn."""
        submission = write(os.path.join(self.work, "blocks.txt"), b"123456\nZelmiranke\n", b"1\n1\n0 0 1 1\n",
                           repeat=1000000)
        state, status, ready = self.check_file(submission)
        check(state == "done", "the check ended as " + state)
        tasks = self.check_quick("a million blocks")
        check(status is not None and status * 1000 >= ready - 200,
              "the status says done in %s s, the page was ready after %d ms" % (status, ready))
        return "long tasks %s ms, done in %s s" % (tasks, status)

    def million_rectangles(self):
        """A picture of a million rectangles, one on each cell of a 1000 x 1000 grid."""
        self.input = write(os.path.join(self.work, "grid.txt"), b"Zelmiranke\n1\n\n1 1000 1000 1 1\n",
                           b"#" * 1000 + b"\n", repeat=1000)
        submission = write(os.path.join(self.work, "cells.txt"), b"123456\nZelmiranke\n1\n1000000\n" +
                           b"".join(b"%d %d 1 1\n" % (x, y) for y in range(1000) for x in range(1000)))
        state, status, _ = self.check_file(submission)
        self.input = write(os.path.join(self.work, "input.txt"), ONE_CELL)
        check(state == "done", "the check ended as " + state)
        return "long tasks %s ms, done in %s s" % (self.check_quick("a million rectangles"), status)

    def memory(self):
        """Half a gigabyte of blocks with long lines, failing on its last line (where and why,
        and the lines, read it again three times), then passing: the renderer's memory, at its
        highest during the check, against what it was before. The first checks of the browser,
        which also pay for what is done once."""
        grew = []
        for tail in (b"1\n1\n", b""):
            submission = write(os.path.join(self.work, "large.txt"), b"123456\nZelmiranke\n",
                               b"1\n1\n0 0 1 1" + b" x" * 2000 + b"\n", repeat=(512 << 20) // 4012,
                               tail=tail)
            self.run.load()
            time.sleep(0.5)  # the spare worker made ready
            peak = MemoryPeak(self.browser.renderers())
            self.pick(submission)
            state = self.browser.wait_for(FINISHED, 300)
            growth = peak.stop()
            os.remove(submission)
            check(state == "done", "the check ended as " + state)
            check(growth <= MOST_GROWTH_MIB, "the renderer's memory grew by %d MiB" % growth)
            grew.append("%d MiB" % growth)
        return "grew by %s (failing at its end) and %s (passing)" % tuple(grew)

    def close(self):
        self.run.close()


def main():
    web, work = sys.argv[1:3]
    if not find_chromium():
        print("SKIPPED: Chromium is not installed (Debian package chromium); the page was not tested")
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    limits = Limits(web, work)
    failures = 0
    try:
        for test in (limits.memory, limits.quoted_line, limits.million_blocks, limits.million_rectangles):
            try:
                print("ok %s: %s" % (test.__name__, test()))
            except Failure as failure:
                failures += 1
                print("FAIL %s: %s" % (test.__name__, failure))
    finally:
        limits.close()
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
