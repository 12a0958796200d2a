#!/usr/bin/env python3
"""Makes the page one self-contained HTML file, so that it works opened from disk (a double
click, no server) as well as hosted: every <link rel="stylesheet" href> and <script src> of
index.html is replaced by the named file's text, a .wasm file by its bytes in base64. The
scripts of type text/plain are the worker's parts, which the page joins into a Blob. Files are
looked up in the folders given, in order.
   bundle.py INDEX_HTML OUTPUT_HTML FOLDER..."""
import base64
import os
import re
import sys

TAG = re.compile(r'<link rel="stylesheet" href="([^"]+)">|<script([^>]*) src="([^"]+)"></script>')


def find(name, folders):
    for folder in folders:
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            return path
    sys.exit("bundle.py: %s is in none of %s" % (name, ", ".join(folders)))


def text_of(name, folders):
    with open(find(name, folders), "rb") as file:
        data = file.read()
    if name.endswith(".wasm"):
        return base64.b64encode(data).decode("ascii")
    text = data.decode("utf-8")
    # Inside <script> and <style> nothing can be escaped: a closing tag would end it early.
    if re.search(r"</(script|style)", text, re.I):
        sys.exit("bundle.py: %s holds a closing tag and cannot be put inside the page" % name)
    return text


def inline(match, folders):
    style, attributes, script = match.groups()
    if style:
        return "<style>\n%s</style>" % text_of(style, folders)
    return "<script%s>%s</script>" % (attributes, text_of(script, folders))


def main():
    source, target, *folders = sys.argv[1:]
    with open(source, encoding="utf-8") as file:
        page = file.read()
    page = TAG.sub(lambda match: inline(match, folders), page)
    with open(target, "w", encoding="utf-8") as file:
        file.write(page)


if __name__ == "__main__":
    main()
