#include "coverage.h"

#include <algorithm>
#include <bit>

namespace {
// Keys for ordering; lambdas, so that each ordering is its own instance with the key inlined.
constexpr auto Left = [](const Rect& rect) { return rect.x; };
constexpr auto Right = [](const Rect& rect) { return rect.x + rect.width; };
constexpr auto Top = [](const Rect& rect) { return rect.y; };
constexpr auto Bottom = [](const Rect& rect) { return rect.y + rect.height; };

// The two directions of cross-sections: a section is a row (or a column); rectangles start and
// end along the sweep and cover a run of the section.
struct DownTheRows {
  static int Start(const Rect& rect) { return Top(rect); }
  static int End(const Rect& rect) { return Bottom(rect); }
  static int From(const Rect& rect) { return Left(rect); }
  static int To(const Rect& rect) { return Right(rect); }
};
struct AcrossTheColumns {
  static int Start(const Rect& rect) { return Left(rect); }
  static int End(const Rect& rect) { return Right(rect); }
  static int From(const Rect& rect) { return Top(rect); }
  static int To(const Rect& rect) { return Bottom(rect); }
};

// Relative costs of the ways, in tenths of a nanosecond on the development machine (measured
// with bench/): a word painted and later cleared; a cell of a cross-section rebuilt; a
// rectangle put in order and added to the sections; a rectangle added to and taken from the
// tree; a cell of the grid; a bucket of a counting sort.
constexpr std::int64_t kPaintWord = 15;
constexpr std::int64_t kSectionCell = 8;
constexpr std::int64_t kSectionRect = 150;
constexpr std::int64_t kSweepRect = 800;
constexpr std::int64_t kGridCell = 15;
constexpr std::int64_t kBucket = 5;
// The grid has a cell per pair of neighbouring edges: only for a few rectangles.
constexpr std::int64_t kGridMost = 24;
// Below this many rectangles per bucket a comparison sort is cheaper than a counting sort.
constexpr std::int64_t kBucketsPerRect = 8;

// Word steps to set (or clear) a rectangle's cells: its rows are one run when it is as wide
// as the picture.
std::int64_t PaintSteps(const TestCase& testCase, const Rect& rect) {
  if (rect.width == testCase.w) {
    return 2 + static_cast<std::int64_t>(rect.width) * rect.height / bit_rows::kBits;
  }
  return static_cast<std::int64_t>(rect.height) * (2 + rect.width / bit_rows::kBits);
}

template <typename Apply>
void ForEachRun(const TestCase& testCase, const Rect& rect, Apply apply) {
  const std::int64_t first = testCase.CellIndex(rect.x, rect.y);
  if (rect.width == testCase.w) {
    apply(first, first + static_cast<std::int64_t>(rect.width) * rect.height);
    return;
  }
  for (int row = 0; row < rect.height; ++row) {
    const std::int64_t from = first + static_cast<std::int64_t>(row) * testCase.w;
    apply(from, from + rect.width);
  }
}

// The segment tree of the sweep: count[v] rectangles cover node v's whole range, covered[v]
// rows of that range are covered. Leaves are rows; the children of a leaf read as zero.
void Refresh(std::int32_t* count, std::int32_t* covered, int node, std::int32_t size) {
  covered[node] = count[node] > 0 ? size : covered[2 * node] + covered[2 * node + 1];
}

void TreeAdd(std::int32_t* count, std::int32_t* covered, int leaves, int from, int to,
             std::int32_t delta) {
  int lo = from + leaves;
  int hi = to + leaves;
  const int firstLeaf = lo;
  const int lastLeaf = hi - 1;
  for (std::int32_t size = 1; lo < hi; lo /= 2, hi /= 2, size *= 2) {
    if (lo & 1) {
      count[lo] += delta;
      Refresh(count, covered, lo++, size);
    }
    if (hi & 1) {
      count[--hi] += delta;
      Refresh(count, covered, hi, size);
    }
  }
  for (const int leaf : {firstLeaf, lastLeaf}) {
    std::int32_t size = 1;
    for (int node = leaf / 2; node > 0; node /= 2) {
      size *= 2;
      Refresh(count, covered, node, size);
    }
  }
}
}  // namespace

struct Coverage::Estimate {
  std::int64_t rects = 0;    // with area
  std::int64_t largest = 0;  // the largest area
  std::int64_t total = 0;    // the sum of the areas
  std::int64_t paintWords = 0;
  std::int64_t rowEdges = 0;     // distinct rows where a rectangle starts or ends
  std::int64_t columnEdges = 0;  // likewise columns
};

