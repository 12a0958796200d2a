// Whole blocks and whole runs against the plain reference evaluation (reference.h): small
// random pictures block by block, and runs of large pictures whose blocks are shaped to reach
// every way of deciding a block and the white-cell index through the submission reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "eval/checks.h"
#include "eval/reference.h"
#include "eval/submission.h"
#include "eval/test_util.h"
#include "reference/evaluator_verdict.h"
#include "without_cell.h"

namespace {
std::string Lines(const std::vector<Rect>& rects) {
  std::string text = std::to_string(rects.size()) + "\n";
  for (const Rect& r : rects) {
    text += std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) + " " +
            std::to_string(r.height) + "\n";
  }
  return text;
}

// The verdict of one block body, evaluated in `workspace` as in a run.
Verdict RunBlock(const TestCase& testCase, const std::string& body, BlockWorkspace& workspace,
                 std::string* message = nullptr) {
  MemorySource source(body);
  LineReader reader(source);
  try {
    EvaluateCase(reader, testCase, workspace);
  } catch (const EAssertion& failure) {
    if (message != nullptr) {
      *message = failure.message;
    }
    return {failure.check, failure.site.rectangle, failure.site.cell};
  }
  return {};
}

std::string ExpectedMessage(const Verdict& v) {
  const std::string cell =
      "x = " + std::to_string(v.cell->x) + ", y = " + std::to_string(v.cell->y);
  if (v.check == check::kRectCoversWhite) {
    return std::to_string(v.rectangle) + ". pravokotnik pobarva tudi celico " + cell +
           ", ki bi morala ostati bela";
  }
  return "celica " + cell + " je ostala bela, pa bi morala postati crna";
}

struct Random {
  std::mt19937 engine;
  explicit Random(unsigned seed) : engine(seed) {}
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
  Rect Inside(int w, int h) {
    const int x = Uniform(0, w - 1);
    const int y = Uniform(0, h - 1);
    return {x, y, Uniform(1, w - x), Uniform(1, h - y)};
  }
  Rect Within(const Rect& r) {
    const int x = Uniform(r.x, r.x + r.width - 1);
    const int y = Uniform(r.y, r.y + r.height - 1);
    return {x, y, Uniform(1, r.x + r.width - x), Uniform(1, r.y + r.height - y)};
  }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
  }
};

std::vector<std::string> Paint(int w, int h, const std::vector<Rect>& shapes) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  for (const Rect& s : shapes) {
    for (int y = s.y; y < s.y + s.height; ++y) {
      std::fill_n(rows[y].begin() + s.x, s.width, '#');
    }
  }
  return rows;
}

// Small pictures, mostly of a few shapes: covers by those shapes, repeated and shuffled,
// sometimes one short, and stray rectangles that cross an edge, exceed the limit or cover a
// white cell. One workspace serves every block, so nothing a block leaves behind goes unseen.
TEST(EvaluateCase, SmallBlocksMatchTheReference) {
  Random random(12345);
  std::deque<PictureForTest> pictures;
  BlockWorkspace workspace;
  std::map<int, int> verdicts;
  for (int round = 0; round < 6000; ++round) {
    const auto side = [&] {
      const int kind = random.Uniform(0, 9);
      return kind < 3   ? random.Uniform(1, 4)
             : kind < 9 ? random.Uniform(1, 40)
                        : random.Uniform(120, 200);
    };
    const int w = side();
    const int h = side();
    std::vector<Rect> shapes;
    for (int i = random.Uniform(0, 6); i > 0; --i) shapes.push_back(random.Inside(w, h));
    const std::vector<std::string> rows = Paint(w, h, shapes);
    const bool cover = round % 3 == 0;
    const int a = cover ? 200 : random.Uniform(1, 40);
    const int b = cover ? 200 : random.Uniform(1, 40);
    std::vector<Rect> rects;
    if (cover) {
      rects = shapes;
      for (const Rect& shape : shapes) {
        if (random.Uniform(0, 2) == 0)
          rects.push_back(shape);
      }
      if (random.Uniform(0, 2) == 0) {
        rects.push_back({random.Uniform(0, 3), random.Uniform(0, 3), random.Uniform(-2, 0),
                         random.Uniform(-2, 3)});
      }
      std::shuffle(rects.begin(), rects.end(), random.engine);
      if (rects.size() > 1 && random.Uniform(0, 3) == 0)
        rects.pop_back();
    } else {
      for (int i = random.Uniform(1, std::min(24, w * h)); i > 0; --i) {
        const int kind = random.Uniform(0, 9);
        if (kind < 6 && !shapes.empty()) {
          rects.push_back(random.Pick(shapes));
        } else if (kind < 8) {
          rects.push_back({random.Uniform(-2, w + 2), random.Uniform(-2, h + 2),
                           random.Uniform(-3, w), random.Uniform(-3, h)});
        } else {
          rects.push_back(random.Inside(w, h));
        }
      }
    }
    if (rects.empty())
      rects.push_back({0, 0, 0, 0});
    rects.resize(std::min<std::size_t>(rects.size(), static_cast<std::size_t>(w) * h));
    // Kept for the whole run, as a run keeps its test cases: the workspace knows them by number.
    PictureForTest& picture = pictures.emplace_back(rows, a, b, round + 1);
    const Verdict expected = ReferenceVerdict(rows, a, b, rects);
    std::string message;
    const Verdict got = RunBlock(picture.testCase, Lines(rects), workspace, &message);
    ASSERT_EQ(got, expected) << "round " << round;
    if (expected.check == check::kRectCoversWhite || expected.check == check::kCellUncovered) {
      ASSERT_EQ(message, ExpectedMessage(expected)) << "round " << round;
    }
    ++verdicts[expected.check];
  }
  // The generator must reach every verdict often: accepted blocks, every bound, both cells.
  for (const int check : {0, 140, 141, 142, 143, 145, 148, 157}) {
    EXPECT_GT(verdicts[check], 40) << "check " << check;
  }
}

