#!/usr/bin/env python3
"""The page in headless Chromium, as a user drives it: for a handful of golden cases it picks
the two files, waits for the evaluation, and checks that the report shown and the report saved
are the expected bytes, that the verdict names the check with every blank filled and shows the
line the check names, that the cell the check names has the fault colour at its edge and its
own colour in its middle (and the legend says what its kind of black cell means), that the
rejected row has the fault colour, what the pointer shows on that cell before and after the
wheel (which zooms only with Ctrl or once the picture has the focus), that another block of a
passing submission is drawn without moving what stands above the picture, and that after the
page was loaded no request left it and nothing was stored. A submission of 5 GB (a sparse
file) shows the progress bar move and the evaluation cancelled. On a phone's screen, one
finger over the picture scrolls the page and two fingers zoom the picture. Skips (exit status 77) when
Chromium is not installed.

    page_test.py WEB_DIR CASES_DIR WORK_DIR"""
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from browser import Browser, Server, find_chromium  # noqa: E402
from render_test import read_png  # noqa: E402

FAULT = (0xFF, 0xE6, 0x00)
# The named cell's own colour, and the legend's words for its kind of black cell, by check.
OWN = {b"148": ((0xFF, 0xFF, 0xFF), "not yet covered"), b"157": ((0xE6, 0x00, 0x7E), "no rectangle")}
CELL_COLOURS = [(0xFF, 0xFF, 0xFF), (0x26, 0x26, 0x26), (0xC8, 0xC8, 0xC8)]
FAULT_ROW_ALPHA = 0.4
# (case, what else to check, the line the verdict marks and a mark in it): "cell" the colour of
# the named cell, "row" that of the rejected row, "block" the choice of another block, "line"
# the whole grid for a check that names a line but no cell.
CASES = [
    ("worked-example", None, None),
    ("entries-in-submission-order", "block", None),
    ("input-row-too-long", "row", ("6", None)),
    ("worked-example-148", "cell", ("6", None)),
    ("cell-left-white", "cell", None),
    ("task-name-wrong", None, ("2", "·")),
    ("submission-binary-garbage", None, ("1", "\\xDE")),
    ("rectangle-three-numbers", "line", ("6", None)),
]
FINISHED = "['done', 'error', 'cancelled'].includes(document.body.dataset.state) && document.body.dataset.state"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def shown(data):
    """The report as the page shows it: printable ASCII and line ends, every other byte \\xHH."""
    return "".join(chr(b) if 0x20 <= b < 0x7F or b == 10 else "\\x%02X" % b for b in data)


def near(a, b):
    return all(abs(p - q) <= 8 for p, q in zip(a, b))


