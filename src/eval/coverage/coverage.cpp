#include "eval/coverage/coverage.h"

#include <algorithm>

using bit_rows::Word;

namespace {
// Relative costs of the two ways to name the first cell that differs, in tenths of a nanosecond
// on the development machine: a word of a row painted (or cleared, or compared); a cell of a
// cross-section rebuilt; a box put in order and added to the sections.
constexpr std::int64_t kPaintWord = 15;
constexpr std::int64_t kSectionCell = 8;
constexpr std::int64_t kSectionRect = 150;
// A handful of boxes go to the few-boxes way: it costs some 4 n * n steps for n boxes.
constexpr std::size_t kFewBoxesAlways = 8;
// A box this wide and high covers a tile of the tile way whole, wherever it lies; the tile way
// gives up when more tiles than this would have to be painted.
constexpr int kLargeSide = 63;
constexpr int kMostOpenTiles = 1024;
constexpr std::int64_t kBoxesPerTile = 8;
// A rectangle of at most this many word steps, and at most this many words a row, is painted as
// it arrives. A wider one costs more to paint than to keep for a sweep, where a row of its
// costs a step whatever its width.
constexpr std::int64_t kPaintNowMost = 64;
constexpr int kPaintNowPieces = 2;
}  // namespace

struct Coverage::Estimate {
  std::int64_t rects = 0;       // boxes
  std::int64_t heights = 0;     // the sum of their heights
  std::int64_t paintWords = 0;  // steps to paint the boxes not painted as they came
  std::int64_t rowEdges = 0;    // distinct rows where a box starts or ends
};

void Coverage::Begin(const TestCase& testCase) {
  canvas_.Begin(testCase);
  testCase_ = &testCase;
  settled_ = false;
  unpainted_ = 0;
  paintedBoxes_ = 0;
  boxes_.clear();
  keptArea_ = 0;
  largeArea_ = 0;
}

bool Coverage::PaintsNow(const Rect& rect) const {
  return !settled_ && unpainted_ == 0 && PiecesPerRow(rect.x, rect.width) <= kPaintNowPieces &&
         PaintSteps(rect.x, rect.width, rect.height) <= kPaintNowMost;
}

bool Coverage::PaintChecked(const Rect& rect, Cell& white) {
  if (canvas_.PaintChecked(rect, white)) {
    return true;
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
  if (static_cast<std::int64_t>(rect.width) * rect.height == testCase_->blackCount) {
    settled_ = true;  // it covers every black cell: nothing else can change the outcome
    if (!painted) {
      return;
    }
  }
  const PackedRect box = PackedRect::Of(rect);
  boxes_.push_back(box);
  keptArea_ += box.Area();
  largeArea_ += box.width >= kLargeSide && box.height >= kLargeSide ? box.Area() : 0;
}

bool Coverage::Finish(Cell& mismatch) {
  if (settled_) {
    canvas_.Clear(Painted());
    return false;
  }
  if (unpainted_ == 0) {
    // Every rectangle is in the canvas: compare it with the picture when that costs no more
    // than the painting did; otherwise take the area of the union while clearing the canvas.
    const std::int64_t words = testCase_->Stride() * testCase_->h / 8 + 1;
    if (canvas_.Steps() >= words) {
      const bool differs = canvas_.FirstDifference(mismatch);
      canvas_.Clear(Painted());
      return differs;
    }
    if (canvas_.CountAndClear(Painted()) == testCase_->blackCount) {
      return false;
    }
    return PaintAndCompare(mismatch);
  }
  canvas_.Clear(Painted());
  if (boxes_.size() <= kFewBoxesAlways) {
    if (fewBoxes_(boxes_) == testCase_->blackCount) {
      return false;
    }
    return Locate(Measure(), mismatch);
  }
  if (const std::int64_t area = oneAxis_(*testCase_, boxes_); area >= 0) {
    return area != testCase_->blackCount && Locate(Measure(), mismatch);
  }
  if (keptArea_ < testCase_->blackCount) {
    return Locate(Measure(), mismatch);
  }
  // Large boxes that together cover the black cells at least once leave few tiles open; the
  // tiles cost a pass over them all, worth it for enough boxes.
  if (largeArea_ >= testCase_->blackCount &&
      static_cast<std::int64_t>(boxes_.size()) * kBoxesPerTile >= TileCover::Tiles(*testCase_)) {
    switch (tiles_(*testCase_, boxes_, kMostOpenTiles, mismatch)) {
      case TileCover::Outcome::kCovered:
        return false;
      case TileCover::Outcome::kMissed:
        return true;
      case TileCover::Outcome::kTooOpen:
        break;
    }
  }
  if (sweep_(*testCase_, boxes_, walk_) == testCase_->blackCount) {
    return false;
  }
  return Locate(Measure(), mismatch);
}

// Paints every box into the clear canvas, compares it with the picture and clears it again.
bool Coverage::PaintAndCompare(Cell& mismatch) {
  canvas_.Paint(boxes_);
  paintedBoxes_ = boxes_.size();
  const bool differs = canvas_.FirstDifference(mismatch);
  canvas_.Clear(Painted());
  return differs;
}

Coverage::Estimate Coverage::Measure() {
  const TestCase& testCase = *testCase_;
  Estimate estimate;
  const std::int64_t words = (testCase.h + 1 + 63) / 64;
  edges_.resize(std::max<std::size_t>(edges_.size(), static_cast<std::size_t>(words)));
  Word* edges = edges_.data();
  const auto mark = [edges](std::int64_t bit) { edges[bit / 64] |= Word{1} << (bit % 64); };
  for (const PackedRect& box : boxes_) {
    ++estimate.rects;
    estimate.heights += box.height;
    const std::int64_t steps = PaintSteps(box);
    estimate.paintWords += steps > kPaintNowMost ? steps : 0;
    mark(box.Top());
    mark(box.Bottom());
  }
  for (std::int64_t i = 0; i < words; ++i) {
    estimate.rowEdges += bit_rows::Count(edges[i]);
    edges[i] = 0;
  }
  return estimate;
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
    return sections_.FirstDifference(*testCase_, boxes_, walk_, mismatch);
  }
  return PaintAndCompare(mismatch);
}
