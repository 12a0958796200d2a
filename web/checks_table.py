#!/usr/bin/env python3
"""Writes the page's words for the checks (checks.js) from the table of docs/checks.md, so that
the page says what that page says: per check its file, the party at fault, the message
template of the report, its English and how to fix it.
   checks_table.py CHECKS_MD CHECKS_JS"""
import json
import sys

COLUMNS = ["check", "file", "party", "template", "english", "fix", "causes"]


def rows(text):
    """The rows of the table whose first cell is a check number."""
    for line in text.splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split(" | ")]
        if len(cells) == len(COLUMNS) and cells[0].isdigit():
            yield dict(zip(COLUMNS, cells))


def main():
    source, target = sys.argv[1:3]
    with open(source, encoding="utf-8") as page:
        checks = {}
        for row in rows(page.read()):
            row["template"] = row["template"].strip("`")
            checks[row.pop("check")] = row
    if not checks:
        sys.exit(f"{source}: no table of checks found")
    with open(target, "w", encoding="utf-8") as out:
        out.write("// Made from docs/checks.md by web/checks_table.py: the words of every check.\n")
        out.write("const CHECK_WORDS = " + json.dumps(checks, indent=1, ensure_ascii=False) + ";\n")


if __name__ == "__main__":
    main()
