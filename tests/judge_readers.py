"""How each judge system reads what zelmiranke-judge writes, after the systems' own code:
CMS's reading of a checker's output (cms/grading/steps/trusted.py), testlib's message and its
cap (testlib.h), DOMjudge's and ejudge's limits on what they keep and show. Each reader raises
ValueError where the system would fail the evaluation or lose part of the text. Used by
judge_walk.py, judge_packages.py and run_case.sh (`judge_readers.py cms STDOUT STDERR`).
"""
import io
import re
import sys

# CMS refuses a message that holds any of these (after decoding the text as UTF-8).
CMS_REFUSED = re.compile("[\x00-\x08\x0a-\x1f\x7f-\xbf]")
CMS_ADMIN = "ADMIN_MESSAGE:"
TESTLIB_CAP = 32000          # testlib's maxMessageLength
DOMJUDGE_STORED = 50000      # DOMjudge's output_storage_limit: what it keeps of a feedback file
DOMJUDGE_SHOWN = 2000        # DOMjudge's output_display_limit: what it shows a team
EJUDGE_KEPT = 65536          # ejudge's max_file_length: a longer checker output is dropped
TESTLIB_WORDS = {"ok": b"ok ", "rejected": b"wrong answer ", "judge-error": b"FAIL "}


def _cms_sanitize(text):
    match = CMS_REFUSED.search(text)
    if match:
        raise ValueError("CMS refuses the character 0x%02x in a message" % ord(match[0]))
    return text.replace("%", "%%")


def cms_read(stdout, stderr):
    """(outcome, message, admin messages) as CMS takes them from a checker that exited with 0:
    both streams decoded as UTF-8 with universal newlines, the outcome the first line of
    standard output as a float, the message the first line of standard error; each later
    non-empty line of standard error is a command, and one that is no ADMIN_MESSAGE is refused
    here (CMS logs it as unknown)."""
    out = io.TextIOWrapper(io.BytesIO(stdout), encoding="utf-8")
    outcome = out.readline().strip()
    err = io.TextIOWrapper(io.BytesIO(stderr), encoding="utf-8")
    message = _cms_sanitize(err.readline().strip())
    admin = []
    for line in err.readlines():
        line = line.strip()
        if not line:
            continue
        if not line.startswith(CMS_ADMIN):
            raise ValueError("CMS reads a line of standard error as a command: %r" % line[:80])
        admin.append(_cms_sanitize(line[len(CMS_ADMIN):].strip()))
    value = float(outcome)
    if not 0 <= value <= 1:
        raise ValueError("the outcome %r lies outside 0..1" % outcome)
    return value, message, admin


def plain_lines(data, what, end=b"\n"):
    """The lines of a text that holds printable ASCII and line ends `end` alone: no byte of a
    file's that a system could take for a line end or fail to decode."""
    lines = data.split(end)
    if lines[-1] != b"":
        raise ValueError("%s does not end with a line end" % what)
    for line in lines[:-1]:
        bad = [byte for byte in line if not 0x20 <= byte <= 0x7E]
        if bad:
            raise ValueError("%s holds the byte 0x%02x in %r" % (what, bad[0], line[:80]))
    return lines[:-1]


def testlib_read(stderr, verdict, end=b"\n"):
    """The message after testlib's word for `verdict` (ok, rejected or judge-error), within
    testlib's cap and ejudge's."""
    word = TESTLIB_WORDS[verdict]
    if not stderr.startswith(word):
        raise ValueError("standard error does not start with %r" % word)
    if len(stderr) - len(word) > TESTLIB_CAP or len(stderr) > EJUDGE_KEPT:
        raise ValueError("the message passes testlib's cap: %d bytes" % len(stderr))
    return plain_lines(stderr[len(word):], "standard error", end)


def domjudge_read(judgemessage, teammessage, end=b"\n"):
    """The lines of the feedback files, each kept whole by DOMjudge and the team's shown whole."""
    if len(judgemessage) > DOMJUDGE_STORED:
        raise ValueError("judgemessage.txt passes what DOMjudge stores: %d" % len(judgemessage))
    if teammessage is not None and len(teammessage) > DOMJUDGE_SHOWN:
        raise ValueError("teammessage.txt passes what DOMjudge shows: %d" % len(teammessage))
    team = None if teammessage is None else plain_lines(teammessage, "teammessage.txt", end)
    return plain_lines(judgemessage, "judgemessage.txt", end), team


def main():
    if len(sys.argv) != 4 or sys.argv[1] != "cms":
        sys.exit(__doc__)
    with open(sys.argv[2], "rb") as out, open(sys.argv[3], "rb") as err:
        try:
            outcome, message, admin = cms_read(out.read(), err.read())
        except ValueError as error:
            sys.exit("CMS cannot read the checker's output: %s" % error)
    if admin:
        sys.exit("the checker writes to CMS's administrators: %r" % admin)
    print(outcome, message)


if __name__ == "__main__":
    main()
