#!/usr/bin/env python3
"""Packs the page's folder (build/web) into one zip for make dist, under one top folder, with
fixed dates and modes and the files in name order, so that the same files give the same bytes.
   zip_web.py FOLDER ZIP TOP"""
import os
import sys
import zipfile


def main():
    folder, target, top = sys.argv[1:4]
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if not os.path.isfile(path):
                continue
            entry = zipfile.ZipInfo(top + "/" + name, date_time=(1980, 1, 1, 0, 0, 0))
            entry.external_attr = 0o644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as file:
                archive.writestr(entry, file.read())


if __name__ == "__main__":
    main()
