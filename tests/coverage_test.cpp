// The evaluation of a block (white-cell searches and the white index, every way to the union's
// area, naming the cell) against a deliberately simple painter.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "submission.h"
#include "test_util.h"
#include "white_index.h"

namespace {
using Way = Coverage::Way;
constexpr Way kEveryWay[] = {Way::kChoose, Way::kGrid,    Way::kPainter,
                             Way::kRows,   Way::kColumns, Way::kSweep};

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
Verdict Paint(const std::vector<std::string>& rows, int a, int b, const RectList& rects) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(rows[0].size());
  std::vector<std::string> canvas(h, std::string(w, '.'));
  for (int k = 1; k <= static_cast<int>(rects.size()); ++k) {
    const Rect& r = rects[k - 1];
    if (r.x < 0)
      return {140, k};
    if (r.y < 0)
      return {141, k};
    if (static_cast<long long>(r.x) + r.width > w)
      return {142, k};
    if (static_cast<long long>(r.y) + r.height > h)
      return {143, k};
    if (!((r.width <= a && r.height <= b) || (r.width <= b && r.height <= a)))
      return {145, k};
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        if (rows[y][x] != '#')
          return {148, k, x, y};
        canvas[y][x] = '#';
      }
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (rows[y][x] != canvas[y][x])
        return {rows[y][x] == '#' ? 157 : 161, 0, x, y};
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

// The check number a block body gives (0: accepted), with its message.
int RunBlock(TestCase& tc, const std::string& body, BlockWorkspace& workspace,
             std::string& message) {
  MemorySource source(body);
  LineReader reader(source);
  std::int64_t lineCounter = 0;
  try {
    EvaluateCase(reader, tc, 1, lineCounter, workspace);
  } catch (const EAssertion& assertion) {
    message = assertion.message;
    return assertion.line;
  }
  return 0;
}

Verdict Evaluate(TestCase& tc, const RectList& rects, BlockWorkspace& workspace,
                 std::string& message) {
  std::string body = std::to_string(rects.size()) + "\n";
  for (const Rect& r : rects) {
    body += std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) + " " +
            std::to_string(r.height) + "\n";
  }
  return {RunBlock(tc, body, workspace, message)};
}

struct Generator {
  std::mt19937 random{12345};
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  Rect RandomRect(int w, int h) {
    const int x = Uniform(0, w - 1);
    const int y = Uniform(0, h - 1);
    return {x, y, Uniform(1, w - x), Uniform(1, h - y)};
  }

  // Mostly small pictures; sometimes one wide or tall enough for the index's long runs.
  int Side() {
    const int kind = Uniform(0, 9);
    return kind < 3 ? Uniform(1, 4) : kind < 9 ? Uniform(1, 40) : Uniform(120, 200);
  }

  std::vector<std::string> Picture(RectList& shapes) {
    const int w = Side();
    const int h = Side();
    std::vector<std::string> rows(h, std::string(w, '.'));
    const int count = Uniform(0, 6);
    for (int i = 0; i < count; ++i) {
      shapes.push_back(RandomRect(w, h));
      const Rect& s = shapes.back();
      for (int y = s.y; y < s.y + s.height; ++y) {
        for (int x = s.x; x < s.x + s.width; ++x) rows[y][x] = '#';
      }
    }
    return rows;
  }

