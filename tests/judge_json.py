#!/usr/bin/env python3
"""The JSON object of `zelmiranke-judge json`: reading it as a grading system would and checking
it field by field against the rules it keeps. Used by run_case.sh and judge_walk.py.

  judge_json.py compare EXPECTED.json GOT_STDOUT [lf|crlf]
"""
import json
import re
import sys

import check_table

VERDICTS = {"ok", "rejected", "setup-error", "internal-error"}
FAILURE_PLACES = {"block", "test", "rectangle", "cell", "line"}
SCORE_FIELDS = {"tests", "answered", "score"}
# Where and why in English, on every verdict but ok (the help the explanation gives).
HELP_FIELDS = {"line_text", "line_length", "english", "fix", "cause"}
SETUP_FAULT = "Sodniska napaka: "
UNEXPECTED_LINE = "Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja."


def line_end_bytes(line_end):
    return b"\r\n" if line_end == "crlf" else b"\n"


def parse_output(data, line_end="lf"):
    """The object on standard output: ASCII only, on one line that ends with the line end."""
    end = line_end_bytes(line_end)
    if not data.endswith(end) or b"\n" in data[: -1]:
        raise AssertionError("not one line ending in the line end: %r" % data[:200])
    try:
        text = data[: -len(end)].decode("ascii")
    except UnicodeDecodeError as error:
        raise AssertionError("a byte outside ASCII: %s" % error)
    value = json.loads(text)
    if not isinstance(value, dict):
        raise AssertionError("not an object")
    return value


def with_line_end(value, line_end):
    """`value` with each LF in its strings turned into the platform's line end."""
    if line_end != "crlf":
        return value
    if isinstance(value, str):
        return value.replace("\n", "\r\n")
    if isinstance(value, list):
        return [with_line_end(item, line_end) for item in value]
    if isinstance(value, dict):
        return {key: with_line_end(item, line_end) for key, item in value.items()}
    return value


def is_count(value, low=0):
    return isinstance(value, int) and not isinstance(value, bool) and value >= low


def check_schema(obj, line_end="lf"):
    """Every field has its type, and each is there exactly when its verdict and failure call for
    it."""
    def need(condition, what):
        if not condition:
            raise AssertionError("%s: %s" % (what, json.dumps(obj)[:300]))

    verdict = obj.get("verdict")
    need(verdict in VERDICTS, "unknown verdict")
    allowed = {"verdict", "message", "report", "check", "party", "blocks"} | FAILURE_PLACES
    allowed |= SCORE_FIELDS | HELP_FIELDS
    need(set(obj) <= allowed, "unknown fields %s" % sorted(set(obj) - allowed))
    need(isinstance(obj.get("message"), str) and isinstance(obj.get("report"), str),
         "message and report are strings")
    if obj["report"] == "":
        # The judge did not grade: the grading setup failed in a way no check names.
        need(set(obj) == {"verdict", "party", "message", "report"} and verdict == "setup-error"
             and obj["party"] == "organizer" and obj["message"].startswith(SETUP_FAULT),
             "a setup fault")
        return
    end = line_end_bytes(line_end).decode()
    need(obj["report"].startswith(obj["message"] + end), "the message is the report's first line")
    need(all(ord(c) < 256 for c in obj["report"]), "a character beyond one byte")
    check = obj.get("check")
    if verdict == "ok":
        need(set(obj) == {"verdict", "message", "report", "blocks"} | SCORE_FIELDS,
             "the fields of ok")
        need(obj["message"] == "OK", "ok says OK")
        need(is_count(obj["tests"]) and is_count(obj["answered"]) and
             obj["answered"] <= obj["tests"], "tests and answered")
        score = obj["score"]
        need(isinstance(score, float) and 0 <= score <= 1 and
             (score < 1 or obj["answered"] == obj["tests"]) and
             (score == 0) == (obj["answered"] == 0), "the score: 1 only when every test is answered, "
             "0 only for none")
        blocks = obj["blocks"]
        need(isinstance(blocks, list), "blocks is a list")
        for block in blocks:
            need(isinstance(block, dict) and set(block) == {"test", "rectangles"}, "block fields")
            need(is_count(block["test"], -2**31) and is_count(block["rectangles"], 1),
                 "block numbers")
        return
    need("blocks" not in obj, "blocks only on ok")
    check_help(obj, need)
    need(obj.get("party") == ("contestant" if verdict == "rejected" else "organizer"), "party")
    if verdict == "internal-error":
        need(check is None or check_table.verdict(check) == verdict,
             "internal errors: no check, or the evaluator's own")
        if check is None:
            need(set(obj) == {"verdict", "party", "message", "report", "english", "fix"},
                 "unexpected error fields")
            need(obj["message"] == UNEXPECTED_LINE, "the unexpected-error line")
            return
    need(is_count(check) and check in check_table.CHECKS, "a check of the evaluator")
    need(check_table.verdict(check) == verdict, "the verdict of the check's party")
    need(obj["message"].startswith("Napaka [Ozi18Zelmiranke:%d]: " % check),
         "the message names the check")
    in_block = check_table.CHECKS[check]["part"] == "kBlock"
    need(("block" in obj) == in_block and ("test" in obj) == in_block,
         "block and test exactly for a block's checks")
    if in_block:
        need(is_count(obj["block"], 1) and is_count(obj["test"], -2**31), "block and test")
    if "rectangle" in obj:
        need(is_count(obj["rectangle"], 1), "rectangle from 1")
    if "cell" in obj:
        cell = obj["cell"]
        need(isinstance(cell, dict) and set(cell) == {"x", "y"} and is_count(cell["x"]) and
             is_count(cell["y"]), "cell")
    if "line" in obj:
        need(is_count(obj["line"], 1), "line from 1")


