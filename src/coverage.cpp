#include "coverage.h"

#include <algorithm>
#include <bit>
#include <span>

namespace {
using Box = Coverage::Box;
using bit_rows::Byte;
using bit_rows::Word;

// Keys for ordering; lambdas, so that each ordering is its own instance with the key inlined.
constexpr auto Left = [](const Box& box) -> int { return box.x; };
constexpr auto Right = [](const Box& box) -> int { return box.x + box.width; };
constexpr auto Top = [](const Box& box) -> int { return box.y; };
constexpr auto Bottom = [](const Box& box) -> int { return box.y + box.height; };

// The two directions of cross-sections: a section is a row (or a column); boxes start and end
// along the sweep and cover a run of the section.
struct DownTheRows {
  static int Start(const Box& box) { return Top(box); }
  static int End(const Box& box) { return Bottom(box); }
  static int From(const Box& box) { return Left(box); }
  static int To(const Box& box) { return Right(box); }
};
struct AcrossTheColumns {
  static int Start(const Box& box) { return Left(box); }
  static int End(const Box& box) { return Right(box); }
  static int From(const Box& box) { return Top(box); }
  static int To(const Box& box) { return Bottom(box); }
};

// Relative costs of the ways, in tenths of a nanosecond on the development machine (measured
// with bench/): a word of a row painted (or cleared, or compared); a row or band step of the
// sweep; a cell of a cross-section rebuilt; a box put in order and added to the sweep or the
// sections; a cell of the grid; a bucket of a counting sort.
constexpr std::int64_t kPaintWord = 15;
constexpr std::int64_t kBandStep = 4;
constexpr std::int64_t kSectionCell = 8;
constexpr std::int64_t kSectionRect = 150;
constexpr std::int64_t kGridCell = 15;
constexpr std::int64_t kBucket = 5;
// The grid has a cell per pair of neighbouring edges: only for a few boxes, and for a handful
// without weighing the other ways at all.
constexpr std::int64_t kGridMost = 24;
constexpr std::size_t kGridAlways = 8;
// Below this many boxes per bucket a comparison sort is cheaper than a counting sort.
constexpr std::int64_t kBucketsPerRect = 8;
// A rectangle of at most this many word steps is painted as it arrives.
constexpr std::int64_t kPaintNowMost = 64;

// Word steps to paint a run of cells on every row of a rectangle: a word covers 57 to 64.
std::int64_t PaintSteps(int x, int width, int height) {
  const int pieces = 1 + std::max(0, x % 8 + width - 1) / 64;
  return static_cast<std::int64_t>(height) * pieces;
}
std::int64_t PaintSteps(const Box& box) {
  return PaintSteps(box.x, box.width, box.height);
}

// Applies `apply(row, from, to)` to the cells of each row of a box in a canvas laid out like
// the picture.
template <typename Apply>
void ForEachRow(Byte* canvas, std::int64_t stride, const Box& box, Apply apply) {
  Byte* row = canvas + box.y * stride;
  for (int r = 0; r < box.height; ++r, row += stride) {
    apply(row, Left(box), Right(box));
  }
}

// The sweep's cover counts over the rows come in bands of kBand rows: a box counts once for
// each band it covers whole, and row by row only in the two bands it covers in part. So a box
// costs at most 2 * (kBand - 1) row steps and h / kBand band steps, whatever its height.
constexpr int kBand = 32;

struct BandedCounts {
  std::int32_t* rows;     // boxes over each row, counted row by row
  std::int32_t* full;     // boxes over each band whole
  std::int32_t* partial;  // rows of each band with a row count above zero

  // Rows [from, to) of one band; returns the change of covered rows. The loops are free of
  // aliasing and so vectorised.
  std::int64_t CountRows(int band, int from, int to, int delta) const {
    std::int32_t* const first = rows + from;
    const int count = to - from;
    int change = 0;
    if (delta > 0) {
      for (int y = 0; y < count; ++y) {
        change += first[y] == 0;
        first[y] += 1;
      }
    } else {
      for (int y = 0; y < count; ++y) {
        first[y] -= 1;
        change -= first[y] == 0;
      }
    }
    partial[band] += change;
    return full[band] == 0 ? change : 0;
  }

  // Bands covered whole: one that turns covered counts all its rows but those it already
  // counted row by row, and one that turns uncovered takes them away again. Without branches:
  // whether a band turns is as unpredictable as the boxes.
  std::int64_t CountBands(int band, int last, int delta) const {
    std::int64_t change = 0;
    for (; band <= last; ++band) {
      const std::int32_t before = full[band];
      const std::int32_t after = before + delta;
      full[band] = after;
      const std::int32_t turned = static_cast<std::int32_t>(before == 0) - (after == 0);
      change += turned * (kBand - partial[band]);
    }
    return change;
  }

