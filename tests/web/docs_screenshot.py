#!/usr/bin/env python3
"""The picture of docs/web.md: the page on the example failure (examples/view-*.txt, check 148
on rectangle 12) with the pointer on the cell the check names, from the files to the legend,
as a laptop shows it.
   docs_screenshot.py WEB_DIR PNG"""
import base64
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_test import FINISHED, PageRun  # noqa: E402

WIDTH = 1100
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")


def main():
    web, png = sys.argv[1:3]
    work = tempfile.mkdtemp()
    run = PageRun(web, work)
    try:
        browser = run.browser
        browser.call("Emulation.setDeviceMetricsOverride", width=WIDTH, height=1400,
                     deviceScaleFactor=1, mobile=False)
        run.load()
        browser.choose_file("#input-file", os.path.join(EXAMPLES, "view-input.txt"))
        browser.choose_file("#submission-file", os.path.join(EXAMPLES, "view-submission.txt"))
        browser.wait_for(FINISHED)
        browser.evaluate("new Promise((done) => setTimeout(done, 300))")
        run.pointer_over_cell(10, 3)
        bottom = browser.evaluate("document.getElementById('legend').getBoundingClientRect().bottom + scrollY")
        data = browser.call("Page.captureScreenshot", format="png", captureBeyondViewport=True,
                            clip={"x": 0, "y": 0, "width": WIDTH, "height": bottom + 16, "scale": 1})["data"]
        with open(png, "wb") as file:
            file.write(base64.b64decode(data))
    finally:
        run.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