// A block leaves nothing behind for the next one in the same workspace, whichever way it ended:
// settled by a rectangle that covers every black cell, passed by painting, or failed.
TEST(EvaluateCase, NothingCarriesOverToTheNextBlock) {
  const PictureForTest picture({"##.", "###"}, 3, 3, 1);
  // Large enough that the canvas is cleared cell by cell, not all at once.
  std::vector<std::string> rows(64, std::string(64, '.'));
  rows[0][0] = '#';
  const PictureForTest oneCell(rows, 1, 1, 2);
  rows[1][0] = '#';
  const PictureForTest twoCells(rows, 3, 3, 3);
  const struct {
    const TestCase* testCase;
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
    EXPECT_EQ(RunBlock(*block.testCase, block.block, workspace).check, block.check) << block.block;
  }
}

// A large rectangle over a white cell may have its check 148 done after the rectangles behind
// it were read: whatever fails later in the block, the earlier rectangle's white cell is named.
TEST(EvaluateCase, EarlierWhiteCellComesFirst) {
  std::vector<std::string> rows(200, std::string(200, '#'));
  rows[150][20] = '.';
  const PictureForTest picture(rows, 200, 200);
  const TestCase& testCase = picture.testCase;
  const std::string whiteFirst = "0 100 100 100\n";  // covers (20, 150)
  const struct {
    std::string after;
    int count;
  } blocks[] = {
      {"5 5 300 1\n", 2},              // check 142 behind it
      {"150 150 1 1\n0 0 0 -5\n", 3},  // a small rectangle, then the end of the block
      {"0 0 200 200\n", 2},            // one that covers everything, and check 148 again
      {"", 2},                         // the line of rectangle 2 is missing (137)
      {"1 2 3\n", 2},                  // rectangle 2 has three numbers (139)
  };
  for (const auto& block : blocks) {
    BlockWorkspace workspace;
    std::string message;
    const Verdict got =
        RunBlock(testCase, std::to_string(block.count) + "\n" + whiteFirst + block.after, workspace,
                 &message);
    EXPECT_EQ(got, (Verdict{check::kRectCoversWhite, 1, Cell{20, 150}})) << block.after;
    EXPECT_EQ(message,
              "1. pravokotnik pobarva tudi celico x = 20, y = 150, ki bi morala ostati bela");
  }
}

// A large picture: the union of a few shapes, with a few white holes punched into it.
struct LargePicture {
  int w = 0;
  int h = 0;
  std::vector<Rect> shapes;
  std::vector<Cell> holes;
  std::vector<std::string> rows;

  explicit LargePicture(Random& random) {
    const bool full = random.Uniform(0, 3) == 0;
    w = random.Uniform(0, 2) == 0 ? random.Uniform(1, 1000) : 1000;
    h = random.Uniform(0, 2) == 0 ? random.Uniform(1, 1000) : 1000;
    if (full) {
      shapes.push_back({0, 0, w, h});
    } else {
      for (int i = random.Uniform(1, 10); i > 0; --i) shapes.push_back(random.Inside(w, h));
    }
    rows = Paint(w, h, shapes);
    for (int i = full ? 0 : random.Uniform(0, 3); i > 0; --i) {
      const Rect& shape = random.Pick(shapes);
      const Cell hole{random.Uniform(shape.x, shape.x + shape.width - 1),
                      random.Uniform(shape.y, shape.y + shape.height - 1)};
      rows[hole.y][hole.x] = '.';
      holes.push_back(hole);
    }
  }
};