  // Adds a box's rows [from, to) (delta 1) or takes them away (-1); returns the change of
  // covered rows.
  std::int64_t Add(int from, int to, int delta) const {
    int band = from / kBand;
    int last = (to - 1) / kBand;
    if (band == last) {
      return CountRows(band, from, to, delta);
    }
    std::int64_t change = 0;
    if (from % kBand != 0) {
      change += CountRows(band, from, (band + 1) * kBand, delta);
      ++band;
    }
    if (to % kBand != 0) {
      change += CountRows(last, last * kBand, to, delta);
      --last;
    }
    return change + CountBands(band, last, delta);
  }
};

// Row and band steps to add a box to the counts and take it away.
std::int64_t BandSteps(const Box& box) {
  const int from = Top(box);
  const int to = Bottom(box);
  if (from / kBand == (to - 1) / kBand) {
    return 2 * (to - from);
  }
  const int head = (kBand - from % kBand) % kBand;
  const int tail = to % kBand;
  return 2 * (head + tail + (to - from - head - tail) / kBand);
}

// The first byte where two runs of rows differ, as a cell; none when they are the same.
bool FirstDifference(const Byte* a, const Byte* b, std::int64_t bytes, std::int64_t stride,
                     Cell& cell) {
  std::int64_t at = 0;
  for (; at + 8 <= bytes; at += 8) {
    if (bit_rows::Load(a + at) != bit_rows::Load(b + at)) {
      break;
    }
  }
  for (; at < bytes; ++at) {
    if (const unsigned differ = static_cast<unsigned>(a[at] ^ b[at])) {
      cell = Cell{static_cast<int>((at % stride) * 8 + std::countr_zero(differ)),
                  static_cast<int>(at / stride)};
      return true;
    }
  }
  return false;
}
}  // namespace

struct Coverage::Estimate {
  std::int64_t rects = 0;        // boxes
  std::int64_t total = 0;        // the sum of their areas
  std::int64_t heights = 0;      // the sum of their heights
  std::int64_t bandSteps = 0;    // the sweep's steps for them
  std::int64_t paintWords = 0;   // steps to paint the boxes not painted yet
  std::int64_t rowEdges = 0;     // distinct rows where a box starts or ends
  std::int64_t columnEdges = 0;  // likewise columns
};

void Coverage::Begin(const TestCase& testCase) {
  if (paintedSteps_ > 0) {
    // The block before ended at a failed check with cells still painted.
    std::fill(canvas_.begin(), canvas_.end(), Byte{0});
  }
  testCase_ = &testCase;
  settled_ = false;
  paintedSteps_ = 0;
  unpainted_ = 0;
  paintedBoxes_ = 0;
  boxes_.clear();
  const std::size_t bytes =
      static_cast<std::size_t>(testCase.Stride() * testCase.h + bit_rows::kPadding);
  if (canvas_.size() < bytes) {
    canvas_.resize(bytes, 0);  // clear between blocks
  }
}

bool Coverage::PaintsNow(const Rect& rect) const {
  return !settled_ && unpainted_ == 0 && forced_ == Way::kChoose &&
         PaintSteps(rect.x, rect.width, rect.height) <= kPaintNowMost;
}

bool Coverage::PaintChecked(const Rect& rect, Cell& white) {
  const TestCase& testCase = *testCase_;
  const std::int64_t stride = testCase.Stride();
  const Byte* picture = testCase.Row(rect.y);
  Byte* canvas = canvas_.data() + rect.y * stride;
  const int from = rect.x;
  const int to = rect.x + rect.width;
  // Counted first: a white cell found half way leaves rows painted, for the next Begin to clear.
  paintedSteps_ += PaintSteps(rect.x, rect.width, rect.height);
  // Looks for a white cell under one piece of a row, and paints the piece when there is none.
  const auto checkAndPaint = [&](const bit_rows::Piece& piece, int y) {
    if (const Word found = ~bit_rows::Load(picture + piece.byte) & piece.mask) {
      white = Cell{piece.byte * 8 + std::countr_zero(found), y};
      return true;
    }
    bit_rows::Store(canvas + piece.byte, bit_rows::Load(canvas + piece.byte) | piece.mask);
    return false;
  };
  // Most rectangles take one word a row, with the same mask on every row.
  int firstEnd = from;
  const bit_rows::Piece first = bit_rows::NextPiece(firstEnd, to);
  for (int y = rect.y; y < rect.y + rect.height; ++y, picture += stride, canvas += stride) {
    if (firstEnd == to) {
      if (checkAndPaint(first, y)) {
        return true;
      }
      continue;
    }
    for (int at = from; at < to;) {
      if (checkAndPaint(bit_rows::NextPiece(at, to), y)) {
        return true;
      }
    }
  }
  Keep(rect, true);
  paintedBoxes_ = boxes_.size();
  return false;
}

