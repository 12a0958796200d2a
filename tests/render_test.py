#!/usr/bin/env python3
"""Renders a picture of a failing block in headless Chromium, as a browser shows it, and checks
that the cell the check names has the fault colour at its edge and its own colour (here:
uncovered) in its middle, while another cell shows no fault colour. Skips (exit status 77)
when Chromium is not installed.

    render_test.py VIEWER CASE_DIR WORK_DIR
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import zlib

FAULT = (0xFF, 0xE6, 0x00)
UNCOVERED = (0xE6, 0x00, 0x7E)


def read_png(path):
    """Width, height, channels and the unfiltered rows of an 8-bit RGB or RGBA PNG."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), "unexpected PNG format"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 3 if colour == 2 else 4
    raw, stride, rows, prior = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, corner = prior[i], prior[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                guess = left + up - corner
                best = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                           (abs(guess - corner), 2, corner))[2]
                line[i] = (line[i] + best) & 255
        rows.append(line)
        prior = line
    return channels, rows


def attribute(svg, element, name):
    match = re.search(r'<%s[^>]*\b%s="([^"]*)"' % (element, name), svg)
    assert match, "no %s of %s in the picture" % (name, element)
    return match.group(1)


def main():
    viewer, case_dir, work = sys.argv[1:4]
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if not chromium:
        print("SKIPPED: Chromium is not installed (Debian package chromium); the picture was not rendered")
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    picture, screenshot = os.path.join(work, "picture.svg"), os.path.join(work, "screenshot.png")
    subprocess.run([viewer, os.path.join(case_dir, "input.txt"), os.path.join(case_dir, "submission.txt"),
                    picture], check=True, stdout=subprocess.DEVNULL)
    svg = open(picture).read()
    grid_x, grid_y = float(attribute(svg, 'svg class="grid"', "x")), float(attribute(svg, 'svg class="grid"', "y"))
    box = [float(v) for v in attribute(svg, 'svg class="grid"', "viewBox").split()]
    scale = float(attribute(svg, 'svg class="grid"', "width")) / box[2]
    fault = (int(attribute(svg, 'rect class="fault"', "x")), int(attribute(svg, 'rect class="fault"', "y")))
    other = (0 if fault[0] > 0 else int(box[2]) - 1, fault[1])

    def pixel_of(cell, across=0.5):
        return (int(grid_x + (cell[0] - box[0] + across) * scale), int(grid_y + (cell[1] - box[1] + 0.5) * scale))

    subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update", "--disable-sync",
                    "--user-data-dir=" + os.path.join(work, "profile"), "--hide-scrollbars",
                    "--force-device-scale-factor=1", "--window-size=1000,700", "--screenshot=" + screenshot,
                    "file://" + os.path.abspath(picture)],
                   check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    channels, rows = read_png(screenshot)

    def colour(cell, across=0.5):
        x, y = pixel_of(cell, across)
        return tuple(rows[y][x * channels:x * channels + 3])

    edge, middle, outside = colour(fault, 0.12), colour(fault), colour(other, 0.12)
    near = lambda a, b: all(abs(p - q) <= 8 for p, q in zip(a, b))
    print("fault cell %s: edge %s, middle %s; cell %s: %s" % (fault, edge, middle, other, outside))
    if not near(edge, FAULT) or near(outside, FAULT):
        print("FAIL: the fault cell is not the only one drawn in the fault colour")
        return 1
    if not near(middle, UNCOVERED):
        print("FAIL: the middle of the fault cell does not show its own colour")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