Coverage::Estimate Coverage::Measure(const TestCase& testCase, const std::vector<Rect>& rects) {
  Estimate estimate;
  const std::int64_t columnBase = testCase.h + 1;
  edges_.resize(std::max<std::size_t>(
      edges_.size(), static_cast<std::size_t>(bit_rows::WordCount(columnBase + testCase.w + 1))));
  bit_rows::Word* edges = edges_.data();
  const auto mark = [edges](std::int64_t bit) {
    edges[bit / bit_rows::kBits] |= bit_rows::Word{1} << (bit % bit_rows::kBits);
  };
  for (const Rect& rect : rects) {
    if (!rect.HasArea()) {
      continue;
    }
    const std::int64_t area = static_cast<std::int64_t>(rect.width) * rect.height;
    ++estimate.rects;
    estimate.largest = std::max(estimate.largest, area);
    estimate.total += area;
    estimate.paintWords += PaintSteps(testCase, rect);
    mark(Top(rect));
    mark(Bottom(rect));
    mark(columnBase + Left(rect));
    mark(columnBase + Right(rect));
  }
  const std::int64_t words = bit_rows::WordCount(columnBase + testCase.w + 1);
  for (std::int64_t i = 0; i < words; ++i) {
    const bit_rows::Word rows = i * bit_rows::kBits < columnBase
                                    ? edges[i] & bit_rows::MaskTo(std::min<std::int64_t>(
                                                     columnBase - i * bit_rows::kBits, 64))
                                    : 0;
    estimate.rowEdges += std::popcount(rows);
    estimate.columnEdges += std::popcount(edges[i] ^ rows);
    edges[i] = 0;
  }
  painted_ = estimate.rects;
  return estimate;
}

Coverage::Way Coverage::Choose(const Estimate& e, const TestCase& testCase) const {
  const std::int64_t w = testCase.w;
  const std::int64_t h = testCase.h;
  const std::int64_t sortRows = e.rects * kBucketsPerRect < h ? 0 : 2 * (h + e.rects) * kBucket;
  const std::int64_t sortColumns = e.rects * kBucketsPerRect < w ? 0 : 2 * (w + e.rects) * kBucket;
  struct Option {
    Way way;
    std::int64_t cost;
  };
  const std::int64_t gridSide = 2 * e.rects + 1;
  const Option options[] = {
      {Way::kGrid, e.rects <= kGridMost ? gridSide * gridSide * kGridCell : INT64_MAX},
      {Way::kPainter, e.paintWords * kPaintWord},
      {Way::kRows, e.rowEdges * w * kSectionCell + e.rects * kSectionRect + sortRows},
      {Way::kColumns, e.columnEdges * h * kSectionCell + e.rects * kSectionRect + sortColumns},
      {Way::kSweep, e.rects * kSweepRect + sortColumns},
  };
  return std::min_element(std::begin(options), std::end(options),
                          [](const Option& l, const Option& r) { return l.cost < r.cost; })
      ->way;
}

std::optional<Cell> Coverage::FirstMismatch(const TestCase& testCase,
                                            const std::vector<Rect>& rects) {
  const Estimate estimate = Measure(testCase, rects);
  if (forced_ == Way::kChoose && estimate.largest == testCase.blackCount) {
    return std::nullopt;  // one rectangle covers every black cell
  }
  if (estimate.total >= testCase.blackCount) {
    const Way way = forced_ != Way::kChoose ? forced_ : Choose(estimate, testCase);
    if (UnionArea(way, testCase, rects) == testCase.blackCount) {
      return std::nullopt;
    }
  }
  return Locate(estimate, testCase, rects);
}

std::int64_t Coverage::UnionArea(Way way, const TestCase& testCase,
                                 const std::vector<Rect>& rects) {
  switch (way) {
    case Way::kGrid:
      return GridArea(rects);
    case Way::kPainter: {
      const std::int64_t area = Paint(testCase, rects);
      Unpaint(testCase, rects);
      return area;
    }
    case Way::kRows:
      return Sections(DownTheRows(), testCase.h, testCase.w, rects, nullptr, nullptr);
    case Way::kColumns:
      return Sections(AcrossTheColumns(), testCase.w, testCase.h, rects, nullptr, nullptr);
    case Way::kChoose:
    case Way::kSweep:
      break;
  }
  return SweepArea(testCase, rects);
}

std::optional<Cell> Coverage::Locate(const Estimate& estimate, const TestCase& testCase,
                                     const std::vector<Rect>& rects) {
  const std::int64_t w = testCase.w;
  const std::int64_t h = testCase.h;
  const std::int64_t words = bit_rows::WordCount(w * h);
  const std::int64_t byPainter = estimate.paintWords * kPaintWord + words * kPaintWord;
  const std::int64_t byRows = estimate.rowEdges * w * kSectionCell + estimate.rects * kSectionRect +
                              h * (w / 64 + 1) * kPaintWord;
  if (byRows < byPainter) {
    std::optional<Cell> mismatch;
    Sections(DownTheRows(), testCase.h, testCase.w, rects, &testCase, &mismatch);
    return mismatch;
  }
  Paint(testCase, rects);
  std::optional<Cell> mismatch;
  for (std::int64_t i = 0; i < words; ++i) {
    if (const bit_rows::Word differ = canvas_[static_cast<std::size_t>(i)] ^ testCase.cells[i]) {
      const std::int64_t cell = i * bit_rows::kBits + std::countr_zero(differ);
      mismatch = Cell{static_cast<int>(cell % w), static_cast<int>(cell / w)};
      break;
    }
  }
  Unpaint(testCase, rects);
  return mismatch;
}

