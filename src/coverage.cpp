#include "coverage.h"

#include <algorithm>
#include <bit>
#include <span>

namespace {
// Keys for ordering; lambdas, so that each ordering is its own instance with the key inlined.
using Box = Coverage::Box;
constexpr auto Left = [](const Box& box) -> int { return box.x; };
constexpr auto Right = [](const Box& box) -> int { return box.x + box.width; };
constexpr auto Top = [](const Box& box) -> int { return box.y; };
constexpr auto Bottom = [](const Box& box) -> int { return box.y + box.height; };

// The two directions of cross-sections: a section is a row (or a column); rectangles start and
// end along the sweep and cover a run of the section.
struct DownTheRows {
  static int Start(const Box& rect) { return Top(rect); }
  static int End(const Box& rect) { return Bottom(rect); }
  static int From(const Box& rect) { return Left(rect); }
  static int To(const Box& rect) { return Right(rect); }
};
struct AcrossTheColumns {
  static int Start(const Box& rect) { return Left(rect); }
  static int End(const Box& rect) { return Right(rect); }
  static int From(const Box& rect) { return Top(rect); }
  static int To(const Box& rect) { return Bottom(rect); }
};

// Relative costs of the ways, in tenths of a nanosecond on the development machine (measured
// with bench/): a word painted and later cleared, or compared; a row of a rectangle added to
// and taken from the row counts; a cell of a cross-section rebuilt; a rectangle put in order
// and added to the counts or the sections; a rectangle added to and taken from the tree; a
// cell of the grid; a bucket of a counting sort.
constexpr std::int64_t kPaintWord = 15;
constexpr std::int64_t kCountRow = 4;
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
std::int64_t PaintSteps(const TestCase& testCase, const Box& rect) {
  if (rect.width == testCase.w) {
    return 2 + static_cast<std::int64_t>(rect.width) * rect.height / bit_rows::kBits;
  }
  return static_cast<std::int64_t>(rect.height) * (2 + rect.width / bit_rows::kBits);
}

template <typename Apply>
void ForEachRun(const TestCase& testCase, const Box& rect, Apply apply) {
  // One run when the box is as wide as the picture: its rows follow each other.
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

// Adds a rectangle's rows to the cover counts (delta 1) or takes them away (-1), and returns
// how many rows became covered or uncovered. The loop is free of aliasing and so vectorised.
std::int64_t CoverRows(std::int32_t* cover, const Box& rect, int delta) {
  std::int32_t* const first = cover + rect.y;
  const int rows = rect.height;
  int change = 0;
  if (delta > 0) {
    for (int y = 0; y < rows; ++y) {
      change += first[y] == 0;
      first[y] += 1;
    }
  } else {
    for (int y = 0; y < rows; ++y) {
      first[y] -= 1;
      change -= first[y] == 0;
    }
  }
  return change;
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
  std::int64_t heights = 0;  // the sum of the heights
  std::int64_t paintWords = 0;
  std::int64_t rowEdges = 0;     // distinct rows where a rectangle starts or ends
  std::int64_t columnEdges = 0;  // likewise columns
};

void Coverage::Begin(const TestCase& testCase) {
  testCase_ = &testCase;
  settled_ = false;
  boxes_.clear();
}

void Coverage::Keep(const Rect& rect) {
  if (static_cast<std::int64_t>(rect.width) * rect.height == testCase_->blackCount &&
      forced_ == Way::kChoose) {
    settled_ = true;  // it covers every black cell: nothing else can change the outcome
    boxes_.clear();
    return;
  }
  boxes_.push_back({static_cast<std::uint16_t>(rect.x), static_cast<std::uint16_t>(rect.y),
                    static_cast<std::uint16_t>(rect.width),
                    static_cast<std::uint16_t>(rect.height)});
}

std::optional<Cell> Coverage::FirstMismatch(const TestCase& testCase, const RectList& rects) {
  Begin(testCase);
  for (const Rect& rect : rects) {
    Add(rect);
  }
  return Finish();
}

Coverage::Estimate Coverage::Measure() {
  const TestCase& testCase = *testCase_;
  Estimate estimate;
  const std::int64_t columnBase = testCase.h + 1;
  edges_.resize(std::max<std::size_t>(
      edges_.size(), static_cast<std::size_t>(bit_rows::WordCount(columnBase + testCase.w + 1))));
  bit_rows::Word* edges = edges_.data();
  const auto mark = [edges](std::int64_t bit) {
    edges[bit / bit_rows::kBits] |= bit_rows::Word{1} << (bit % bit_rows::kBits);
  };
  for (const Box& rect : boxes_) {
    const std::int64_t area = static_cast<std::int64_t>(rect.width) * rect.height;
    ++estimate.rects;
    estimate.largest = std::max(estimate.largest, area);
    estimate.total += area;
    estimate.heights += rect.height;
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
    estimate.rowEdges += bit_rows::Count(rows);
    estimate.columnEdges += bit_rows::Count(edges[i] ^ rows);
    edges[i] = 0;
  }
  return estimate;
}

Coverage::Way Coverage::Choose(const Estimate& e) const {
  const TestCase& testCase = *testCase_;
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
      {Way::kPainter, (e.paintWords + bit_rows::WordCount(w * h)) * kPaintWord},
      {Way::kCounts, e.heights * kCountRow + e.rects * kSectionRect + sortColumns},
      {Way::kRows, e.rowEdges * w * kSectionCell + e.rects * kSectionRect + sortRows},
      {Way::kColumns, e.columnEdges * h * kSectionCell + e.rects * kSectionRect + sortColumns},
      {Way::kSweep, e.rects * kSweepRect + sortColumns},
  };
  return std::min_element(std::begin(options), std::end(options),
                          [](const Option& l, const Option& r) { return l.cost < r.cost; })
      ->way;
}

std::optional<Cell> Coverage::Finish() {
  if (settled_) {
    return std::nullopt;
  }
  const Estimate estimate = Measure();
  if (estimate.total < testCase_->blackCount) {
    return Locate(estimate);
  }
  const Way way = forced_ != Way::kChoose ? forced_ : Choose(estimate);
  if (way == Way::kPainter) {
    return PaintAndCompare(estimate);
  }
  if (UnionArea(way) == testCase_->blackCount) {
    return std::nullopt;
  }
  return Locate(estimate);
}

std::int64_t Coverage::UnionArea(Way way) {
  switch (way) {
    case Way::kGrid:
      return GridArea();
    case Way::kCounts:
      return CountArea();
    case Way::kRows:
      return Sections(DownTheRows(), testCase_->h, testCase_->w, nullptr);
    case Way::kColumns:
      return Sections(AcrossTheColumns(), testCase_->w, testCase_->h, nullptr);
    case Way::kChoose:
    case Way::kPainter:
    case Way::kSweep:
      break;
  }
  return SweepArea();
}

std::optional<Cell> Coverage::Locate(const Estimate& estimate) {
  const std::int64_t w = testCase_->w;
  const std::int64_t h = testCase_->h;
  const std::int64_t words = bit_rows::WordCount(w * h);
  const std::int64_t byPainter = (estimate.paintWords + words) * kPaintWord;
  const std::int64_t byRows = estimate.rowEdges * w * kSectionCell + estimate.rects * kSectionRect +
                              h * (w / 64 + 1) * kPaintWord;
  if (byRows < byPainter) {
    std::optional<Cell> mismatch;
    Sections(DownTheRows(), testCase_->h, testCase_->w, &mismatch);
    return mismatch;
  }
  return PaintAndCompare(estimate);
}

// Paints the rectangles into the canvas and compares it with the picture word by word: the
// first word that differs holds the first cell that differs. The canvas is cleared after, by
// clearing what was painted or the whole of it, whichever is less.
std::optional<Cell> Coverage::PaintAndCompare(const Estimate& estimate) {
  const TestCase& testCase = *testCase_;
  const std::int64_t w = testCase.w;
  const std::int64_t words = bit_rows::WordCount(w * testCase.h);
  if (canvas_.size() < static_cast<std::size_t>(words)) {
    canvas_.resize(static_cast<std::size_t>(words), 0);  // clear between blocks
  }
  bit_rows::Word* canvas = canvas_.data();
  for (const Box& box : boxes_) {
    ForEachRun(testCase, box, [canvas](std::int64_t from, std::int64_t to) {
      bit_rows::SetRun(canvas, from, to);
    });
  }
  std::optional<Cell> mismatch;
  for (std::int64_t i = 0; i < words; ++i) {
    if (const bit_rows::Word differ = canvas[i] ^ testCase.cells[i]) {
      const std::int64_t cell = i * bit_rows::kBits + std::countr_zero(differ);
      mismatch = Cell{static_cast<int>(cell % w), static_cast<int>(cell / w)};
      break;
    }
  }
  if (estimate.paintWords > words) {
    std::fill(canvas, canvas + words, 0);
    return mismatch;
  }
  for (const Box& box : boxes_) {
    ForEachRun(testCase, box, [canvas](std::int64_t from, std::int64_t to) {
      bit_rows::ClearRun(canvas, from, to);
    });
  }
  return mismatch;
}

std::int64_t Coverage::GridArea() {
  gridX_.clear();
  gridY_.clear();
  for (const Box& box : boxes_) {
    gridX_.insert(gridX_.end(), {Left(box), Right(box)});
    gridY_.insert(gridY_.end(), {Top(box), Bottom(box)});
  }
  for (auto* edges : {&gridX_, &gridY_}) {
    std::sort(edges->begin(), edges->end());
    edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
  }
  const std::size_t across = gridX_.size();
  const std::size_t down = gridY_.size();
  gridCover_.assign(across * down, 0);
  const auto at = [](const auto& edges, int value) {
    return static_cast<std::size_t>(std::lower_bound(edges.begin(), edges.end(), value) -
                                    edges.begin());
  };
  for (const Box& box : boxes_) {
    const std::size_t x0 = at(gridX_, Left(box));
    const std::size_t x1 = at(gridX_, Right(box));
    const std::size_t y0 = at(gridY_, Top(box));
    const std::size_t y1 = at(gridY_, Bottom(box));
    gridCover_[y0 * across + x0] += 1;
    gridCover_[y0 * across + x1] -= 1;
    gridCover_[y1 * across + x0] -= 1;
    gridCover_[y1 * across + x1] += 1;
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

// The indices of the boxes in the order of `key` (values 0..limit). A template, so that the
// key inlines into the counting loops.
template <typename Key>
void Coverage::Order(Key key, int limit, Array<std::uint32_t>& order) {
  const std::size_t count = boxes_.size();
  order.resize(count);
  // Few boxes: a comparison sort, so that a tiny block never pays for `limit` buckets.
  if (static_cast<std::int64_t>(count) * kBucketsPerRect < limit) {
    for (std::uint32_t i = 0; i < count; ++i) {
      order[i] = i;
    }
    std::sort(order.begin(), order.end(), [this, key](std::uint32_t l, std::uint32_t r) {
      return key(boxes_[l]) < key(boxes_[r]);
    });
    return;
  }
  bucket_.assign(static_cast<std::size_t>(limit) + 2, 0);
  for (const Box& box : boxes_) {
    ++bucket_[static_cast<std::size_t>(key(box)) + 1];
  }
  for (std::size_t i = 1; i < bucket_.size(); ++i) {
    bucket_[i] += bucket_[i - 1];
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    order[bucket_[static_cast<std::size_t>(key(boxes_[i]))]++] = i;
  }
}

// Calls `at(x, ends, starts)` for every column x where a box starts or ends, left to right,
// with the boxes that end there and those that start there.
template <typename Axis, typename At>
void Coverage::Sweep(Axis axis, int length, At at) {
  Order([axis](const Box& box) { return axis.Start(box); }, length, byStart_);
  Order([axis](const Box& box) { return axis.End(box); }, length, byEnd_);
  std::size_t start = 0;
  std::size_t end = 0;
  const std::size_t count = boxes_.size();
  while (end < count) {
    const int here =
        start < count ? std::min(axis.Start(boxes_[byStart_[start]]), axis.End(boxes_[byEnd_[end]]))
                      : axis.End(boxes_[byEnd_[end]]);
    std::size_t endsTo = end;
    while (endsTo < count && axis.End(boxes_[byEnd_[endsTo]]) == here) {
      ++endsTo;
    }
    std::size_t startsTo = start;
    while (startsTo < count && axis.Start(boxes_[byStart_[startsTo]]) == here) {
      ++startsTo;
    }
    at(here, std::span(byEnd_.data() + end, endsTo - end),
       std::span(byStart_.data() + start, startsTo - start));
    end = endsTo;
    start = startsTo;
  }
}

// Left to right with a cover count per row. Every start is undone by its end, so the counts
// are zero again afterwards.
std::int64_t Coverage::CountArea() {
  if (rowCover_.size() < static_cast<std::size_t>(testCase_->h)) {
    rowCover_.resize(static_cast<std::size_t>(testCase_->h), 0);
  }
  std::int32_t* cover = rowCover_.data();
  std::int64_t area = 0;
  std::int64_t coveredRows = 0;
  int previous = 0;
  Sweep(AcrossTheColumns(), testCase_->w, [&](int x, auto ends, auto starts) {
    area += coveredRows * (x - previous);
    previous = x;
    for (const std::uint32_t i : ends) {
      coveredRows += CoverRows(cover, boxes_[i], -1);
    }
    for (const std::uint32_t i : starts) {
      coveredRows += CoverRows(cover, boxes_[i], 1);
    }
  });
  return area;
}

// Left to right with the segment tree over the rows. Every box added is taken away again, so
// the tree is all zero between blocks.
std::int64_t Coverage::SweepArea() {
  const int leaves = static_cast<int>(std::bit_ceil(static_cast<unsigned>(testCase_->h)));
  const std::size_t nodes = 4 * static_cast<std::size_t>(leaves);
  if (treeCount_.size() < nodes) {
    treeCount_.resize(nodes, 0);
    treeCovered_.resize(nodes, 0);
  }
  std::int32_t* count = treeCount_.data();
  std::int32_t* covered = treeCovered_.data();
  std::int64_t area = 0;
  int previous = 0;
  Sweep(AcrossTheColumns(), testCase_->w, [&](int x, auto ends, auto starts) {
    area += static_cast<std::int64_t>(covered[1]) * (x - previous);
    previous = x;
    for (const std::uint32_t i : ends) {
      TreeAdd(count, covered, leaves, Top(boxes_[i]), Bottom(boxes_[i]), -1);
    }
    for (const std::uint32_t i : starts) {
      TreeAdd(count, covered, leaves, Top(boxes_[i]), Bottom(boxes_[i]), 1);
    }
  });
  return area;
}

// Sections along one axis, each rebuilt only where a box starts or ends. With `mismatch`
// (rows only), each row's cover is compared with the picture, and the first cell that differs
// ends the walk.
template <typename Axis>
std::int64_t Coverage::Sections(Axis axis, int length, int across, std::optional<Cell>* mismatch) {
  const TestCase& testCase = *testCase_;
  delta_.assign(static_cast<std::size_t>(across) + 1, 0);
  const std::int64_t words = bit_rows::WordCount(across);
  section_.assign(static_cast<std::size_t>(words), 0);
  std::int32_t* delta = delta_.data();
  bit_rows::Word* section = section_.data();
  bool found = false;
  // Compares rows [from, to) with the section while no cell differs yet.
  const auto compareRows = [&](int from, int to) {
    for (int y = from; y < to && !found; ++y) {
      for (std::int64_t k = 0; k < words; ++k) {
        const int count = static_cast<int>(std::min<std::int64_t>(64, across - 64 * k));
        const bit_rows::Word picture = bit_rows::Extract(
            testCase.cells, testCase.CellIndex(static_cast<int>(64 * k), y), count);
        if (const bit_rows::Word differ = picture ^ section[k]) {
          *mismatch = Cell{static_cast<int>(64 * k) + std::countr_zero(differ), y};
          found = true;
          break;
        }
      }
    }
  };
  std::int64_t area = 0;
  std::int64_t covered = 0;
  int previous = 0;
  Sweep(axis, length, [&](int here, auto ends, auto starts) {
    if (mismatch != nullptr) {
      compareRows(previous, here);
    }
    area += covered * (here - previous);
    previous = here;
    for (const std::uint32_t i : ends) {
      delta[axis.From(boxes_[i])] -= 1;
      delta[axis.To(boxes_[i])] += 1;
    }
    for (const std::uint32_t i : starts) {
      delta[axis.From(boxes_[i])] += 1;
      delta[axis.To(boxes_[i])] -= 1;
    }
    std::int32_t running = 0;
    covered = 0;
    if (mismatch == nullptr) {
      for (int i = 0; i < across; ++i) {
        running += delta[i];
        covered += running > 0;
      }
      return;
    }
    for (std::int64_t k = 0; k < words; ++k) {
      bit_rows::Word bits = 0;
      const int count = static_cast<int>(std::min<std::int64_t>(64, across - 64 * k));
      for (int b = 0; b < count; ++b) {
        running += delta[64 * k + b];
        bits |= bit_rows::Word{running > 0} << b;
      }
      section[k] = bits;
      covered += bit_rows::Count(bits);
    }
  });
  if (mismatch != nullptr) {
    compareRows(previous, length);
  }
  return area;
}