void Coverage::Add(const Rect& rect) {
  if (!settled_) {
    ++unpainted_;
    Keep(rect, false);
  }
}

// A painted box is kept even when it settles the block, so that it is cleared after.
void Coverage::Keep(const Rect& rect, bool painted) {
  if (static_cast<std::int64_t>(rect.width) * rect.height == testCase_->blackCount &&
      forced_ == Way::kChoose) {
    settled_ = true;  // it covers every black cell: nothing else can change the outcome
    if (!painted) {
      return;
    }
  }
  boxes_.push_back({static_cast<std::uint16_t>(rect.x), static_cast<std::uint16_t>(rect.y),
                    static_cast<std::uint16_t>(rect.width),
                    static_cast<std::uint16_t>(rect.height)});
}

std::optional<Cell> Coverage::FirstMismatch(const TestCase& testCase, const RectList& rects) {
  Begin(testCase);
  Cell cell;
  for (const Rect& rect : rects) {
    if (rect.HasArea() && PaintsNow(rect)) {
      PaintChecked(rect, cell);
    } else if (rect.HasArea()) {
      Add(rect);
    }
  }
  if (Finish(cell)) {
    return cell;
  }
  return std::nullopt;
}

bool Coverage::Finish(Cell& mismatch) {
  if (settled_) {
    ClearCanvas(false);
    return false;
  }
  if (unpainted_ == 0) {
    // Every rectangle is in the canvas: compare it with the picture when that costs no more
    // than the painting did; otherwise take the area of the union while clearing the canvas.
    const std::int64_t words = testCase_->Stride() * testCase_->h / 8 + 1;
    if (paintedSteps_ >= words) {
      const bool differs = CompareCanvas(mismatch);
      ClearCanvas(false);
      return differs;
    }
    if (ClearCanvas(true) == testCase_->blackCount) {
      return false;
    }
    return PaintAndCompare(mismatch);
  }
  if (forced_ == Way::kChoose && boxes_.size() <= kGridAlways) {
    ClearCanvas(false);
    if (GridArea(boxes_) == testCase_->blackCount) {
      return false;
    }
    return Locate(Measure(), mismatch);
  }
  if (forced_ == Way::kChoose && LargestCoverAll()) {
    ClearCanvas(false);
    return false;
  }
  const Estimate estimate = Measure();
  if (estimate.total < testCase_->blackCount) {
    ClearCanvas(false);
    return Locate(estimate, mismatch);
  }
  const Way way = forced_ != Way::kChoose ? forced_ : Choose(estimate);
  if (way == Way::kPainter) {
    ClearCanvas(false);
    return PaintAndCompare(mismatch);
  }
  ClearCanvas(false);
  if (UnionArea(way) == testCase_->blackCount) {
    return false;
  }
  return Locate(estimate, mismatch);
}

// Clears the painted cells: the painted boxes one by one or the whole canvas, whichever costs
// less. With `count`, box by box, and returns how many cells were painted: the union's area.
std::int64_t Coverage::ClearCanvas(bool count) {
  const TestCase& testCase = *testCase_;
  const std::int64_t stride = testCase.Stride();
  const std::int64_t bytes = stride * testCase.h;
  Byte* canvas = canvas_.data();
  if (paintedSteps_ == 0) {
    return 0;
  }
  if (!count && paintedSteps_ >= bytes / 8) {
    std::fill(canvas, canvas + bytes, Byte{0});
    paintedSteps_ = 0;
    return 0;
  }
  std::int64_t cleared = 0;
  for (std::size_t i = 0; i < paintedBoxes_; ++i) {
    const Box& box = boxes_[i];
    ForEachRow(canvas, stride, box, [&](Byte* row, int from, int to) {
      for (int at = from; at < to;) {
        const bit_rows::Piece piece = bit_rows::NextPiece(at, to);
        const Word before = bit_rows::Load(row + piece.byte);
        if (count) {
          cleared += bit_rows::Count(before & piece.mask);
        }
        bit_rows::Store(row + piece.byte, before & ~piece.mask);
      }
    });
  }
  paintedSteps_ = 0;
  return cleared;
}

