// The fast evaluation of a block (white-cell tables, the union sweep, the difference canvas)
// against a deliberately simple painter, on thousands of random small blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "submission.h"
#include "test_util.h"

namespace {
struct Verdict {
  int check = 0;  // 0: accepted
  int k = 0;
  int x = 0;
  int y = 0;
  bool operator==(const Verdict&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Verdict& v) {
  return out << "check " << v.check << " k " << v.k << " cell " << v.x << "," << v.y;
}

// Paints cell by cell, exactly as the checks are worded.
Verdict Paint(const TestCase& tc, const std::vector<Rect>& rects) {
  std::vector<std::string> canvas(tc.h, std::string(tc.w, '.'));
  for (int k = 1; k <= static_cast<int>(rects.size()); ++k) {
    const Rect& r = rects[k - 1];
    if (r.x < 0)
      return {140, k};
    if (r.y < 0)
      return {141, k};
    if (static_cast<long long>(r.x) + r.width > tc.w)
      return {142, k};
    if (static_cast<long long>(r.y) + r.height > tc.h)
      return {143, k};
    if (!((r.width <= tc.a && r.height <= tc.b) || (r.width <= tc.b && r.height <= tc.a))) {
      return {145, k};
    }
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        if (tc.Row(y)[x] != '#')
          return {148, k, x, y};
        canvas[y][x] = '#';
      }
    }
  }
  for (int y = 0; y < tc.h; ++y) {
    for (int x = 0; x < tc.w; ++x) {
      if (tc.Row(y)[x] != canvas[y][x])
        return {tc.Row(y)[x] == '#' ? 157 : 161, 0, x, y};
    }
  }
  return {};
}

std::string ExpectedMessage(const Verdict& v) {
  const std::string cell = "x = " + std::to_string(v.x) + ", y = " + std::to_string(v.y);
  if (v.check == 148) {
    return std::to_string(v.k) + ". pravokotnik pobarva tudi celico " + cell +
           ", ki bi morala ostati bela";
  }
  if (v.check == 157) {
    return "celica " + cell + " je ostala bela, pa bi morala postati crna";
  }
  return {};
}

Verdict Evaluate(TestCase& tc, const std::vector<Rect>& rects, std::string& message) {
  std::string body = std::to_string(rects.size()) + "\n";
  for (const Rect& r : rects) {
    body += std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) + " " +
            std::to_string(r.height) + "\n";
  }
  MemorySource source(body);
  LineReader reader(source);
  BlockWorkspace workspace;
  std::int64_t lineCounter = 0;
  try {
    EvaluateCase(reader, tc, 1, lineCounter, workspace);
  } catch (const EAssertion& assertion) {
    message = assertion.message;
    return {assertion.line};
  }
  return {};
}

struct Generator {
  std::mt19937 random{12345};
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  Rect RandomRect(int w, int h) {
    const int x = Uniform(0, w - 1);
    const int y = Uniform(0, h - 1);
    return {x, y, Uniform(1, w - x), Uniform(1, h - y)};
  }

  TestCase Picture(std::vector<Rect>& shapes) {
    TestCase tc;
    tc.number = 1;
    tc.w = Uniform(0, 3) == 0 ? Uniform(1, 4) : Uniform(1, 40);
    tc.h = Uniform(0, 3) == 0 ? Uniform(1, 4) : Uniform(1, 40);
    tc.a = Uniform(1, 40);
    tc.b = Uniform(1, 40);
    tc.ownedRows.assign(static_cast<std::size_t>(tc.w) * tc.h, '.');
    tc.rowStride = static_cast<std::size_t>(tc.w);
    const int count = Uniform(0, 6);
    for (int i = 0; i < count; ++i) {
      shapes.push_back(RandomRect(tc.w, tc.h));
      const Rect& s = shapes.back();
      for (int y = s.y; y < s.y + s.height; ++y) {
        for (int x = s.x; x < s.x + s.width; ++x) tc.ownedRows[y * tc.w + x] = '#';
      }
    }
    for (const char c : tc.ownedRows) tc.blackCount += c == '#';
    return tc;
  }

  // Every shape that made the picture, repeated and shuffled, sometimes one left out: exact
  // covers with overlaps, and covers that miss cells.
  std::vector<Rect> Cover(const std::vector<Rect>& shapes) {
    std::vector<Rect> rects = shapes;
    for (const Rect& shape : shapes) {
      if (Uniform(0, 2) == 0)
        rects.push_back(shape);
    }
    if (Uniform(0, 2) == 0)
      rects.push_back({Uniform(0, 3), Uniform(0, 3), Uniform(-2, 0), Uniform(-2, 3)});
    std::shuffle(rects.begin(), rects.end(), random);
    if (rects.size() > 1 && Uniform(0, 3) == 0)
      rects.pop_back();
    if (rects.empty())
      rects.push_back({0, 0, 0, 0});
    return rects;
  }