// Tiles of at most `side` x `side` that cover `r` exactly.
void Tile(const Rect& r, int side, std::vector<Rect>& out) {
  for (int y = r.y; y < r.y + r.height; y += side) {
    for (int x = r.x; x < r.x + r.width; x += side) {
      out.push_back({x, y, std::min(side, r.x + r.width - x), std::min(side, r.y + r.height - y)});
    }
  }
}

// Enough large rectangles for the tiles to check them all for white cells at once: when one
// covers a white cell, the first such rectangle in the block is named, whatever the order.
TEST(EvaluateCase, TilesNameTheFirstRectangleOverWhite) {
  std::vector<std::string> rows(320, std::string(320, '#'));
  rows[70][130] = '.';
  rows[200][200] = '.';
  const PictureForTest picture(rows, 1000, 1000);
  const TestCase& testCase = picture.testCase;
  std::vector<Rect> rects;  // 80 x 80 each, the picture whole: too large to paint as they come
  Tile({0, 0, 320, 320}, 80, rects);
  for (const bool reversed : {false, true}) {
    if (reversed) {
      std::reverse(rects.begin(), rects.end());
    }
    const Verdict expected = ReferenceVerdict(rows, 1000, 1000, rects);
    EXPECT_EQ(expected, (reversed ? Verdict{check::kRectCoversWhite, 6, Cell{200, 200}}
                                  : Verdict{check::kRectCoversWhite, 2, Cell{130, 70}}));
    BlockWorkspace workspace;
    EXPECT_EQ(RunBlock(testCase, Lines(rects), workspace), expected) << reversed;
  }
}

// Large boxes over an all-black picture, decided by the tiles: the cover whole, and the cover
// with one cell cut out.
TEST(EvaluateCase, TilesDecideLargeBoxes) {
  const std::vector<std::string> rows(960, std::string(960, '#'));
  const PictureForTest picture(rows, 1000, 1000);
  const TestCase& testCase = picture.testCase;
  std::vector<Rect> rects;  // 96 x 96, twice over: every tile covered whole
  Tile({0, 0, 960, 960}, 96, rects);
  Tile({0, 0, 960, 960}, 96, rects);
  for (const std::vector<Rect>& block : {rects, WithoutCell(rects, 150, 230)}) {
    BlockWorkspace workspace;
    EXPECT_EQ(RunBlock(testCase, Lines(block), workspace),
              ReferenceVerdict(rows, 1000, 1000, block));
  }
}

// A picture whose tiles along the edge each hold a white cell, and boxes whose borders all run
// through those tiles: the tiles would paint every box into dozens of them, so they give up, and
// the block is decided another way with the same verdict.
TEST(EvaluateCase, BordersThroughOpenTiles) {
  std::vector<std::string> rows(320, std::string(320, '#'));
  const auto place = [](int tile) { return tile == 0 ? 5 : tile == 9 ? 310 : 32 * tile + 5; };
  for (int j = 0; j < 10; ++j) {
    for (int i = 0; i < 10; ++i) {
      if (i == 0 || i == 9 || j == 0 || j == 9) {
        rows[place(j)][place(i)] = '.';
      }
    }
  }
  const PictureForTest picture(rows, 1000, 1000);
  const TestCase& testCase = picture.testCase;
  std::vector<Rect> rects;
  for (int k = 0; k < 200; ++k) {
    rects.push_back(k % 2 == 0 ? Rect{16, 16, 288, 288} : Rect{17, 17, 286, 286});
  }
  std::vector<Rect> overWhite = rects;
  overWhite.insert(overWhite.begin() + 100, Rect{0, 0, 100, 100});
  for (const std::vector<Rect>& block : {rects, overWhite}) {
    const Verdict expected = ReferenceVerdict(rows, 1000, 1000, block);
    EXPECT_EQ(expected.check,
              block.size() == rects.size() ? check::kCellUncovered : check::kRectCoversWhite);
    BlockWorkspace workspace;
    EXPECT_EQ(RunBlock(testCase, Lines(block), workspace), expected);
  }
}