std::int64_t Coverage::GridArea(const std::vector<Rect>& rects) {
  gridX_.clear();
  gridY_.clear();
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      gridX_.insert(gridX_.end(), {Left(rect), Right(rect)});
      gridY_.insert(gridY_.end(), {Top(rect), Bottom(rect)});
    }
  }
  for (std::vector<int>* edges : {&gridX_, &gridY_}) {
    std::sort(edges->begin(), edges->end());
    edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
  }
  const std::size_t across = gridX_.size();
  const std::size_t down = gridY_.size();
  gridCover_.assign(across * down, 0);
  const auto at = [this](const std::vector<int>& edges, int value) {
    return static_cast<std::size_t>(std::lower_bound(edges.begin(), edges.end(), value) -
                                    edges.begin());
  };
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      const std::size_t x0 = at(gridX_, Left(rect));
      const std::size_t x1 = at(gridX_, Right(rect));
      const std::size_t y0 = at(gridY_, Top(rect));
      const std::size_t y1 = at(gridY_, Bottom(rect));
      gridCover_[y0 * across + x0] += 1;
      gridCover_[y0 * across + x1] -= 1;
      gridCover_[y1 * across + x0] -= 1;
      gridCover_[y1 * across + x1] += 1;
    }
  }
  std::int64_t area = 0;
  for (std::size_t j = 0; j + 1 < down; ++j) {
    std::int32_t running = 0;
    for (std::size_t i = 0; i + 1 < across; ++i) {
      running += gridCover_[j * across + i];
      // The cover of this cell: this row's running sum plus the cell above.
      const std::int32_t cover = running + (j > 0 ? gridCover_[(j - 1) * across + i] : 0);
      gridCover_[j * across + i] = cover;
      if (cover > 0) {
        area += static_cast<std::int64_t>(gridX_[i + 1] - gridX_[i]) * (gridY_[j + 1] - gridY_[j]);
      }
    }
  }
  return area;
}

template <typename Key>
void Coverage::Order(const std::vector<Rect>& rects, Key key, int limit,
                     std::vector<std::uint32_t>& order) {
  order.clear();
  // Few rectangles: a comparison sort, so that a tiny block never pays for `limit` buckets.
  if (painted_ * kBucketsPerRect < limit) {
    for (std::uint32_t i = 0; i < rects.size(); ++i) {
      if (rects[i].HasArea()) {
        order.push_back(i);
      }
    }
    std::sort(order.begin(), order.end(), [&rects, key](std::uint32_t l, std::uint32_t r) {
      return key(rects[l]) < key(rects[r]);
    });
    return;
  }
  bucket_.assign(static_cast<std::size_t>(limit) + 2, 0);
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      ++bucket_[static_cast<std::size_t>(key(rect)) + 1];
    }
  }
  for (std::size_t i = 1; i < bucket_.size(); ++i) {
    bucket_[i] += bucket_[i - 1];
  }
  order.resize(static_cast<std::size_t>(painted_));
  for (std::uint32_t i = 0; i < rects.size(); ++i) {
    if (rects[i].HasArea()) {
      order[bucket_[static_cast<std::size_t>(key(rects[i]))]++] = i;
    }
  }
}

std::int64_t Coverage::SweepArea(const TestCase& testCase, const std::vector<Rect>& rects) {
  Order(rects, Left, testCase.w, byStart_);
  Order(rects, Right, testCase.w, byEnd_);
  const int leaves = static_cast<int>(std::bit_ceil(static_cast<unsigned>(testCase.h)));
  // Every rectangle added is taken away again, so the tree is all zero between blocks.
  const std::size_t nodes = 4 * static_cast<std::size_t>(leaves);
  if (treeCount_.size() < nodes) {
    treeCount_.resize(nodes, 0);
    treeCovered_.resize(nodes, 0);
  }
  std::int32_t* count = treeCount_.data();
  std::int32_t* covered = treeCovered_.data();
  std::int64_t area = 0;
  int previousX = 0;
  std::size_t start = 0;
  std::size_t end = 0;
  while (end < byEnd_.size()) {
    const int x = start < byStart_.size()
                      ? std::min(Left(rects[byStart_[start]]), Right(rects[byEnd_[end]]))
                      : Right(rects[byEnd_[end]]);
    area += static_cast<std::int64_t>(covered[1]) * (x - previousX);
    previousX = x;
    for (; end < byEnd_.size() && Right(rects[byEnd_[end]]) == x; ++end) {
      const Rect& rect = rects[byEnd_[end]];
      TreeAdd(count, covered, leaves, Top(rect), Bottom(rect), -1);
    }
    for (; start < byStart_.size() && Left(rects[byStart_[start]]) == x; ++start) {
      const Rect& rect = rects[byStart_[start]];
      TreeAdd(count, covered, leaves, Top(rect), Bottom(rect), 1);
    }
  }
  return area;
}