bool Coverage::CompareCanvas(Cell& mismatch) const {
  const TestCase& testCase = *testCase_;
  return FirstDifference(canvas_.data(), testCase.cells, testCase.Stride() * testCase.h,
                         testCase.Stride(), mismatch);
}

// Paints every box into the clear canvas, compares it with the picture and clears it again.
bool Coverage::PaintAndCompare(Cell& mismatch) {
  const std::int64_t stride = testCase_->Stride();
  for (const Box& box : boxes_) {
    ForEachRow(canvas_.data(), stride, box, bit_rows::SetRun);
    paintedSteps_ += PaintSteps(box);
  }
  paintedBoxes_ = boxes_.size();
  const bool differs = CompareCanvas(mismatch);
  ClearCanvas(false);
  return differs;
}

Coverage::Estimate Coverage::Measure() {
  const TestCase& testCase = *testCase_;
  Estimate estimate;
  const std::int64_t columnBase = testCase.h + 1;
  const std::int64_t words = (columnBase + testCase.w + 1 + 63) / 64;
  edges_.resize(std::max<std::size_t>(edges_.size(), static_cast<std::size_t>(words)));
  Word* edges = edges_.data();
  const auto mark = [edges](std::int64_t bit) { edges[bit / 64] |= Word{1} << (bit % 64); };
  for (const Box& box : boxes_) {
    ++estimate.rects;
    estimate.total += static_cast<std::int64_t>(box.width) * box.height;
    estimate.heights += box.height;
    estimate.bandSteps += BandSteps(box);
    const std::int64_t steps = PaintSteps(box);
    estimate.paintWords += steps > kPaintNowMost ? steps : 0;
    mark(Top(box));
    mark(Bottom(box));
    mark(columnBase + Left(box));
    mark(columnBase + Right(box));
  }
  for (std::int64_t i = 0; i < words; ++i) {
    const std::int64_t rowBits = std::clamp<std::int64_t>(columnBase - 64 * i, 0, 64);
    const Word rows = rowBits == 64 ? edges[i] : edges[i] & ((Word{1} << rowBits) - 1);
    estimate.rowEdges += bit_rows::Count(rows);
    estimate.columnEdges += bit_rows::Count(edges[i] ^ rows);
    edges[i] = 0;
  }
  return estimate;
}

Coverage::Way Coverage::Choose(const Estimate& e) const {
  const std::int64_t w = testCase_->w;
  const std::int64_t h = testCase_->h;
  const std::int64_t sortRows = e.rects * kBucketsPerRect < h ? 0 : 2 * (h + e.rects) * kBucket;
  const std::int64_t sortColumns = e.rects * kBucketsPerRect < w ? 0 : 2 * (w + e.rects) * kBucket;
  struct Option {
    Way way;
    std::int64_t cost;
  };
  const std::int64_t gridSide = 2 * e.rects + 1;
  const Option options[] = {
      {Way::kGrid, e.rects <= kGridMost ? gridSide * gridSide * kGridCell : INT64_MAX},
      {Way::kPainter, (e.paintWords + testCase_->Stride() * h / 8) * kPaintWord},
      {Way::kRows, e.rowEdges * w * kSectionCell + e.rects * kSectionRect + sortRows},
      {Way::kColumns, e.columnEdges * h * kSectionCell + e.rects * kSectionRect + sortColumns},
      {Way::kSweep, e.bandSteps * kBandStep + e.rects * kSectionRect + sortColumns},
  };
  return std::min_element(std::begin(options), std::end(options),
                          [](const Option& l, const Option& r) { return l.cost < r.cost; })
      ->way;
}

