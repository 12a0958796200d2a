#include "scenes.h"

#include <algorithm>
#include <random>

#include "without_cell.h"

using reference::Cell;
using reference::Rectangle;

namespace {
// Covers larger than this are cut short: the reference paints every rectangle.
constexpr std::size_t kMostRects = 100'000;

int Side(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return in.ConsumeIntegralInRange(1, 8);
    case 1:
      return in.ConsumeIntegralInRange(1, 80);
    case 2:
      return in.ConsumeIntegralInRange(1, 1000);
    default:
      return 1000;
  }
}

Rectangle Inside(FuzzedDataProvider& in, const Rectangle& r) {
  const int x = in.ConsumeIntegralInRange(r.x, r.x + r.width - 1);
  const int y = in.ConsumeIntegralInRange(r.y, r.y + r.height - 1);
  return {x, y, in.ConsumeIntegralInRange(1, r.x + r.width - x),
          in.ConsumeIntegralInRange(1, r.y + r.height - y)};
}

Cell CellIn(FuzzedDataProvider& in, const Rectangle& r) {
  return {in.ConsumeIntegralInRange(r.x, r.x + r.width - 1),
          in.ConsumeIntegralInRange(r.y, r.y + r.height - 1)};
}

std::int64_t Area(const Rectangle& r) {
  return r.width > 0 && r.height > 0 ? std::int64_t{r.width} * r.height : 0;
}

void Fill(Scene& scene, const Rectangle& r, char colour) {
  for (int y = r.y; y < r.y + r.height; ++y) {
    scene.rows[y].replace(r.x, r.width, r.width, colour);
  }
}

// White details inside the black shapes: holes, stripes across or down, single cells.
void AddDetail(FuzzedDataProvider& in, Scene& scene) {
  const Rectangle& shape =
      scene.shapes[in.ConsumeIntegralInRange<std::size_t>(0, scene.shapes.size() - 1)];
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: {  // a single white cell
      const Cell cell = CellIn(in, shape);
      scene.rows[cell.y][cell.x] = '.';
      scene.holes.push_back(cell);
      break;
    }
    case 1: {  // a small hole
      const Cell cell = CellIn(in, shape);
      Fill(scene,
           {cell.x, cell.y, std::min(in.ConsumeIntegralInRange(1, 5), scene.w - cell.x),
            std::min(in.ConsumeIntegralInRange(1, 5), scene.h - cell.y)},
           '.');
      scene.holes.push_back(cell);
      break;
    }
    case 2: {  // stripes: every few rows, or columns, of the shape white
      const int period = in.ConsumeIntegralInRange(2, 9);
      const bool across = in.ConsumeBool();
      for (int at = in.ConsumeIntegralInRange(0, period - 1);
           at < (across ? shape.height : shape.width); at += period) {
        Fill(scene,
             across ? Rectangle{shape.x, shape.y + at, shape.width, 1}
                    : Rectangle{shape.x + at, shape.y, 1, shape.height},
             '.');
      }
      break;
    }
    default:  // black cells scattered anywhere, or white ones in the shape
      for (int n = in.ConsumeIntegralInRange(1, 60); n > 0; --n) {
        const bool black = in.ConsumeBool();
        const Cell cell = CellIn(in, black ? Rectangle{0, 0, scene.w, scene.h} : shape);
        scene.rows[cell.y][cell.x] = black ? '#' : '.';
      }
  }
}

// Each row's runs of black cells, one rectangle each; or each column's, turned.
std::vector<Rectangle> Runs(const Scene& scene, bool across) {
  std::vector<Rectangle> rects;
  const int lines = across ? scene.h : scene.w;
  const int length = across ? scene.w : scene.h;
  const auto black = [&](int line, int at) {
    return across ? scene.IsBlack(at, line) : scene.IsBlack(line, at);
  };
  for (int line = 0; line < lines; ++line) {
    for (int at = 0; at < length;) {
      if (!black(line, at)) {
        ++at;
        continue;
      }
      const int from = at;
      while (at < length && black(line, at)) ++at;
      rects.push_back(across ? Rectangle{from, line, at - from, 1}
                             : Rectangle{line, from, 1, at - from});
    }
  }
  return rects;
}

