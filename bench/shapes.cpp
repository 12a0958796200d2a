// The workloads of shapes that defeat one way of checking coverage or another. Each writes about
// kShapeBytes of submission, every block a valid cover of an all-black picture (or of one with
// a white cell in every row).
#include <algorithm>

#include "workload.h"

namespace workload {
namespace {
// The submission bytes a workload of shapes writes, about.
constexpr long long kShapeBytes = 40LL << 20;

// Writes blocks made by `make` for test case `test(i)`, `blocks` of them, or when that is 0
// until the submission is large enough.
template <typename Make, typename Test>
void WriteBlocks(const std::string& dir, Make make, Test test, int blocks = 0) {
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  long long written = 0;
  for (int i = 0; blocks > 0 ? i < blocks : written < kShapeBytes; ++i) {
    Block block = make();
    std::shuffle(block.lines.begin(), block.lines.end(), random);
    out.Line(std::to_string(test(i)));
    out.Line(std::to_string(block.lines.size()));
    for (const std::string& line : block.lines) {
      out.Line(line);
      written += static_cast<long long>(line.size()) + 1;
    }
  }
}

// A thousand full-height (or full-width) rectangles of random widths a block: columns that
// cover every column once, and random ones over them.
Block FullSpans(bool rows) {
  Block block;
  const auto add = [&](int at, int side) {
    rows ? block.Add(0, at, kSide, side) : block.Add(at, 0, side, kSide);
  };
  for (int at = 0; at < kSide;) {
    const int side = std::min(kSide - at, Uniform(1, 8));
    add(at, side);
    at += side;
  }
  while (block.lines.size() < 1000) {
    const int at = Uniform(0, kSide - 1);
    add(at, Uniform(1, kSide - at));
  }
  return block;
}

// Full-height rectangles as `tall` has them, with a few full-width ones over them: the boxes no
// longer all span the same rows, but still start and end on few rows.
Block Mixed() {
  Block block = FullSpans(false);
  for (int i = 0; i < 3; ++i) {
    const int at = Uniform(0, kSide - 1);
    block.Add(0, at, kSide, Uniform(1, kSide - at));
  }
  return block;
}

// The picture's thousand full-width rows of height 1 (or full-height columns of width 1), each
// once: every rectangle is painted on its own, none covers much.
Block Stripes(bool rows) {
  Block block;
  for (int at = 0; at < kSide; ++at) rows ? block.Add(0, at, kSide, 1) : block.Add(at, 0, 1, kSide);
  return block;
}

// Two full-width halves that overlap: neither covers the picture alone.
Block Halves() {
  Block block;
  const int cut = Uniform(1, kSide - 1);
  block.Add(0, 0, kSide, cut + 1);
  block.Add(0, cut, kSide, kSide - cut);
  return block;
}

// Large random rectangles over each other, and two halves that complete the cover.
Block LargeRandom() {
  Block block = Halves();
  for (int i = 0; i < 200; ++i) {
    const int x = Uniform(0, kSide * 3 / 4);
    const int y = Uniform(0, kSide * 3 / 4);
    block.Add(x, y, Uniform(kSide / 4, kSide - x), Uniform(kSide / 4, kSide - y));
  }
  return block;
}

// Two halves and a few large rectangles over them: many blocks of a handful of boxes each, so
// that what a block costs beyond its lines shows.
Block FewBoxes() {
  Block block = Halves();
  for (int i = Uniform(1, 10); i > 0; --i) {
    const int x = Uniform(0, kSide * 3 / 4);
    const int y = Uniform(0, kSide * 3 / 4);
    block.Add(x, y, Uniform(kSide / 4, kSide - x), Uniform(kSide / 4, kSide - y));
  }
  return block;
}

// Copies of a few full-width boxes that end within the last row of tiles, and the two halves
// of the strip under them: 100,000 boxes a block on a few distinct rows. No box covers a tile
// of that row whole, and every box runs its border through all of them.
Block Copies() {
  Block block;
  block.Add(0, kSide - 7, kSide / 2, 7);
  block.Add(kSide / 2, kSide - 7, kSide / 2, 7);
  while (block.lines.size() < 100000) {
    block.Add(0, 0, kSide, kSide - Uniform(1, 7));
  }
  return block;
}

// Pictures that are each the union of 200 random rectangles with sides of 100 to 700 cells,
// and blocks that cover them with those rectangles, in a new order each time: no few of them
// cover the picture alone, and the picture's edge is ragged.
void Unions(const std::string& dir) {
  const int tests = 20;
  std::vector<Picture> pictures(tests);
  std::vector<Block> covers(tests);
  for (int t = 0; t < tests; ++t) {
    Picture& picture = pictures[static_cast<std::size_t>(t)];
    picture.a = picture.b = kSide;
    for (int i = 0; i < 200; ++i) {
      const int width = Uniform(100, 700);
      const int height = Uniform(100, 700);
      const int x = Uniform(0, kSide - width);
      const int y = Uniform(0, kSide - height);
      covers[static_cast<std::size_t>(t)].Add(x, y, width, height);
      for (int row = y; row < y + height; ++row) {
        std::fill_n(&picture.At(x, row), width, '#');
      }
    }
  }
  WriteInput(dir, pictures);
  int block = 0;
  WriteBlocks(
      dir, [&] { return covers[static_cast<std::size_t>(block++ % tests)]; },
      [tests](int i) { return i % tests + 1; });
}

// Many large test cases, each covered a few times (a block each, four rounds) by a few large
// rectangles; `whiteColumn` gives every row a white cell (in the last column).
void FewLarge(const std::string& dir, bool whiteColumn) {
  Picture picture = AllBlack();
  if (whiteColumn) {
    for (int y = 0; y < kSide; ++y) picture.At(kSide - 1, y) = '.';
  }
  const int tests = 190;
  WriteInput(dir, std::vector<Picture>(tests, picture));
  const int black = whiteColumn ? kSide - 1 : kSide;
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  for (int round = 0; round < 4; ++round) {
    for (int test = 1; test <= tests; ++test) {
      const int cut = Uniform(1, black - 1);
      out.Line(std::to_string(test));
      out.Line("3");
      out.Line("0 0 " + std::to_string(cut + 1) + " 1000");
      out.Line(std::to_string(cut) + " 0 " + std::to_string(black - cut) + " 1000");
      out.Line(std::to_string(Uniform(0, cut)) + " 0 1 1000");
    }
  }
}

// Two million tiny test cases and a block for each.
void Tiny(const std::string& dir) {
  const int tests = 2000000;
  {
    Writer out(dir + "/input.txt");
    out.Line("Zelmiranke");
    out.Line(std::to_string(tests));
    for (int i = 1; i <= tests; ++i) out.Put("\n" + std::to_string(i) + " 1 1 1 1\n#\n");
  }
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  for (int i = 1; i <= tests; ++i) out.Put(std::to_string(i) + "\n1\n0 0 1 1\n");
}

// The shapes whose blocks cover one all-black test case, each block made by its function.
struct BlockShape {
  const char* name;
  Block (*make)();
};
constexpr BlockShape kOnAllBlack[] = {
    {"halves", Halves},     {"random", LargeRandom}, {"mixed", Mixed},
    {"fewboxes", FewBoxes}, {"copies", Copies},
};
}  // namespace

bool Shape(const std::string& name, const std::string& dir) {
  const auto one = [](int) { return 1; };
  for (const BlockShape& shape : kOnAllBlack) {
    if (name == shape.name) {
      WriteInput(dir, {AllBlack()});
      WriteBlocks(dir, shape.make, one);
      return true;
    }
  }
  if (name == "tall" || name == "wide") {
    WriteInput(dir, {AllBlack()});
    WriteBlocks(
        dir, [&name] { return FullSpans(name == "wide"); }, one);
  } else if (name == "rows" || name == "columns") {
    const bool rows = name == "rows";
    Picture picture = AllBlack();
    picture.a = rows ? kSide : 1;
    picture.b = rows ? 1 : kSide;
    WriteInput(dir, {picture});
    WriteBlocks(
        dir, [rows] { return Stripes(rows); }, one, 2000);
  } else if (name == "unions") {
    Unions(dir);
  } else if (name == "fewlarge" || name == "whiterows") {
    FewLarge(dir, name == "whiterows");
  } else if (name == "tiny") {
    Tiny(dir);
  } else {
    return false;
  }
  return true;
}
}  // namespace workload
