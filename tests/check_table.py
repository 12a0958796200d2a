"""The table of checks (src/eval/checks.h) for the Python tests: what each check number means,
read from the one place that says it.

  CHECKS[number] = {"part": "kBlock", "party": "kContestant", "line": True,
                    "rectangle": "kRead", "cell": True, "whole": False}
"""
import re
from pathlib import Path

HEADER = Path(__file__).resolve().parent.parent / "src" / "eval" / "checks.h"


def _read(path=HEADER):
    text = path.read_text(encoding="utf-8")
    numbers = dict(re.findall(r"inline constexpr int (k\w+) = (\d+);", text))
    row = re.compile(r"\{check::(k\w+),\s*(k\w+),\s*(k\w+),\s*(true|false),\s*(k\w+),\s*"
                     r"(true|false),\s*(true|false)\}")
    checks = {}
    for name, part, party, line, rectangle, cell, whole in row.findall(text):
        checks[int(numbers[name])] = {"part": part, "party": party, "line": line == "true",
                                      "rectangle": rectangle, "cell": cell == "true",
                                      "whole": whole == "true"}
    if len(checks) != len(numbers):
        raise SystemExit(f"{path}: {len(numbers)} checks named, {len(checks)} rows read")
    return checks


CHECKS = _read()


def party(number):
    """kContestant, kGradingSetup or kEvaluator; a number that is no check is the evaluator's."""
    return CHECKS.get(number, {}).get("party", "kEvaluator")


def verdict(number):
    """The judge's verdict class of a failure of check `number`."""
    return {"kContestant": "rejected", "kGradingSetup": "setup-error"}.get(party(number),
                                                                          "internal-error")