// Which cells a cover has covered so far.
class Covered {
 public:
  explicit Covered(const Scene& scene)
      : w_(scene.w), cells_(static_cast<std::size_t>(scene.w) * scene.h) {}
  bool operator()(int x, int y) const { return cells_[Index(x, y)]; }
  void Mark(const Rectangle& r) {
    for (int y = r.y; y < r.y + r.height; ++y) {
      std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(Index(r.x, y)), r.width, true);
    }
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * w_ + x; }
  int w_;
  std::vector<bool> cells_;
};

// Boxes grown from each black cell not yet covered, in reading order, inside `region`: as wide
// as the black cells allow, then as high; at most `most` x `most`. With `overlap` a box grows
// over cells already covered; without, the boxes tile the black cells.
void Greedy(const Scene& scene, const Rectangle& region, int most, bool overlap, Covered& covered,
            std::vector<Rectangle>& rects) {
  const auto free = [&](int x, int y) {
    return scene.IsBlack(x, y) && (overlap || !covered(x, y));
  };
  const int right = region.x + region.width;
  const int bottom = region.y + region.height;
  for (int y = region.y; y < bottom; ++y) {
    for (int x = region.x; x < right; ++x) {
      if (!scene.IsBlack(x, y) || covered(x, y)) {
        continue;
      }
      int width = 1;
      while (x + width < right && width < most && free(x + width, y)) ++width;
      const auto rowFree = [&](int row) {
        for (int at = x; at < x + width; ++at) {
          if (!free(at, row)) {
            return false;
          }
        }
        return true;
      };
      int height = 1;
      while (y + height < bottom && height < most && rowFree(y + height)) ++height;
      rects.push_back({x, y, width, height});
      covered.Mark(rects.back());
    }
  }
}

std::vector<Rectangle> Cover(FuzzedDataProvider& in, const Scene& scene) {
  std::vector<Rectangle> rects;
  Covered covered(scene);
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:  // the shapes themselves, some twice
      rects = scene.shapes;
      for (const Rectangle& shape : scene.shapes) {
        if (in.ConsumeBool()) {
          rects.push_back(shape);
        }
      }
      break;
    case 1:
    case 2:
      rects = Runs(scene, in.ConsumeBool());
      break;
    case 3:  // greedy boxes over the whole picture
      Greedy(scene, {0, 0, scene.w, scene.h}, in.ConsumeIntegralInRange(1, 1000), in.ConsumeBool(),
             covered, rects);
      break;
    case 4: {  // a tiling: greedy boxes within each tile of a grid
      const int side =
          in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 4) : in.ConsumeIntegralInRange(5, 250);
      for (int y = 0; y < scene.h; y += side) {
        for (int x = 0; x < scene.w; x += side) {
          Greedy(scene, {x, y, std::min(side, scene.w - x), std::min(side, scene.h - y)}, side,
                 false, covered, rects);
        }
      }
      break;
    }
    default: {  // copies of a greedy cover of large boxes
      Greedy(scene, {0, 0, scene.w, scene.h}, 1000, true, covered, rects);
      const std::vector<Rectangle> once = rects;
      for (int copy = in.ConsumeIntegralInRange(1, 200); copy > 0 && rects.size() < kMostRects;
           --copy) {
        rects.insert(rects.end(), once.begin(), once.end());
      }
    }
  }
  return rects;
}