def printable(text):
    return isinstance(text, str) and text != "" and all(" " <= c <= "~" for c in text)


def check_help(obj, need):
    """The English help of a failure: printable text, the line's head at most 120 characters."""
    need(printable(obj.get("english")) and printable(obj.get("fix", "-")), "english and fix")
    need(("line_text" in obj) == ("line_length" in obj), "line_text with line_length")
    if "line_text" in obj:
        need("line" in obj and (obj["line_text"] == "" or printable(obj["line_text"])) and
             len(obj["line_text"]) <= 120 and is_count(obj["line_length"]), "the line's text")
    if "cause" in obj:
        cause = obj["cause"]
        need(isinstance(cause, dict) and set(cause) == {"name", "what", "fix"} and
             all(printable(value) for value in cause.values()), "the likely cause")


def check_agrees_with_message(obj):
    """Where the message names a place, the fields name the same one. A quoted line (checks 62,
    65, 92, 98, 192, 194, 202) may hold any text, so only the words before it count."""
    head = obj["message"].split('"')[0]
    cell = re.search(r"celic[oa] x = (\d+), y = (\d+)", head)
    if cell:
        assert obj.get("cell") == {"x": int(cell.group(1)), "y": int(cell.group(2))}, head
    ordinal = re.search(r"(\d+)\. pravokotnik", head)
    if ordinal:
        assert obj.get("rectangle") == int(ordinal.group(1)), head
    line = re.search(r"\]: (?:v (\d+)\. vrstici|manjka (\d+)\. vrstica|vrstica (\d+) bi"
                     r"|v vrsticah \d+\.\.(\d+))", head)
    if line:
        number = next(group for group in line.groups() if group is not None)
        assert obj.get("line") == int(number), head


def main():
    if len(sys.argv) < 4 or sys.argv[1] != "compare":
        sys.exit(__doc__)
    line_end = sys.argv[4] if len(sys.argv) > 4 else "lf"
    with open(sys.argv[2], encoding="utf-8") as file:
        expected = with_line_end(json.load(file), line_end)
    with open(sys.argv[3], "rb") as file:
        data = file.read()
    try:
        got = parse_output(data, line_end)
        check_schema(got, line_end)
    except (AssertionError, ValueError) as error:
        sys.exit("standard output: %s" % error)
    if got != expected:
        for key in sorted(set(got) | set(expected)):
            if got.get(key) != expected.get(key):
                print("%s: expected %r, got %r" % (key, expected.get(key), got.get(key)))
        sys.exit(1)


if __name__ == "__main__":
    main()