// A block for a large picture, of one of the shapes that send it down different ways.
std::vector<Rect> LargeBlock(const LargePicture& p, Random& random, int kind) {
  std::vector<Rect> rects;
  switch (kind) {
    case 0:  // the shapes themselves, repeated and shuffled
      rects = p.shapes;
      for (int i = random.Uniform(0, 5); i > 0; --i) rects.push_back(random.Pick(p.shapes));
      break;
    case 1:  // bands of whole rows, or pillars of whole columns, over the shapes' box
    case 2:
      for (const Rect& s : p.shapes) {
        for (int at = 0; at < (kind == 1 ? s.height : s.width);) {
          const int step = std::min(random.Uniform(1, 9), (kind == 1 ? s.height : s.width) - at);
          rects.push_back(kind == 1 ? Rect{s.x, s.y + at, s.width, step}
                                    : Rect{s.x + at, s.y, step, s.height});
          at += step;
        }
      }
      break;
    case 3:  // one large shape whole among the rest in small tiles
      rects.push_back(p.shapes[0]);
      for (std::size_t i = 1; i < p.shapes.size(); ++i) Tile(p.shapes[i], 7, rects);
      break;
    case 4:  // many large pieces of the shapes, then the shapes: the white index is built
      for (int i = random.Uniform(40, 120); i > 0; --i)
        rects.push_back(random.Within(random.Pick(p.shapes)));
      rects.insert(rects.end(), p.shapes.begin(), p.shapes.end());
      break;
    default:  // random pieces of the shapes, with the shapes last
      for (int i = random.Uniform(1, 300); i > 0; --i)
        rects.push_back(random.Within(random.Pick(p.shapes)));
      rects.insert(rects.end(), p.shapes.begin(), p.shapes.end());
      break;
  }
  if (kind != 4) {
    std::shuffle(rects.begin(), rects.end(), random.engine);
  }
  if (random.Uniform(0, 3) == 0) {  // a cover that misses exactly one black cell
    const Rect& shape = random.Pick(p.shapes);
    rects = WithoutCell(rects, random.Uniform(shape.x, shape.x + shape.width - 1),
                        random.Uniform(shape.y, shape.y + shape.height - 1));
  }
  return rects;
}

// Runs of one or two large test cases and a few blocks each, through the whole submission
// reader, against the reference's verdict on the whole run.
TEST(EvaluateCase, LargeRunsMatchTheReference) {
  Random random(99);
  std::map<int, int> verdicts;
  for (int round = 0; round < 60; ++round) {
    std::vector<LargePicture> pictures;
    for (int i = random.Uniform(1, 2); i > 0; --i) pictures.emplace_back(random);
    std::string input = "Zelmiranke\n" + std::to_string(pictures.size()) + "\n";
    for (std::size_t t = 0; t < pictures.size(); ++t) {
      const LargePicture& p = pictures[t];
      input += "\n" + std::to_string(t + 1) + " " + std::to_string(p.w) + " " +
               std::to_string(p.h) + " 1000 1000\n";
      for (const std::string& row : p.rows) input += row + "\n";
    }
    std::string submission = "123456\nZelmiranke\n";
    for (int block = random.Uniform(1, 4); block > 0; --block) {
      const int t = random.Uniform(0, static_cast<int>(pictures.size()) - 1);
      const LargePicture& p = pictures[static_cast<std::size_t>(t)];
      std::vector<Rect> rects = LargeBlock(p, random, random.Uniform(0, 5));
      if (!p.holes.empty() && random.Uniform(0, 2) == 0) {  // late, over one white cell
        const Cell hole = random.Pick(p.holes);
        rects.push_back({hole.x, hole.y, 1, 1});
      }
      rects.resize(std::min<std::size_t>(rects.size(), static_cast<std::size_t>(p.w) * p.h));
      submission += std::to_string(t + 1) + "\n" + Lines(rects);
    }
    MemorySource inputSource(input);
    MemorySource submissionSource(submission);
    Evaluation evaluation;
    Evaluate(inputSource, submissionSource, evaluation);
    const reference::Verdict expected = reference::EvaluateRun(input, submission);
    ASSERT_EQ(reference::Describe(AsReferenceVerdict(evaluation)), reference::Describe(expected))
        << "round " << round;
    // The same submission twice against one task input read once, as the batch checks many:
    // nothing of the first check may show in the second.
    MemorySource readOnce(input);
    Evaluation read;
    EvaluateTaskInput(readOnce, read);
    ASSERT_FALSE(read.failure || read.unexpected);
    for (int again = 0; again < 2; ++again) {
      MemorySource source(submission);
      RunOutcome outcome;
      Evaluate(read.testCases, source, outcome);
      EXPECT_EQ(OutcomeOf(outcome), OutcomeOf(evaluation)) << "round " << round;
    }
    ++verdicts[expected.check];
  }
  for (const int check : {0, 148, 157}) {
    EXPECT_GT(verdicts[check], 5) << "check " << check;
  }
}
}  // namespace