// One fault, or none, in a cover.
void Spoil(FuzzedDataProvider& in, const Scene& scene, std::vector<Rectangle>& rects) {
  const auto anyIndex = [&] { return in.ConsumeIntegralInRange<std::size_t>(0, rects.size()); };
  const Rectangle all{0, 0, scene.w, scene.h};
  switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0: {  // one black cell short
      const Rectangle& r = rects.empty() ? all : rects[anyIndex() % rects.size()];
      const Cell cell = CellIn(in, Area(r) > 0 ? r : all);
      rects = WithoutCell(rects, cell.x, cell.y);
      break;
    }
    case 1: {  // a white cell covered, by a cell of its own somewhere in the block
      const Cell cell =
          scene.holes.empty()
              ? CellIn(in, all)
              : scene.holes[in.ConsumeIntegralInRange<std::size_t>(0, scene.holes.size() - 1)];
      rects.insert(rects.begin() + static_cast<std::ptrdiff_t>(anyIndex()),
                   Rectangle{cell.x, cell.y, 1, 1});
      break;
    }
    case 2:  // a box one row (or column) too long
      if (!rects.empty()) {
        Rectangle& r = rects[anyIndex() % rects.size()];
        ++(in.ConsumeBool() ? r.height : r.width);
      }
      break;
    case 3:  // late, a large box over a single white cell
      if (!scene.holes.empty()) {
        const Cell hole =
            scene.holes[in.ConsumeIntegralInRange<std::size_t>(0, scene.holes.size() - 1)];
        for (const Rectangle& shape : scene.shapes) {
          if (hole.x >= shape.x && hole.x < shape.x + shape.width && hole.y >= shape.y &&
              hole.y < shape.y + shape.height) {
            rects.push_back(shape);
            break;
          }
        }
      }
      break;
    case 4: {  // an edge crossed, or a side of zero or less
      Rectangle r = rects.empty() ? all : rects[anyIndex() % rects.size()];
      const int by = in.ConsumeIntegralInRange(-3, 3);
      switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
          r.x = by < 0 ? by : scene.w - r.width + by;
          break;
        case 1:
          r.y = by < 0 ? by : scene.h - r.height + by;
          break;
        case 2:
          r.width = by;
          break;
        default:
          r.height = by;
      }
      rects.insert(rects.begin() + static_cast<std::ptrdiff_t>(anyIndex()), r);
      break;
    }
    default:
      break;
  }
}

void Order(FuzzedDataProvider& in, std::vector<Rectangle>& rects) {
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      std::reverse(rects.begin(), rects.end());
      break;
    case 1: {
      std::minstd_rand random(in.ConsumeIntegral<std::uint32_t>());
      std::shuffle(rects.begin(), rects.end(), random);
      break;
    }
    case 2:  // largest first, or last
    case 3: {
      const bool largeFirst = in.ConsumeBool();
      std::stable_sort(rects.begin(), rects.end(), [&](const Rectangle& l, const Rectangle& r) {
        return largeFirst ? Area(l) > Area(r) : Area(l) < Area(r);
      });
      break;
    }
    default:
      break;
  }
}
}  // namespace

Scene MakeScene(FuzzedDataProvider& in) {
  Scene scene;
  scene.w = Side(in);
  scene.h = Side(in);
  scene.rows.assign(scene.h, std::string(scene.w, '.'));
  const Rectangle all{0, 0, scene.w, scene.h};
  if (in.ConsumeBool()) {
    scene.shapes.push_back(all);
  } else {
    for (int n = in.ConsumeIntegralInRange(1, 40); n > 0; --n) {
      scene.shapes.push_back(Inside(in, all));
    }
  }
  for (const Rectangle& shape : scene.shapes) {
    Fill(scene, shape, '#');
  }
  for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n) {
    AddDetail(in, scene);
  }
  return scene;
}

std::vector<Rectangle> MakeBlock(FuzzedDataProvider& in, const Scene& scene,
                                 std::int64_t& areaBudget) {
  std::vector<Rectangle> rects = Cover(in, scene);
  Order(in, rects);
  for (int faults = in.ConsumeIntegralInRange(0, 2); faults > 0; --faults) {
    Spoil(in, scene, rects);
  }
  // At most one rectangle a cell (the count's bound), and at least one.
  const std::size_t most = std::min(kMostRects, static_cast<std::size_t>(scene.w) * scene.h);
  std::size_t keep = 0;
  for (; keep < rects.size() && keep < most && Area(rects[keep]) <= areaBudget; ++keep) {
    areaBudget -= Area(rects[keep]);
  }
  rects.resize(keep);
  if (rects.empty()) {
    rects.push_back({0, 0, 0, 0});
  }
  return rects;
}