  // Mostly the shapes that made the picture, often overlapping, sometimes a stray one.
  std::vector<Rect> Block(const TestCase& tc, const std::vector<Rect>& shapes) {
    std::vector<Rect> rects;
    const int count = Uniform(1, std::min(24, tc.w * tc.h));
    for (int i = 0; i < count; ++i) {
      const int kind = Uniform(0, 9);
      if (kind < 6 && !shapes.empty()) {
        rects.push_back(shapes[Uniform(0, static_cast<int>(shapes.size()) - 1)]);
      } else if (kind < 8) {
        rects.push_back(
            {Uniform(-2, tc.w + 2), Uniform(-2, tc.h + 2), Uniform(-3, tc.w), Uniform(-3, tc.h)});
      } else {
        rects.push_back(RandomRect(tc.w, tc.h));
      }
    }
    return rects;
  }
};

TEST(Coverage, MatchesSimplePainting) {
  Generator generator;
  std::map<int, int> verdicts;
  for (int round = 0; round < 6000; ++round) {
    std::vector<Rect> shapes;
    TestCase tc = generator.Picture(shapes);
    // Half the time the white-cell table is in use from the first rectangle on.
    if (round % 2 == 1)
      tc.scanCost = std::int64_t{1} << 40;
    if (round % 3 == 0)
      tc.a = tc.b = 40;
    std::vector<Rect> rects =
        round % 3 == 0 ? generator.Cover(shapes) : generator.Block(tc, shapes);
    rects.resize(std::min<std::size_t>(rects.size(), static_cast<std::size_t>(tc.w) * tc.h));
    const Verdict expected = Paint(tc, rects);
    std::string message;
    const Verdict got = Evaluate(tc, rects, message);
    ASSERT_EQ(got.check, expected.check) << "round " << round << ", expected " << expected;
    if (expected.check == 148 || expected.check == 157) {
      ASSERT_EQ(message, ExpectedMessage(expected)) << "round " << round;
    }
    ++verdicts[expected.check];
  }
  // The generator must reach every verdict often: accepted blocks, every bound, both cells.
  for (const int check : {0, 140, 141, 142, 143, 145, 148, 157}) {
    EXPECT_GT(verdicts[check], 40) << "check " << check;
  }
}

// Many short rectangles take the sweep, thousands of full-height ones the canvas, and a
// million copies of one rectangle too; every way must accept an exact cover, overlaps
// included, and name the one cell a cover misses. The same workspace serves every block, as it
// does in a run.
TEST(Coverage, LargeBlocksEveryPath) {
  TestCase tc;
  tc.w = tc.h = 1000;
  tc.a = tc.b = 1000;
  tc.ownedRows.assign(1000000, '#');
  tc.rowStride = 1000;
  tc.blackCount = 1000000;
  std::vector<Rect> strips;
  for (int y = 0; y < 1000; ++y) {
    for (int x = 0; x < 1000; x += 50) strips.push_back({x, y, 50, 1});
  }
  std::vector<Rect> columns;
  for (int copy = 0; copy < 3; ++copy) {
    for (int x = 0; x < 999; ++x) columns.push_back({x, 0, 1, 1000});
  }
  columns.push_back({999, 0, 1, 1000});
  std::vector<Rect> copies(1000000, Rect{0, 0, 1000, 1000});
  copies.push_back({0, 0, 0, 5});
  std::vector<Rect> halves = {{0, 0, 1000, 600}, {0, 400, 1000, 600}};
  struct Block {
    std::vector<Rect>* rects;
    Rect lastShrunk;
    Cell missed;
  };
  const Block blocks[] = {{&strips, {950, 999, 49, 1}, {999, 999}},
                          {&columns, {999, 0, 1, 999}, {999, 999}},
                          {&copies, {0, 0, 1000, 1000}, {0, 0}},
                          {&halves, {0, 400, 999, 600}, {999, 600}}};
  Coverage coverage;
  for (const Block& block : blocks) {
    EXPECT_FALSE(coverage.FirstMismatch(tc, *block.rects).has_value());
    std::vector<Rect> shrunk = *block.rects;
    if (block.rects == &copies) {
      shrunk.assign(1000000, Rect{0, 1, 1000, 999});  // the top row left white
    } else {
      shrunk.back() = block.lastShrunk;
    }
    const auto cell = coverage.FirstMismatch(tc, shrunk);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->x, block.missed.x);
    EXPECT_EQ(cell->y, block.missed.y);
  }
}
}  // namespace