  // Every shape that made the picture, repeated and shuffled, sometimes one left out: exact
  // covers with overlaps, and covers that miss cells.
  RectList Cover(const RectList& shapes) {
    RectList rects = shapes;
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
  RectList Block(int w, int h, const RectList& shapes) {
    RectList rects;
    const int count = Uniform(1, std::min(24, w * h));
    for (int i = 0; i < count; ++i) {
      const int kind = Uniform(0, 9);
      if (kind < 6 && !shapes.empty()) {
        rects.push_back(shapes[Uniform(0, static_cast<int>(shapes.size()) - 1)]);
      } else if (kind < 8) {
        rects.push_back({Uniform(-2, w + 2), Uniform(-2, h + 2), Uniform(-3, w), Uniform(-3, h)});
      } else {
        rects.push_back(RandomRect(w, h));
      }
    }
    return rects;
  }
};

TEST(Coverage, EveryWayMatchesSimplePainting) {
  Generator generator;
  // One workspace a way, serving block after block as in a run, so that nothing a block leaves
  // behind goes unnoticed.
  BlockWorkspace workspaces[std::size(kEveryWay)];
  for (std::size_t i = 0; i < std::size(kEveryWay); ++i) {
    workspaces[i].coverage.Force(kEveryWay[i]);
  }
  std::map<int, int> verdicts;
  for (int round = 0; round < 6000; ++round) {
    RectList shapes;
    const std::vector<std::string> rows = generator.Picture(shapes);
    const int w = static_cast<int>(rows[0].size());
    const int h = static_cast<int>(rows.size());
    const bool cover = round % 3 == 0;
    const int limit = cover ? 200 : generator.Uniform(1, 40);
    PictureForTest picture(rows, limit, cover ? limit : generator.Uniform(1, 40));
    RectList rects = cover ? generator.Cover(shapes) : generator.Block(w, h, shapes);
    rects.resize(std::min<std::size_t>(rects.size(), static_cast<std::size_t>(w) * h));
    const Verdict expected = Paint(rows, picture.testCase.a, picture.testCase.b, rects);
    BlockWorkspace& workspace = workspaces[round % std::size(kEveryWay)];
    workspace.whiteCells = WhiteCells();  // it knows test cases by address, and this one is new
    // Every other round the white index is in use from the first rectangle on.
    picture.testCase.whiteScanCost = round % 2 == 1 ? WhiteCells::kIndexNow : 0;
    std::string message;
    const Verdict got = Evaluate(picture.testCase, rects, workspace, message);
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

// The shapes that defeat one way or another: rectangles of full height or full width in random
// order, many small strips, copies of one rectangle, large random rectangles. Each way that
// can take the block in reasonable time, and the choice, must accept the exact cover and name
// the one cell that a cover missing it leaves. One workspace serves every block, as in a run.
TEST(Coverage, LargeBlocksEveryWay) {
  const std::vector<std::string> rows(1000, std::string(1000, '#'));
  PictureForTest picture(rows, 1000, 1000);
  const TestCase& tc = picture.testCase;
  std::mt19937 random(7);
  const auto shuffled = [&random](RectList rects) {
    std::shuffle(rects.begin(), rects.end(), random);
    return rects;
  };
  RectList strips;
  for (int y = 0; y < 1000; ++y) {
    for (int x = 0; x < 1000; x += 50) strips.push_back({x, y, 50, 1});
  }
  RectList columns;
  RectList rowsOf;
  for (int copy = 0; copy < 3; ++copy) {
    for (int at = 0; at < 1000;) {
      const int side = std::min(1000 - at, 1 + static_cast<int>(random() % 7));
      columns.push_back({at, 0, side, 1000});
      rowsOf.push_back({0, at, 1000, side});
      at += side;
    }
  }
  RectList large;
  for (int i = 0; i < 300; ++i) {
    const int x = static_cast<int>(random() % 1000);
    const int y = static_cast<int>(random() % 1000);
    large.push_back({x, y, 1 + static_cast<int>(random() % (1000 - x)),
                     1 + static_cast<int>(random() % (1000 - y))});
  }
  large.push_back({0, 0, 1000, 500});
  large.push_back({0, 500, 1000, 500});
  struct Block {
    RectList rects;
    std::vector<Way> ways;
  };
  const std::vector<Way> quick = {Way::kChoose, Way::kRows, Way::kColumns, Way::kSweep};
  std::vector<Block> blocks = {
      {shuffled(strips), {Way::kChoose, Way::kPainter, Way::kRows, Way::kSweep}},
      {shuffled(columns), quick},
      {shuffled(rowsOf), std::vector(std::begin(kEveryWay) + 2, std::end(kEveryWay))},
      {RectList(100000, Rect{0, 0, 1000, 1000}), quick},
      {shuffled(large), quick},
      {{{0, 0, 1000, 600}, {0, 400, 1000, 600}, {3, 3, 0, -1}},
       std::vector(std::begin(kEveryWay), std::end(kEveryWay))},
  };
  Coverage coverage;
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    RectList rects = blocks[b].rects;
    // The same block with the bottom-right cell cut out of every rectangle that holds it.
    RectList missing = rects;
    RectList pieces;
    for (Rect& r : missing) {
      if (r.x + r.width == 1000 && r.y + r.height == 1000) {
        r.width == 1 ? --r.height : --r.width;
        if (r.height > 1)
          pieces.push_back({999, r.y, 1, r.height - 1});
      }
    }
    missing.insert(missing.end(), pieces.begin(), pieces.end());
    for (const Way way : blocks[b].ways) {
      coverage.Force(way);
      EXPECT_FALSE(coverage.FirstMismatch(tc, rects).has_value())
          << "block " << b << " way " << static_cast<int>(way);
      const auto cell = coverage.FirstMismatch(tc, missing);
      ASSERT_TRUE(cell.has_value()) << "block " << b << " way " << static_cast<int>(way);
      EXPECT_EQ(cell->x, 999) << "block " << b;
      EXPECT_EQ(cell->y, 999) << "block " << b;
    }
  }
}

// A block leaves nothing behind for the next one in the same workspace, whichever way it ended:
// settled by a rectangle that covers every black cell, passed by painting, or failed.
TEST(Coverage, NothingCarriesOverToTheNextBlock) {
  PictureForTest picture({"##.", "###"}, 3, 3);
  // Large enough that the canvas is cleared cell by cell, not all at once.
  std::vector<std::string> rows(64, std::string(64, '.'));
  rows[0][0] = '#';
  PictureForTest oneCell(rows, 1, 1);
  rows[1][0] = '#';
  PictureForTest twoCells(rows, 3, 3);
  const struct {
    TestCase* testCase;
    const char* block;
    int check;
  } blocks[] = {
      {&picture.testCase, "1\n0 0 2 2\n", 157},  // misses (2, 1)
      {&picture.testCase, "2\n0 0 2 2\n2 1 1 1\n", 0},
      {&picture.testCase, "1\n0 1 2 1\n", 157},  // misses (0, 0)
      {&oneCell.testCase, "1\n0 0 1 1\n", 0},    // settles the block, painted
      {&oneCell.testCase, "1\n0 0 0 0\n", 157},
      {&picture.testCase, "3\n0 0 2 2\n2 1 1 1\n0 0 1 1\n", 0},
      {&picture.testCase, "1\n0 0 1 1\n", 157},
      {&twoCells.testCase, "1\n0 0 1 3\n", 148},  // fails half way through painting
      {&twoCells.testCase, "1\n0 0 1 1\n", 157},
  };
  BlockWorkspace workspace;
  for (const auto& block : blocks) {
    std::string message;
    EXPECT_EQ(RunBlock(*block.testCase, block.block, workspace, message), block.check)
        << block.block;
  }
}

// The index against counting: random pictures, from a single cell to wider than 16 tiles,
// with every kind of run across and down.
TEST(WhiteIndex, AgreesWithCountingCells) {
  std::mt19937 random(99);
  const auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int round = 0; round < 300; ++round) {
    const int w = round % 3 == 0 ? uniform(1, 20) : uniform(1, 260);
    const int h = round % 3 == 1 ? uniform(1, 20) : uniform(1, 260);
    const int whitePerMille = uniform(0, 3) == 0 ? 0 : uniform(1, 30);
    std::vector<std::string> rows(h, std::string(w, '#'));
    for (std::string& row : rows) {
      for (char& c : row) c = uniform(0, 999) < whitePerMille ? '.' : '#';
    }
    PictureForTest picture(rows, 1, 1);
    const WhiteIndex index(picture.testCase);
    for (int query = 0; query < 200; ++query) {
      const int x0 = uniform(0, w - 1);
      const int y0 = uniform(0, h - 1);
      const int x1 = uniform(x0 + 1, w);
      const int y1 = uniform(y0 + 1, h);
      bool white = false;
      for (int y = y0; y < y1 && !white; ++y) {
        white = rows[y].find('.', x0) < static_cast<std::size_t>(x1);
      }
      ASSERT_EQ(index.AnyWhite(x0, y0, x1, y1), white)
          << w << "x" << h << " [" << x0 << "," << x1 << ")x[" << y0 << "," << y1 << ")";
    }
  }
}
}  // namespace