class PageRun:
    """One browser with the page; every case loads the page afresh."""

    def __init__(self, web, work):
        self.work = work
        self.server = Server(web)
        self.browser = Browser(find_chromium(), work, self.server.port)
        self.browser.watch_network()
        self.browser.call("Page.enable")

    def load(self):
        """Loads the page and waits until it is ready; what the page requests from then on is
        counted as leaving it."""
        browser = self.browser
        browser.call("Page.navigate", url=self.server.url())
        state = browser.wait_for("document.body && document.body.dataset.state !== 'loading' && "
                                 "document.body.dataset.state")
        check(state == "ready", "the page did not get ready: " + str(state))
        browser.wait_for("document.readyState === 'complete'")
        self.requests_at_ready = len(self.server.requests)
        browser.page_requests.clear()

    def evaluate_files(self, input_path, submission_path):
        self.browser.choose_file("#input-file", input_path)
        self.browser.choose_file("#submission-file", submission_path)
        return self.browser.wait_for(FINISHED)

    def check_nothing_left(self):
        # Events of requests just made, also by a worker that has just started, come in first.
        self.browser.evaluate("new Promise((done) => setTimeout(done, 300))")
        self.browser.evaluate("0")
        own = "127.0.0.1:%d" % self.server.port
        late = [r for r in self.server.requests[self.requests_at_ready:] if own in r or r.startswith("GET /")]
        check(not late, "requests of the page after it was ready, seen by its server and proxy: %s" % late)
        left = [url for url in self.browser.page_requests if not url.startswith(("blob:", "data:"))]
        check(not left, "requests from the page after it was ready: %s" % left)
        stored = self.browser.evaluate(
            "(async () => [document.cookie, localStorage.length, sessionStorage.length,"
            " (await indexedDB.databases()).length, self.caches ? (await caches.keys()).length : 0])()")
        check(stored == ["", 0, 0, 0, 0], "the page stored something: %s" % stored)

    def saved_report(self, name):
        folder = os.path.join(self.work, "downloads", name)
        os.makedirs(folder)
        self.browser.call("Browser.setDownloadBehavior", browser=True, behavior="allow",
                          downloadPath=folder)
        self.browser.evaluate("document.getElementById('save').click()")
        path = os.path.join(folder, "report.txt")
        end = time.monotonic() + 30
        while time.monotonic() < end and (not os.path.exists(path) or
                                          any(f.endswith(".crdownload") for f in os.listdir(folder))):
            time.sleep(0.05)
        check(os.path.exists(path), "no report.txt was saved")
        with open(path, "rb") as file:
            return file.read()

    def pixel_of_cell(self, x, y, across=0.5):
        """Where on the screen cell (x, y) of the picture is, once it is drawn: its middle, or
        `across` of its width from its left edge."""
        browser = self.browser
        browser.evaluate("document.getElementById('canvas').scrollIntoView()")
        browser.evaluate("new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)))")
        left, top, scale = browser.evaluate(
            "(() => { const box = document.getElementById('canvas').getBoundingClientRect();"
            " return [box.left + picture.ox, box.top + picture.oy, picture.scale]; })()")
        return int(left + (x + across) * scale), int(top + (y + 0.5) * scale)

    def colour_of_cell(self, x, y, name, across=0.5):
        """The colour on screen in cell (x, y) of the picture, as pixel_of_cell finds it."""
        px, py = self.pixel_of_cell(x, y, across)
        shot = os.path.join(self.work, name + ".png")
        self.browser.screenshot(shot)
        channels, rows = read_png(shot)
        return tuple(rows[py][px * channels:px * channels + 3])

    def pointer_over_cell(self, x, y, wheel=0):
        """What the page says of the cell under the pointer, put in the middle of cell (x, y)
        (after turning the wheel there, when `wheel`)."""
        px, py = self.pixel_of_cell(x, y)
        self.browser.call("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py)
        if wheel:
            self.browser.call("Input.dispatchMouseEvent", type="mouseWheel", x=px, y=py,
                              deltaX=0, deltaY=wheel)
            self.browser.evaluate("new Promise((done) => requestAnimationFrame(done))")
            self.browser.call("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py + 1)
        return self.browser.evaluate("document.getElementById('pointer').textContent")

    def check_pointer(self, case_dir, x, y, expected):
        """The cell under the pointer, with the rectangle over it and that rectangle's line as
        written; the wheel zooms in around the pointer once the picture has the focus."""
        words = self.pointer_over_cell(x, y)
        check(words.startswith("x = %d, y = %d: " % (x, y)), "the pointer shows " + words)
        ordinal = re.match(rb"Napaka \[Ozi18Zelmiranke:148\]: (\d+)\.", expected)
        if ordinal:
            line = re.search(r"; rectangle (\d+) \(fails the check\), line (\d+): (.*)$", words)
            check(line and line.group(1) == ordinal.group(1).decode(), "no failing rectangle: " + words)
            with open(os.path.join(case_dir, "submission.txt"), "rb") as file:
                written = file.read().split(b"\n")[int(line.group(2)) - 1].rstrip(b"\r")
            check(line.group(3) == shown(written), "line %s is not %r: %s" % (line.group(2), written, words))
        scale = self.browser.evaluate("picture.scale")
        self.pointer_over_cell(x, y, wheel=-200)
        check(self.browser.evaluate("picture.scale") == scale, "the wheel zoomed a picture without the focus")
        check(self.browser.evaluate("document.getElementById('zoom-hint').classList.contains('shown')"),
              "the wheel without the focus did not say how to zoom")
        self.browser.evaluate("document.getElementById('canvas').focus()")
        words = self.pointer_over_cell(x, y, wheel=-200)
        check(self.browser.evaluate("picture.scale") > scale, "the wheel did not zoom in")
        check(words.startswith("x = %d, y = %d: " % (x, y)), "after zooming the pointer shows " + words)

    def run_case(self, case_dir, extra, line):
        name = os.path.basename(case_dir)
        with open(os.path.join(case_dir, "expected.txt"), "rb") as file:
            expected = file.read()
        self.load()
        state = self.evaluate_files(os.path.join(case_dir, "input.txt"),
                                    os.path.join(case_dir, "submission.txt"))
        check(state == "done", "the evaluation ended as " + state)
        report = self.browser.evaluate("document.getElementById('report').textContent")
        check(report == shown(expected), "the report shown differs:\n%r\n%r" % (report, shown(expected)))
        check(self.saved_report(name) == expected, "the report saved differs")
        title = self.browser.evaluate("document.getElementById('verdict-title').textContent")
        number = re.match(rb"Napaka \[Ozi18Zelmiranke:(\d+)\]", expected)
        check(("Check %s " % number.group(1).decode()) in title if number else title.startswith("OK"),
              "the verdict says " + title)
        # Every blank of the check's English line is filled from the message, and the line the
        # check names is shown as the file holds it.
        words = self.browser.evaluate("document.getElementById('verdict').textContent")
        check("…" not in words and "{" not in words, "the verdict has a blank: " + words)
        if line:
            named = self.browser.evaluate("[...document.querySelectorAll('#where-lines .named')]"
                                          ".map((row) => row.textContent)")
            check(len(named) == 1 and named[0].startswith(line[0]), "the verdict marks the lines %s" % named)
            marks = self.browser.evaluate("[...document.querySelectorAll('#where-lines .named mark')]"
                                          ".map((mark) => mark.textContent)")
            check(not line[1] or line[1] in marks, "the line's marks are %s, not %s" % (marks, line[1]))
            # A failure before any grid shows the file's lines instead of an empty picture.
            check(extra or self.browser.evaluate("document.getElementById('picture').hidden"),
                  "a failure without a grid shows the picture's section")
        if extra == "cell":
            x, y = map(int, re.search(rb"x = (\d+), y = (\d+)", expected).groups())
            colour = self.colour_of_cell(x, y, name, 0.12)
            check(near(colour, FAULT), "cell (%d, %d) shows %s, not the fault colour" % (x, y, colour))
            own, words = OWN[number.group(1)]
            colour = self.colour_of_cell(x, y, name)
            check(near(colour, own), "the middle of cell (%d, %d) shows %s, not %s" % (x, y, colour, own))
            other = (x + 1, y) if x == 0 else (0, y)
            colour = self.colour_of_cell(*other, name, 0.12)
            check(not near(colour, FAULT), "cell %s shows the fault colour too" % (other,))
            legend = self.browser.evaluate("document.getElementById('legend').textContent")
            check(words in legend, "the legend does not say %r: %s" % (words, legend))
            self.check_pointer(case_dir, x, y, expected)
        if extra == "row":
            y = int(re.search(rb"vrstica y = (\d+)", expected).group(1))
            colour = self.colour_of_cell(0, y, name)
            blends = [tuple(round(f * FAULT_ROW_ALPHA + c * (1 - FAULT_ROW_ALPHA)) for f, c in zip(FAULT, cell))
                      for cell in CELL_COLOURS]
            check(any(near(colour, blend) for blend in blends),
                  "the rejected row %d shows %s, not the fault colour over a cell" % (y, colour))
        if extra == "block":
            self.check_block_switch()
        if extra == "line":
            self.browser.evaluate("document.getElementById('go-failure').click()")
            note = self.browser.evaluate("document.getElementById('failure-note').hidden ||"
                                         " document.getElementById('failure-note').textContent")
            check(note is not True and "line %s," % line[0] in note, "going to the failure says: %s" % note)
            whole = self.browser.evaluate("picture.scale === Math.min(picture.scene.mostCellPixels, picture.fitScale())")
            check(whole, "going to a failure without a cell does not show the whole grid")
        self.check_nothing_left()

    def check_block_switch(self):
        """The next block is drawn, and the buttons above the picture stay where they were while
        it is evaluated and after, so that a second click lands on the same button."""
        where = ("(() => { const box = document.getElementById('block-next').getBoundingClientRect();"
                 " return [box.left + scrollX, box.top + scrollY]; })()")
        before = self.browser.evaluate(where)
        self.browser.evaluate("document.getElementById('block-next').click()")
        during = self.browser.evaluate(where)
        check(self.browser.wait_for(FINISHED) == "done", "the run for block 2 did not finish")
        self.browser.evaluate("new Promise((done) => requestAnimationFrame(done))")
        caption = self.browser.evaluate("document.getElementById('caption').textContent")
        check(caption.startswith("Block 2,"), "block 2 was not drawn: " + caption)
        check(before == during == self.browser.evaluate(where),
              "the block buttons moved: %s, then %s, then %s" % (before, during, self.browser.evaluate(where)))

    def run_cancel(self, case_dir):
        """A 5 GB submission: the progress bar moves, and Cancel stops the evaluation."""
        huge = os.path.join(self.work, "huge-submission.txt")
        with open(huge, "wb") as file:
            file.truncate(5 << 30)
        self.load()
        self.browser.choose_file("#input-file", os.path.join(case_dir, "input.txt"))
        self.browser.choose_file("#submission-file", huge)
        read = self.browser.wait_for("document.getElementById('progress').value > 0 && "
                                     "document.getElementById('progress').value")
        check(read < 1, "the progress bar is full before the end")
        self.browser.evaluate("document.getElementById('cancel').click()")
        check(self.browser.evaluate("document.body.dataset.state") == "cancelled", "Cancel did not cancel")
        time.sleep(0.5)
        check(self.browser.evaluate("document.body.dataset.state") == "cancelled" and
              self.browser.evaluate("document.getElementById('result').hidden"),
              "a result came after Cancel")
        self.check_nothing_left()

    def run_touch(self, case_dir):
        """On a phone's screen: one finger over the picture scrolls the page and leaves the
        picture, two fingers moving apart zoom it and leave the page where it was."""
        browser = self.browser
        browser.call("Emulation.setDeviceMetricsOverride", width=400, height=700, deviceScaleFactor=1, mobile=True)
        browser.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=2)
        try:
            self.load()
            state = self.evaluate_files(os.path.join(case_dir, "input.txt"), os.path.join(case_dir, "submission.txt"))
            check(state == "done", "the evaluation ended as " + state)
            help_words = browser.evaluate("document.getElementById('pointer').textContent")
            check("one finger scrolls the page" in help_words, "the help on a touch screen says: " + help_words)
            browser.evaluate("document.getElementById('canvas').scrollIntoView({block: 'center'})")
            x, y = browser.evaluate("(() => { const box = document.getElementById('canvas').getBoundingClientRect();"
                                    " return [box.left + box.width / 2, box.top + box.height / 2]; })()")
            at = browser.evaluate("[scrollY, picture.scale]")
            self.touch([[(x, y - 8 * step)] for step in range(16)])
            scrolled = browser.evaluate("[scrollY, picture.scale]")
            check(scrolled[0] > at[0] and scrolled[1] == at[1],
                  "one finger went from [scrollY, scale] %s to %s" % (at, scrolled))
            y = browser.evaluate("document.getElementById('canvas').getBoundingClientRect().top") + 40
            self.touch([[(x - 10 - 4 * step, y), (x + 10 + 4 * step, y)] for step in range(12)])
            zoomed = browser.evaluate("[scrollY, picture.scale]")
            check(zoomed[0] == scrolled[0] and zoomed[1] > scrolled[1],
                  "two fingers went from [scrollY, scale] %s to %s" % (scrolled, zoomed))
        finally:
            browser.call("Emulation.setTouchEmulationEnabled", enabled=False)
            browser.call("Emulation.clearDeviceMetricsOverride")

    def touch(self, steps):
        """Fingers put down where `steps` starts, moved through it and lifted."""
        points = [[{"x": x, "y": y} for x, y in step] for step in steps]
        self.browser.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=points[0])
        for step in points[1:]:
            self.browser.call("Input.dispatchTouchEvent", type="touchMove", touchPoints=step)
            time.sleep(0.016)
        self.browser.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        time.sleep(0.3)  # the page's scrolling comes to rest

    def close(self):
        self.browser.close()
        self.server.close()


def main():
    web, cases, work = sys.argv[1:4]
    if not find_chromium():
        print("SKIPPED: Chromium is not installed (Debian package chromium); the page was not tested")
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    run = PageRun(web, work)
    failures = 0
    try:
        for name, extra, line in CASES:
            try:
                run.run_case(os.path.join(cases, name), extra, line)
                print("ok %s" % name)
            except Failure as failure:
                failures += 1
                print("FAIL %s: %s" % (name, failure))
        for name, test, case in (("cancel", run.run_cancel, "worked-example"),
                                 ("touch", run.run_touch, "worked-example-148")):
            try:
                test(os.path.join(cases, case))
                print("ok " + name)
            except Failure as failure:
                failures += 1
                print("FAIL %s: %s" % (name, failure))
    finally:
        run.close()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