// Sections along one axis, each rebuilt only where a rectangle starts or ends. With
// `compareWith` (rows only), each row's cover is compared with the picture, and the first
// cell that differs ends the walk.
template <typename Axis>
std::int64_t Coverage::Sections(Axis axis, int length, int across, const std::vector<Rect>& rects,
                                const TestCase* compareWith, std::optional<Cell>* mismatch) {
  Order(
      rects, [axis](const Rect& r) { return axis.Start(r); }, length, byStart_);
  Order(
      rects, [axis](const Rect& r) { return axis.End(r); }, length, byEnd_);
  delta_.assign(static_cast<std::size_t>(across) + 1, 0);
  const std::int64_t words = bit_rows::WordCount(across);
  section_.assign(static_cast<std::size_t>(words), 0);
  std::int32_t* delta = delta_.data();
  bit_rows::Word* section = section_.data();
  const auto compareRows = [&](int from, int to) {
    for (int y = from; y < to; ++y) {
      for (std::int64_t k = 0; k < words; ++k) {
        const int count = static_cast<int>(std::min<std::int64_t>(64, across - 64 * k));
        const bit_rows::Word picture = bit_rows::Extract(
            compareWith->cells, compareWith->CellIndex(static_cast<int>(64 * k), y), count);
        if (const bit_rows::Word differ = picture ^ section[k]) {
          *mismatch = Cell{static_cast<int>(64 * k) + std::countr_zero(differ), y};
          return true;
        }
      }
    }
    return false;
  };
  std::int64_t area = 0;
  std::int64_t covered = 0;
  int previous = 0;
  std::size_t start = 0;
  std::size_t end = 0;
  while (end < byEnd_.size()) {
    const int at = start < byStart_.size()
                       ? std::min(axis.Start(rects[byStart_[start]]), axis.End(rects[byEnd_[end]]))
                       : axis.End(rects[byEnd_[end]]);
    if (compareWith != nullptr && compareRows(previous, at)) {
      return area;
    }
    area += covered * (at - previous);
    previous = at;
    for (; end < byEnd_.size() && axis.End(rects[byEnd_[end]]) == at; ++end) {
      delta[axis.From(rects[byEnd_[end]])] -= 1;
      delta[axis.To(rects[byEnd_[end]])] += 1;
    }
    for (; start < byStart_.size() && axis.Start(rects[byStart_[start]]) == at; ++start) {
      delta[axis.From(rects[byStart_[start]])] += 1;
      delta[axis.To(rects[byStart_[start]])] -= 1;
    }
    std::int32_t running = 0;
    covered = 0;
    if (compareWith == nullptr) {
      for (int i = 0; i < across; ++i) {
        running += delta[i];
        covered += running > 0;
      }
      continue;
    }
    for (std::int64_t k = 0; k < words; ++k) {
      bit_rows::Word bits = 0;
      const int count = static_cast<int>(std::min<std::int64_t>(64, across - 64 * k));
      for (int b = 0; b < count; ++b) {
        running += delta[64 * k + b];
        bits |= bit_rows::Word{running > 0} << b;
      }
      section[k] = bits;
      covered += std::popcount(bits);
    }
  }
  if (compareWith != nullptr) {
    compareRows(previous, length);
  }
  return area;
}

std::int64_t Coverage::Paint(const TestCase& testCase, const std::vector<Rect>& rects) {
  const std::size_t words = static_cast<std::size_t>(
      bit_rows::WordCount(static_cast<std::int64_t>(testCase.w) * testCase.h));
  if (canvas_.size() < words) {
    canvas_.resize(words, 0);  // cleared after every block
  }
  bit_rows::Word* canvas = canvas_.data();
  std::int64_t added = 0;
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      ForEachRun(testCase, rect, [&](std::int64_t from, std::int64_t to) {
        added += bit_rows::SetRun(canvas, from, to);
      });
    }
  }
  return added;
}

void Coverage::Unpaint(const TestCase& testCase, const std::vector<Rect>& rects) {
  bit_rows::Word* canvas = canvas_.data();
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      ForEachRun(testCase, rect,
                 [&](std::int64_t from, std::int64_t to) { bit_rows::ClearRun(canvas, from, to); });
    }
  }
}
