"""Task inputs and submissions made from a seed, for comparing the batch with the evaluator
(batch_compare.py): covers of each picture, most of them then changed in one way that the
evaluator may or may not accept. Which check a change reaches is the evaluator's to say; the
comparison only needs many different outcomes."""

# Test cases: (kind, w, h, a, b).
TESTS = [
    ("example", 3, 2, 2, 2),
    ("black", 1, 1, 1, 1),
    ("white", 5, 4, 1, 1),
    ("noise", 24, 18, 3, 2),
    ("blobs", 40, 30, 12, 9),
    ("holes", 90, 80, 80, 80),
    ("stripes", 64, 70, 64, 5),
]


class Generator:
    def __init__(self, rng):
        self.rng = rng
        self.pictures = [self.picture(*test) for test in TESTS]
        self.contestants = ["%06d" % rng.randrange(1, 999999) for _ in range(60)]
        self.contestants += ["-12345", "12ab56", "000042"]

    def picture(self, kind, w, h, a, b):
        rng = self.rng
        black = [[False] * w for _ in range(h)]
        if kind == "example":
            black = [[True, True, False], [True, True, True]]
        elif kind == "black":
            black = [[True]]
        elif kind == "noise":
            black = [[rng.random() < 0.6 for _ in range(w)] for _ in range(h)]
        elif kind == "stripes":
            black = [[(y // 3) % 2 == 0 or x < 7 for x in range(w)] for y in range(h)]
        elif kind in ("blobs", "holes"):
            for _ in range(8 if kind == "blobs" else 1):
                x0, y0 = rng.randrange(w), rng.randrange(h)
                x1, y1 = rng.randrange(x0, w) + 1, rng.randrange(y0, h) + 1
                if kind == "holes":
                    x0, y0, x1, y1 = 0, 0, w, h
                for y in range(y0, y1):
                    for x in range(x0, x1):
                        black[y][x] = True
            if kind == "holes":
                for _ in range(6):
                    black[rng.randrange(h)][rng.randrange(w)] = False
        return {"w": w, "h": h, "a": a, "b": b, "black": black}

    def task_input(self):
        lines = ["Zelmiranke", str(len(self.pictures))]
        for number, p in enumerate(self.pictures, 1):
            lines += ["", "%d %d %d %d %d" % (number, p["w"], p["h"], p["a"], p["b"])]
            lines += ["".join("#" if cell else "." for cell in row) for row in p["black"]]
        return ("\n".join(lines) + "\n").encode()

    @staticmethod
    def fits(p, width, height):
        return (width <= p["a"] and height <= p["b"]) or (width <= p["b"] and height <= p["a"])

    def cover(self, p):
        """Runs of each row, merged down while they fit; now and then cells alone, or pieces of
        the cover laid over it again."""
        if self.rng.random() < 0.1:
            return [(x, y, 1, 1) for y in range(p["h"]) for x in range(p["w"]) if p["black"][y][x]]
        longest = max(p["a"], p["b"])
        open_runs = {}
        rects = []
        for y in range(p["h"] + 1):
            runs = set()
            x = 0
            while y < p["h"] and x < p["w"]:
                if not p["black"][y][x]:
                    x += 1
                    continue
                start = x
                while x < p["w"] and p["black"][y][x] and x - start < longest:
                    x += 1
                runs.add((start, x - start))
            for run, (top, height) in list(open_runs.items()):
                if run not in runs or not self.fits(p, run[1], height + 1):
                    rects.append((run[0], top, run[1], height))
                    del open_runs[run]
                else:
                    open_runs[run] = (top, height + 1)
                    runs.discard(run)
            for run in runs:
                open_runs[run] = (y, 1)
        if rects and self.rng.random() < 0.2:
            for _ in range(self.rng.randrange(1, 4)):
                x, y, w, h = self.rng.choice(rects)
                rects.append((x, y, self.rng.randrange(w + 1), self.rng.randrange(h + 1)))
        self.rng.shuffle(rects)
        return rects

    def change_block(self, p, rects):
        rng = self.rng
        kind = rng.choice(["drop", "white", "grow", "shift", "huge", "zero", "flip", "none"])
        if kind == "drop" and rects:
            rects.pop(rng.randrange(len(rects)))
        elif kind == "white":
            whites = [(x, y) for y in range(p["h"]) for x in range(p["w"]) if not p["black"][y][x]]
            if whites:
                x, y = rng.choice(whites)
                rects.insert(rng.randrange(len(rects) + 1), (x, y, 1, 1))
        elif kind in ("grow", "shift", "huge", "flip") and rects:
            i = rng.randrange(len(rects))
            x, y, w, h = rects[i]
            rects[i] = {"grow": (x, y, w + rng.choice([0, 1]), h + rng.choice([0, 1])),
                        "shift": (x - rng.choice([0, 1]), y - rng.choice([1, 0]), w, h),
                        "huge": (x, y, 2147483647, h),
                        "flip": (x, y, h, w)}[kind]
        elif kind == "zero":
            rects.append((rng.randrange(p["w"]), rng.randrange(p["h"]), 0, rng.randrange(3)))
        return rects

    def block_lines(self, number, rects):
        rng = self.rng
        count = len(rects)
        if rng.random() < 0.04:
            count += rng.choice([-1, 1, -count])
        lines = [str(number), str(count)]
        for x, y, w, h in rects:
            line = "%d %d %d %d" % (x, y, w, h)
            odd = rng.random()
            if odd < 0.005:
                line = "%d %d %d" % (x, y, w)
            elif odd < 0.01:
                line += " trailing text"
            elif odd < 0.015:
                line = "  +%d\t%d %d %d" % (x, y, w, h)
            lines.append(line)
        return lines

    def header(self):
        rng = self.rng
        contestant = rng.choice(self.contestants)
        odd = rng.random()
        if odd < 0.02:
            return [contestant[:5], "Zelmiranke"]
        if odd < 0.03:
            return ["abcdef", "Zelmiranke"]
        if odd < 0.04:
            return [contestant, "zelmiranke"]
        if odd < 0.05:
            return [contestant]
        return [contestant, "Zelmiranke"]

    def submission(self):
        rng = self.rng
        if rng.random() < 0.01:
            return b""
        lines = self.header()
        valid = rng.random() < 0.45
        for _ in range(rng.randrange(0, 6)):
            number = rng.randrange(len(self.pictures)) + 1
            p = self.pictures[number - 1]
            rects = self.cover(p)
            if not rects:
                rects = [(0, 0, 0, 0)]
            if not valid:
                rects = self.change_block(p, rects)
            if not valid and rng.random() < 0.03:
                number = rng.choice([0, len(self.pictures) + 1, -1])
            if rng.random() < 0.1:
                lines.append("")
            lines += self.block_lines(number, rects) if not valid else \
                [str(number), str(len(rects))] + ["%d %d %d %d" % r for r in rects]
        if not valid and rng.random() < 0.03:
            lines.append(rng.choice(["x", " ", "7 rectangles", "1e3"]))
        text = "\n".join(lines) + ("\n" if rng.random() < 0.9 else "")
        if rng.random() < 0.1:
            text = text.replace("\n", "\r\n")
        data = text.encode()
        if not valid and rng.random() < 0.05 and data:
            at = rng.randrange(len(data))
            data = data[:at] + (b"\x1a" if rng.random() < 0.5 else b"")
        return data
