#!/usr/bin/env python3
"""The contestant's loop on the page in headless Chromium: check, fix the file, check again.
The page opened as a file (no server) checks a submission; files dropped on the page (which
gives them handles) are read as they are at each check, so an edited submission is checked as
edited and a deleted one is said to be gone in plain words; a file picked without a handle
and then edited is said to have changed, as is one written to while it is read; files put in
each other's box are told, not checked, and never blamed on the organizers; two files
dropped at once land in their boxes. Skips (exit status 77) when Chromium is not installed.
    loop_test.py WEB_DIR CASES_DIR WORK_DIR"""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, find_chromium  # noqa: E402
from page_test import FINISHED, Failure, PageRun, check  # noqa: E402

# What a browser says when a picked file changed; the page must never show it.
RAW_ERRORS = ("Failed to execute", "permission problems", "NotReadableError", "NotFoundError")


def text_of(browser, element):
    return browser.evaluate("document.getElementById(%r).innerText" % element)


class Loop:
    def __init__(self, web, cases, work):
        self.web, self.cases, self.work = web, cases, work
        self.run = PageRun(web, work)
        self.browser = self.run.browser

    def files(self, case, folder):
        """Copies of a golden case's two files, which a test may change."""
        os.makedirs(folder, exist_ok=True)
        for name in ("input.txt", "submission.txt"):
            shutil.copy(os.path.join(self.cases, case, name), os.path.join(folder, name))
        return os.path.join(folder, "input.txt"), os.path.join(folder, "submission.txt")

    def check_again(self):
        self.browser.evaluate("document.getElementById('check').click()")
        self.browser.wait_for("document.body.dataset.state !== 'running'")
        return self.browser.wait_for(FINISHED.replace("'cancelled'", "'cancelled', 'error'"))

    def pick_and_wait(self, box, path):
        """Picks a file in a box and returns the page's state once it has dealt with it: the
        check it started at once has ended, or the page waits for Check."""
        self.browser.evaluate("document.body.dataset.state = 'picking'")
        self.browser.choose_file(box, path)
        return self.browser.wait_for("!['picking', 'running'].includes(document.body.dataset.state) && "
                                     "document.body.dataset.state")

    def title(self):
        return text_of(self.browser, "verdict-title")

    def check_plain_words(self):
        words = self.browser.evaluate("document.body.innerText")
        raw = [error for error in RAW_ERRORS if error in words]
        check(not raw, "the page shows the browser's own words: %s" % raw)

    def edited_and_deleted(self):
        """Dropped files: the edited submission is checked as edited, then it is deleted."""
        self.run.load()
        input_path, submission = self.files("worked-example", os.path.join(self.work, "dropped"))
        self.browser.drop_files("#drop-input", [input_path])
        self.browser.drop_files("#drop-submission", [submission])
        check(self.browser.wait_for(FINISHED) == "done" and self.title().startswith("OK"),
              "the dropped files were not checked: " + self.title())
        time.sleep(1.1)  # a later modification time than the file had
        shutil.copy(os.path.join(self.cases, "worked-example-148", "submission.txt"), submission)
        check(self.check_again() == "done" and self.title() == "Check 148 failed",
              "the edited submission was not checked as edited: " + self.title())
        os.remove(submission)
        self.check_again()
        words = text_of(self.browser, "verdict")
        check("no longer where it was picked" in words, "a deleted submission reads as: " + words)
        self.check_plain_words()

    def picked_and_edited(self):
        """A file picked without a handle and then edited: pick it again, says the page."""
        self.run.load()
        input_path, submission = self.files("worked-example", os.path.join(self.work, "picked"))
        check(self.run.evaluate_files(input_path, submission) == "done", "the picked files were not checked")
        time.sleep(1.1)
        with open(submission, "ab") as file:
            file.write(b"\n")
        self.check_again()
        words = text_of(self.browser, "verdict")
        check("changed after it was picked" in words and "pick it again" in words,
              "an edited picked submission reads as: " + words)
        self.check_plain_words()

    def changed_while_read(self):
        """A submission written to while the page reads it: a dropped one is read again at the
        next check, so the page asks to check again; a picked one can only be picked again."""
        input_path = os.path.join(self.work, "one-cell.txt")
        with open(input_path, "wb") as file:
            file.write(b"Zelmiranke\n1\n\n1 1 1 1 1\n#\n")
        submission = os.path.join(self.work, "growing.txt")
        with open(submission, "wb") as file:
            file.write(b"123456\nZelmiranke\n" + b"1\n1\n0 0 1 1\n" * (4 << 20))
        for way, words, again in (("dropped", "changed while it was being read", "Check again"),
                                  ("picked", "pick it again", "Pick the submission again")):
            self.run.load()
            if way == "dropped":
                self.browser.drop_files("#drop-input", [input_path])
                self.browser.drop_files("#drop-submission", [submission])
            else:
                self.browser.choose_file("#input-file", input_path)
                self.browser.choose_file("#submission-file", submission)
            self.browser.wait_for("document.getElementById('progress').value > 0")
            with open(submission, "ab") as file:
                file.write(b"1\n1\n0 0 1 1\n")
            state = self.browser.wait_for(FINISHED.replace("'cancelled'", "'cancelled', 'error'"))
            words_shown = text_of(self.browser, "verdict")
            check(state == "error" and words in words_shown and again in words_shown,
                  "a %s submission changed while read ends as %s: %s" % (way, state, words_shown))
            self.check_plain_words()
        os.remove(submission)

    def swapped(self):
        """Files in each other's box: said, not checked; checked anyway, nobody is blamed; one
        click swaps and checks them. A submission in both boxes is nobody's fault and offered no
        swap; a submission that merely looks like a task input is checked."""
        self.run.load()
        input_path, submission = self.files("worked-example", os.path.join(self.work, "swapped"))
        self.browser.choose_file("#input-file", submission)
        self.browser.choose_file("#submission-file", input_path)
        notice = "document.getElementById('files-notice').innerText"
        self.browser.wait_for(notice + ".includes('swapped')")
        check("Swap the files" in self.browser.evaluate(notice), "the notice says: " + self.browser.evaluate(notice))
        check(self.browser.evaluate("document.body.dataset.state") == "ready", "swapped files were checked at once")
        self.check_again()
        words = text_of(self.browser, "verdict")
        check("organizer" not in words and "in each other's box" in words,
              "swapped files checked anyway read as: " + words)
        self.browser.evaluate("document.getElementById('verdict-action').click()")
        self.browser.wait_for("document.body.dataset.state === 'running'")
        check(self.browser.wait_for(FINISHED) == "done" and self.title().startswith("OK"),
              "the swapped files did not pass: " + self.title())
        check(self.browser.evaluate("document.getElementById('files-notice').hidden"), "the notice stayed")
        # A submission in both boxes: swapping cannot help, and nobody is blamed for the pick.
        self.browser.choose_file("#input-file", submission)
        self.browser.wait_for(notice + ".includes('Both files look like a submission')")
        check(self.browser.evaluate("document.getElementById('files-notice-action').hidden"),
              "two submissions are offered a swap")
        self.check_again()
        words = text_of(self.browser, "verdict")
        check("organizer" not in words and "Swap" not in words and "picked as the task input" in words,
              "a submission picked as the task input reads as: " + words)
        self.pick_and_wait("#input-file", input_path)
        # A submission whose header lines are swapped starts with the task name and a number, as
        # a task input does; it is no task input, and its verdict says what is wrong.
        with open(submission, "rb") as file:
            contestant, task, rest = file.read().split(b"\n", 2)
        with open(submission, "wb") as file:
            file.write(b"\n".join((task, contestant, rest)))
        state = self.pick_and_wait("#submission-file", submission)
        check(state == "done" and self.title() == "Check 190 failed",
              "a submission with its header lines swapped was %s: %s" % (state, self.title()))
        check(self.browser.evaluate("document.getElementById('files-notice').hidden"),
              "a submission with its header lines swapped is said to be misplaced")
        check("swapped" in text_of(self.browser, "verdict-cause"), "no likely cause names the swapped lines")

    def dropped_together(self):
        """Two files dropped at once, the submission first, land in their own boxes."""
        self.run.load()
        input_path, submission = self.files("worked-example", os.path.join(self.work, "together"))
        self.browser.drop_files("header", [submission, input_path])
        check(self.browser.wait_for(FINISHED) == "done" and self.title().startswith("OK"),
              "two dropped files were not put in their boxes: " + self.title())

    def opened_as_file(self):
        """The page opened from disk, with no server, checks the files and makes no request."""
        os.makedirs(os.path.join(self.work, "from-disk"))
        browser = Browser(find_chromium(), os.path.join(self.work, "from-disk"), 9)
        try:
            browser.watch_network()
            browser.call("Page.enable")
            browser.call("Page.navigate", url="file://" + os.path.abspath(os.path.join(self.web, "index.html")))
            state = browser.wait_for("document.body && document.body.dataset.state !== 'loading' && "
                                     "document.body.dataset.state")
            check(state == "ready", "the page opened as a file is " + str(state))
            browser.page_requests.clear()
            case = os.path.join(self.cases, "worked-example-148")
            browser.choose_file("#input-file", os.path.join(case, "input.txt"))
            browser.choose_file("#submission-file", os.path.join(case, "submission.txt"))
            check(browser.wait_for(FINISHED) == "done" and text_of(browser, "verdict-title") == "Check 148 failed",
                  "the page opened as a file did not check: " + text_of(browser, "verdict-title"))
            left = [url for url in browser.page_requests if not url.startswith(("blob:", "data:"))]
            check(not left, "requests from the page opened as a file: %s" % left)
        finally:
            browser.close()

    def close(self):
        self.run.close()


def main():
    web, cases, work = sys.argv[1:4]
    if not find_chromium():
        print("SKIPPED: Chromium is not installed (Debian package chromium); the page was not tested")
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    loop = Loop(web, cases, work)
    failures = 0
    try:
        for test in (loop.edited_and_deleted, loop.picked_and_edited, loop.changed_while_read, loop.swapped,
                     loop.dropped_together, loop.opened_as_file):
            try:
                test()
                print("ok " + test.__name__)
            except Failure as failure:
                failures += 1
                print("FAIL %s: %s" % (test.__name__, failure))
    finally:
        loop.close()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