std::int64_t Coverage::UnionArea(Way way) {
  switch (way) {
    case Way::kGrid:
      return GridArea(boxes_);
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

// Names the first cell that differs, by the painter or the cross-sections down the rows.
bool Coverage::Locate(const Estimate& estimate, Cell& mismatch) {
  const std::int64_t w = testCase_->w;
  const std::int64_t h = testCase_->h;
  const std::int64_t rowWords = testCase_->Stride() / 8 + 1;
  const std::int64_t byPainter =
      (estimate.paintWords + estimate.heights + rowWords * h) * kPaintWord;
  const std::int64_t byRows = estimate.rowEdges * w * kSectionCell + estimate.rects * kSectionRect +
                              h * rowWords * kPaintWord;
  if (byRows < byPainter) {
    return Sections(DownTheRows(), testCase_->h, testCase_->w, &mismatch) < 0;
  }
  return PaintAndCompare(mismatch);
}

// Whether a few of the largest boxes cover every black cell by themselves, which settles the
// block at the cost of one pass over the boxes: blocks of many large rectangles mostly do.
bool Coverage::LargestCoverAll() {
  Box largest[kGridAlways];
  std::size_t count = 0;
  const auto area = [](const Box& box) {
    return static_cast<std::int64_t>(box.width) * box.height;
  };
  for (const Box& box : boxes_) {
    if (count < kGridAlways) {
      largest[count++] = box;
    } else if (area(box) > area(largest[kGridAlways - 1])) {
      largest[kGridAlways - 1] = box;
    } else {
      continue;
    }
    // Keeps the boxes from the largest down: the new one moves up to its place.
    for (std::size_t i = count - 1; i > 0 && area(largest[i]) > area(largest[i - 1]); --i) {
      std::swap(largest[i], largest[i - 1]);
    }
  }
  return GridArea(std::span<const Box>(largest, count)) == testCase_->blackCount;
}

std::int64_t Coverage::GridArea(std::span<const Box> boxes) {
  if (boxes.size() <= 2) {  // a box or two: their areas less what they share
    std::int64_t area = 0;
    for (const Box& box : boxes) {
      area += static_cast<std::int64_t>(box.width) * box.height;
    }
    if (boxes.size() == 2) {
      const Box& a = boxes[0];
      const Box& b = boxes[1];
      const std::int64_t across = std::min(Right(a), Right(b)) - std::max(Left(a), Left(b));
      const std::int64_t down = std::min(Bottom(a), Bottom(b)) - std::max(Top(a), Top(b));
      area -= across > 0 && down > 0 ? across * down : 0;
    }
    return area;
  }
  gridX_.clear();
  gridY_.clear();
  for (const Box& box : boxes) {
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
  for (const Box& box : boxes) {
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

// Calls `at(here, ends, starts)` for every place along `axis` where a box starts or ends, in
// order, with the boxes that end there and those that start there.
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

// Left to right with the banded cover counts over the rows. Every box added is taken away
// again, so the counts are zero between blocks.
std::int64_t Coverage::SweepArea() {
  const int h = testCase_->h;
  const std::size_t bands = static_cast<std::size_t>(h / kBand + 1);
  if (rowCover_.size() < static_cast<std::size_t>(h)) {
    rowCover_.resize(static_cast<std::size_t>(h), 0);
  }
  if (bandFull_.size() < bands) {
    bandFull_.resize(bands, 0);
    bandPartial_.resize(bands, 0);
  }
  const BandedCounts counts{rowCover_.data(), bandFull_.data(), bandPartial_.data()};
  std::int64_t area = 0;
  std::int64_t covered = 0;
  int previous = 0;
  Sweep(AcrossTheColumns(), testCase_->w, [&](int x, auto ends, auto starts) {
    area += covered * (x - previous);
    previous = x;
    for (const std::uint32_t i : ends) {
      covered += counts.Add(Top(boxes_[i]), Bottom(boxes_[i]), -1);
    }
    for (const std::uint32_t i : starts) {
      covered += counts.Add(Top(boxes_[i]), Bottom(boxes_[i]), 1);
    }
  });
  return area;
}

// Sections along one axis, each rebuilt only where a box starts or ends. With `mismatch`
// (rows only), each row's cover is compared with the picture, and the first cell that differs
// ends the walk: it is put in `mismatch` and the result is -1.
template <typename Axis>
std::int64_t Coverage::Sections(Axis axis, int length, int across, Cell* mismatch) {
  const TestCase& testCase = *testCase_;
  delta_.assign(static_cast<std::size_t>(across) + 1, 0);
  const std::int64_t stride = bit_rows::Stride(across);
  section_.assign(static_cast<std::size_t>(stride), 0);
  std::int32_t* delta = delta_.data();
  Byte* section = section_.data();
  bool found = false;
  // Compares rows [from, to) with the section while no cell differs yet.
  const auto compareRows = [&](int from, int to) {
    for (int y = from; y < to && !found; ++y) {
      if (FirstDifference(section, testCase.Row(y), stride, stride, *mismatch)) {
        mismatch->y = y;
        found = true;
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
    for (int i = 0; i < across; i += 8) {
      unsigned bits = 0;
      for (int b = 0; b < 8 && i + b < across; ++b) {
        running += delta[i + b];
        bits |= static_cast<unsigned>(running > 0) << b;
      }
      section[i / 8] = static_cast<Byte>(bits);
      covered += bit_rows::Count(bits);
    }
  });
  if (mismatch != nullptr) {
    compareRows(previous, length);
  }
  return found ? -1 : area;
}
