// Writes the benchmark workloads: `bench_generate NAME DIR` creates DIR/input.txt and
// DIR/submission.txt for one workload. Deterministic: the same name gives the same bytes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr int kSide = 1000;

struct Picture {
  int a = 0;
  int b = 0;
  std::vector<char> cells = std::vector<char>(kSide * kSide, '.');
  char& At(int x, int y) { return cells[static_cast<std::size_t>(y) * kSide + x]; }
};

class Writer {
 public:
  explicit Writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (file_ == nullptr) {
      std::perror(path.c_str());
      std::exit(1);
    }
  }
  ~Writer() { std::fclose(file_); }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  void Put(const std::string& text) { std::fwrite(text.data(), 1, text.size(), file_); }
  void Line(const std::string& text) {
    Put(text);
    Put("\n");
  }

 private:
  std::FILE* file_;
};

std::mt19937 random(20261208);
int Uniform(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

Picture Blobs() {
  Picture picture;
  picture.a = Uniform(5, 50);
  picture.b = Uniform(5, 50);
  for (int blob = 0; blob < 150; ++blob) {
    const int cx = Uniform(0, kSide - 1);
    const int cy = Uniform(0, kSide - 1);
    const int r = Uniform(10, 70);
    for (int y = std::max(0, cy - r); y < std::min(kSide, cy + r + 1); ++y) {
      for (int x = std::max(0, cx - r); x < std::min(kSide, cx + r + 1); ++x) {
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
          picture.At(x, y) = '#';
      }
    }
  }
  return picture;
}

Picture Noise() {
  Picture picture;
  picture.a = picture.b = 1;
  for (char& cell : picture.cells) cell = Uniform(0, 1) ? '#' : '.';
  return picture;
}

Picture AllBlack() {
  Picture picture;
  picture.a = picture.b = kSide;
  std::fill(picture.cells.begin(), picture.cells.end(), '#');
  return picture;
}

void WriteInput(const std::string& dir, const std::vector<Picture>& pictures) {
  Writer out(dir + "/input.txt");
  out.Line("Zelmiranke");
  out.Line(std::to_string(pictures.size()));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    out.Line("");
    out.Line(std::to_string(i + 1) + " 1000 1000 " + std::to_string(pictures[i].a) + " " +
             std::to_string(pictures[i].b));
    for (int y = 0; y < kSide; ++y) {
      out.Line(std::string(&pictures[i].cells[static_cast<std::size_t>(y) * kSide], kSide));
    }
  }
}

// A disjoint cover, greedy in row-major order, each rectangle as large as the limit allows.
std::vector<std::string> GreedyCover(Picture picture, const std::string& trailing) {
  const int maxWidth = std::max(picture.a, picture.b);
  const int maxHeight = std::min(picture.a, picture.b);
  std::vector<std::string> lines;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if (picture.At(x, y) != '#')
        continue;
      int width = 1;
      while (width < maxWidth && x + width < kSide && picture.At(x + width, y) == '#') ++width;
      int height = 1;
      while (height < maxHeight && y + height < kSide &&
             std::all_of(&picture.At(x, y + height), &picture.At(x, y + height) + width,
                         [](char c) { return c == '#'; })) {
        ++height;
      }
      for (int row = y; row < y + height; ++row) {
        std::memset(&picture.At(x, row), 'c', static_cast<std::size_t>(width));
      }
      lines.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) +
                      " " + std::to_string(height) + trailing);
    }
  }
  return lines;
}

void WriteCovers(const std::string& dir, const std::vector<Picture>& pictures,
                 const std::string& trailing) {
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const auto lines = GreedyCover(pictures[i], trailing);
    out.Line(std::to_string(i + 1));
    out.Line(std::to_string(lines.size()));
    for (const std::string& line : lines) out.Line(line);
  }
}

void Repeated(const std::string& dir, bool blockEach) {
  WriteInput(dir, {AllBlack()});
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  if (!blockEach)
    out.Line("1\n1000000");
  for (int i = 0; i < 1000000; ++i)
    out.Put(blockEach ? "1\n1\n0 0 1000 1000\n" : "0 0 1000 1000\n");
}

// Resource bounds: a submission that is one line of two gigabytes without a line end, and a
// task input of a thousand full-size test cases (about one gigabyte).
void HugeLine(const std::string& dir) {
  WriteInput(dir, {AllBlack()});
  Writer out(dir + "/submission.txt");
  const std::string chunk(1 << 20, '7');
  for (long long written = 0; written < 2000000000LL;
       written += static_cast<long long>(chunk.size())) {
    out.Put(chunk);
  }
}

void HugeInput(const std::string& dir) {
  std::vector<Picture> pictures;
  for (int i = 0; i < 1000; ++i) pictures.push_back(i % 10 == 0 ? Blobs() : pictures.back());
  WriteInput(dir, pictures);
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  const auto lines = GreedyCover(pictures.back(), "");
  out.Line("1000");
  out.Line(std::to_string(lines.size()));
  for (const std::string& line : lines) out.Line(line);
}

// Shapes that defeat one way of checking coverage or another. Each writes about `kShapeBytes`
// of submission, every block a valid cover of an all-black picture (or of one with a white
// cell in every row).
constexpr long long kShapeBytes = 40LL << 20;

struct Block {
  std::vector<std::string> lines;
  void Add(int x, int y, int width, int height) {
    lines.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) +
                    " " + std::to_string(height));
  }
};

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

bool Shape(const std::string& name, const std::string& dir) {
  const auto one = [](int) { return 1; };
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
  } else if (name == "halves") {
    WriteInput(dir, {AllBlack()});
    WriteBlocks(dir, Halves, one);
  } else if (name == "random") {
    WriteInput(dir, {AllBlack()});
    WriteBlocks(dir, LargeRandom, one);
  } else if (name == "mixed") {
    WriteInput(dir, {AllBlack()});
    WriteBlocks(dir, Mixed, one);
  } else if (name == "fewboxes") {
    WriteInput(dir, {AllBlack()});
    WriteBlocks(dir, FewBoxes, one);
  } else if (name == "copies") {
    WriteInput(dir, {AllBlack()});
    WriteBlocks(dir, Copies, one);
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

constexpr const char* kNames =
    " realistic overlap blocks large cells long tall wide mixed rows columns halves random unions"
    " fewboxes copies fewlarge whiterows tiny hugeline hugeinput ";

std::vector<Picture> Many(int count, Picture (*make)()) {
  std::vector<Picture> pictures;
  for (int i = 0; i < count; ++i) pictures.push_back(make());
  return pictures;
}
}  // namespace

int main(int argc, char** argv) {
  const std::string name = argc == 3 ? argv[1] : "";
  if (argc != 3 || !std::strstr(kNames, (" " + name + " ").c_str())) {
    std::fprintf(stderr, "usage: bench_generate NAME DIR, NAME one of%s\n", kNames);
    return 2;
  }
  const std::string dir = argv[2];
  if (Shape(name, dir)) {
    return 0;
  }
  if (name == "hugeline") {
    HugeLine(dir);
    return 0;
  }
  if (name == "hugeinput") {
    HugeInput(dir);
    return 0;
  }
  if (name == "overlap" || name == "blocks") {
    Repeated(dir, name == "blocks");
    return 0;
  }
  const int count = name == "large" ? 200 : 20;
  const auto pictures = Many(count, name == "cells" ? Noise : Blobs);
  WriteInput(dir, pictures);
  WriteCovers(dir, pictures, name == "long" ? " " + std::string(999, 'x') : "");
  return 0;
}
